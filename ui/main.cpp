#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "ui/MainUnit.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);

    // The program speaks Czech whatever the desktop's language, so Qt's own
    // texts (Ano/Ne on the question boxes, the file dialogs) do too.
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    TMainForm form;
    form.show();
    return app.exec();
}
