#include "shell/Language.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace {

// The language the texts are written in.
const QString SourceLanguage = QStringLiteral("cs");

}  // namespace

QString TranslationsFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/" VESK_TRANSLATIONS_FROM_PROGRAM);
}

Language::Language(const QLocale& locale, const QString& folder) : name_(SourceLanguage)
{
    // The catalogue of the first language listed that has one; "vesk_cs" is
    // one, so that Czech listed before English wins.
    if (program_.load(locale, QStringLiteral("vesk"), QStringLiteral("_"), folder)) {
        name_ = program_.language().section(u'_', 0, 0);
        QCoreApplication::installTranslator(&program_);
    }
    if (qt_.load(QStringLiteral("qtbase_") + name_, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt_);
}

Language::~Language()
{
    QCoreApplication::removeTranslator(&qt_);
    QCoreApplication::removeTranslator(&program_);
}
