// Every word the logs show, in one place: the grid's headings, time labels
// and value texts, the chart's titles, the save entry of its menu and the
// tips of the measured points on the heating curve.  Nothing is decided by
// these texts: they are only shown, so they can change language without
// any behaviour changing with them.
#pragma once

#include <QString>
#include <QStringList>

namespace LogText {

// Headings of the fixed column and of the boiler column.
QString DateHeading();    // "Datum"
QString BoilerHeading();  // "Kotel"
// A sensor byte of page 0 that names no sensor.
QString UnknownSensor();  // "(chyba)"

// "Po" .. "Ne"; isoDay 1 is Monday.
QString ShortWeekday(int isoDay);
// "Po 7:00", "Čt 23:00": the hour without a leading zero.
QString HourLabel(int isoDay, int hour);

// A value as the grid shows it, the unit last.  The clipboard takes the
// value without its unit: the number of a temperature, and of a boiler
// time everything up to "sec", the space before it included.
struct Value {
    QString number, unit;
    QString Shown() const { return number + unit; }
};
Value Temperature(int celsius);  // "-10" " °C"
Value BoilerTime(int seconds);   // "12 min 32 " "sec"

// The chart: the units above its two axes, the line of an hour's tip and
// the entry of its context menu.
QString TemperatureAxisTitle();  // "°C"
QString BoilerAxisTitle();       // "min/h"
QString TipLine(const QString& heading, const QString& value);
QString SaveChartEntry();  // "Uložit graf jako obrázek..."

// The tip of "Zobrazit naměřené body" on "Ekviterma", which says where the
// points come from or why there are none.
QString MeasuredNotRead();
QString MeasuredMissingRoles(const QStringList& roles);
QString MeasuredFromDifferentReads(const QString& outdoor, const QString& water);
QString MeasuredShown(const QString& outdoor, const QString& water, int inRange, int hours);

}  // namespace LogText
