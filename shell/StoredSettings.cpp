#include "shell/StoredSettings.h"

#include <QSettings>
#include <QStringList>
#include <QVariant>
#include <memory>

#include "controller/IntegerText.h"

namespace {

std::unique_ptr<QSettings> OpenStore()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::SystemScope, QStringLiteral("VESK"),
                                       QStringLiteral("VESK"));
}

std::optional<QString> TextOf(const QSettings& store, const char* key)
{
    const QVariant value = store.value(QLatin1StringView(key));
    if (!value.isValid())
        return std::nullopt;
    // An INI value with an unquoted comma reads as a list; "-0,7" typed by
    // hand into the file is meant as one decimal number.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',');
    return value.toString();
}

QString ReadDecimal(const QSettings& store, const char* key, double fallback, const QLocale& locale)
{
    double number = fallback;
    if (const auto text = TextOf(store, key)) {
        bool ok = false;
        const double parsed = locale.toDouble(text->trimmed(), &ok);
        if (ok)
            number = parsed;
    }
    return locale.toString(number, 'g', QLocale::FloatingPointShortest);
}

int ReadInteger(const QSettings& store, const char* key, int fallback)
{
    const auto text = TextOf(store, key);
    if (!text)
        return fallback;
    return ParseIntegerText(*text).value_or(fallback);
}

}  // namespace

StoredSettings ReadStoredSettings(const QLocale& shownIn)
{
    QLocale locale = shownIn;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    auto store = OpenStore();
    store->beginGroup(QStringLiteral("VESK"));
    StoredSettings s;
    s.EkvithFillA = ReadDecimal(*store, "EkvithFillA", 0, locale);
    s.EkvithFillB = ReadDecimal(*store, "EkvithFillB", -0.7, locale);
    s.EkvithFillC = ReadDecimal(*store, "EkvithFillC", 51, locale);
    s.WallDepth = QString::number(ReadInteger(*store, "WallDepth", 45));
    s.WallSensDepth = QString::number(ReadInteger(*store, "WallSensDepth", 17));
    s.WallTemp = QString::number(ReadInteger(*store, "WallTemp", 21));
    s.ComPort = ReadInteger(*store, "ComPort", 0);
    // An index outside the list chooses no port at all.
    if (s.ComPort < 0 || s.ComPort >= PortCount)
        s.ComPort = -1;
    s.ComDevice = TextOf(*store, "ComDevice").value_or(QString()).trimmed();
    return s;
}

Serial::PortMap ReadPortMap()
{
    auto store = OpenStore();
    store->beginGroup(QStringLiteral("Ports"));
    Serial::PortMap map;
    for (int n = 1; n <= PortCount; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
        if (const auto path = TextOf(*store, name.toLatin1().constData()); path && !path->isEmpty())
            map[name.toStdString()] = path->toStdString();
    }
    return map;
}

std::optional<QString> WriteStoredSettings(const StoredSettings& s)
{
    const std::pair<const char*, QString> values[] = {
        {"EkvithFillA", s.EkvithFillA},
        {"EkvithFillB", s.EkvithFillB},
        {"EkvithFillC", s.EkvithFillC},
        {"WallDepth", s.WallDepth},
        {"WallSensDepth", s.WallSensDepth},
        {"WallTemp", s.WallTemp},
        {"ComPort", QString::number(s.ComPort)},
        {"ComDevice", s.ComDevice},
    };
    auto store = OpenStore();
    store->beginGroup(QStringLiteral("VESK"));
    for (const auto& [name, text] : values)
        store->setValue(QLatin1StringView(name), text);
    store->endGroup();
    // QSettings only learns that the file cannot be written when it tries.
    store->sync();
    if (store->status() == QSettings::AccessError)
        return QString::fromLatin1(values[0].first);
    return std::nullopt;
}
