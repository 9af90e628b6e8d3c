#include "controller/LogTexts.h"

#include <QCoreApplication>
#include <array>

#include "controller/Units.h"

namespace LogText {
namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(LogText)
};

}  // namespace

QString DateHeading()
{
    return Tr::tr("Datum");
}

QString BoilerHeading()
{
    return Tr::tr("Kotel");
}

QString UnknownSensor()
{
    return Tr::tr("(chyba)");
}

QString ShortWeekday(int isoDay)
{
    static constexpr std::array<const char*, 7> names{
        QT_TRANSLATE_NOOP("LogText", "Po"), QT_TRANSLATE_NOOP("LogText", "Út"), QT_TRANSLATE_NOOP("LogText", "St"),
        QT_TRANSLATE_NOOP("LogText", "Čt"), QT_TRANSLATE_NOOP("LogText", "Pá"), QT_TRANSLATE_NOOP("LogText", "So"),
        QT_TRANSLATE_NOOP("LogText", "Ne"),
    };
    return Tr::tr(names[std::size_t(isoDay - 1)]);
}

QString HourLabel(int isoDay, int hour)
{
    return ShortWeekday(isoDay) + QLatin1Char(' ') + QString::number(hour) + QLatin1StringView(":00");
}

Value Temperature(int celsius)
{
    return {QString::number(celsius), UnitText(Unit::Celsius)};
}

Value BoilerTime(int seconds)
{
    //: A boiler time of the logs: the number part, copied to the clipboard
    //: without the unit that follows ("12 min 32 " then "sec").
    return {Tr::tr("%1 min %2 ").arg(seconds / 60).arg(seconds % 60), Tr::tr("sec")};
}

QString TemperatureAxisTitle()
{
    return UnitText(Unit::Celsius).trimmed();
}

QString BoilerAxisTitle()
{
    return Tr::tr("min/h");
}

QString TipLine(const QString& heading, const QString& value)
{
    return QStringLiteral("%1: %2").arg(heading, value);
}

QString SaveChartEntry()
{
    return Tr::tr("Uložit graf jako obrázek...");
}

QString MeasuredNotRead()
{
    return Tr::tr("Naměřené body jsou hodiny ze záznamů. Načtěte nejprve záznamy na kartě „Záznamy“.");
}

QString MeasuredMissingRoles(const QStringList& roles)
{
    return Tr::tr("Načtené záznamy nemají čidlo v roli %1. Zvolte je pro záznamy na kartě „Kalorest“ "
                  "a načtěte záznamy znovu.")
        .arg(Tr::tr("„%1“").arg(roles.join(Tr::tr("“ ani „"))));
}

QString MeasuredFromDifferentReads(const QString& outdoor, const QString& water)
{
    return Tr::tr("Záznamy čidel „%1“ a „%2“ pocházejí z různých načtení (jedno se nepodařilo). "
                  "Načtěte záznamy znovu.")
        .arg(outdoor, water);
}

QString MeasuredShown(const QString& outdoor, const QString& water, int inRange, int hours)
{
    return Tr::tr("Každá hodina záznamů jako bod: „%1“ vodorovně, „%2“ svisle. V rozsahu grafu je %3 z %4 "
                  "hodin.")
        .arg(outdoor, water)
        .arg(inRange)
        .arg(hours);
}

}  // namespace LogText
