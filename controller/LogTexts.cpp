#include "controller/LogTexts.h"

#include <array>

#include "controller/Units.h"

namespace LogText {

QString DateHeading()
{
    return QStringLiteral("Datum");
}

QString BoilerHeading()
{
    return QStringLiteral("Kotel");
}

QString UnknownSensor()
{
    return QStringLiteral("(chyba)");
}

QString ShortWeekday(int isoDay)
{
    static const std::array<QString, 7> names{
        QStringLiteral("Po"), QStringLiteral("Út"), QStringLiteral("St"), QStringLiteral("Čt"),
        QStringLiteral("Pá"), QStringLiteral("So"), QStringLiteral("Ne"),
    };
    return names[std::size_t(isoDay - 1)];
}

QString HourLabel(int isoDay, int hour)
{
    return ShortWeekday(isoDay) + QLatin1Char(' ') + QString::number(hour) + QLatin1StringView(":00");
}

Value Temperature(int celsius)
{
    return {QString::number(celsius), QString::fromUtf8(Unit::Celsius)};
}

Value BoilerTime(int seconds)
{
    return {QStringLiteral("%1 min %2 ").arg(seconds / 60).arg(seconds % 60), QStringLiteral("sec")};
}

QString TemperatureAxisTitle()
{
    return QString::fromUtf8(Unit::Celsius).trimmed();
}

QString BoilerAxisTitle()
{
    return QStringLiteral("min/h");
}

QString TipLine(const QString& heading, const QString& value)
{
    return QStringLiteral("%1: %2").arg(heading, value);
}

QString SaveChartEntry()
{
    return QStringLiteral("Uložit graf jako obrázek...");
}

QString MeasuredNotRead()
{
    return QStringLiteral("Naměřené body jsou hodiny ze záznamů. Načtěte nejprve záznamy na kartě „Záznamy“.");
}

QString MeasuredMissingRoles(const QStringList& roles)
{
    return QStringLiteral("Načtené záznamy nemají čidlo v roli %1. Zvolte je pro záznamy na kartě „Kalorest“ "
                          "a načtěte záznamy znovu.")
        .arg(QStringLiteral("„") + roles.join(QStringLiteral("“ ani „")) + QStringLiteral("“"));
}

QString MeasuredFromDifferentReads(const QString& outdoor, const QString& water)
{
    return QStringLiteral("Záznamy čidel „%1“ a „%2“ pocházejí z různých načtení (jedno se nepodařilo). "
                          "Načtěte záznamy znovu.")
        .arg(outdoor, water);
}

QString MeasuredShown(const QString& outdoor, const QString& water, int inRange, int hours)
{
    return QStringLiteral("Každá hodina záznamů jako bod: „%1“ vodorovně, „%2“ svisle. V rozsahu grafu je %3 z %4 "
                          "hodin.")
        .arg(outdoor, water)
        .arg(inRange)
        .arg(hours);
}

}  // namespace LogText
