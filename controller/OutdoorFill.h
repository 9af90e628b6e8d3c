// Filling the outdoor tables from formulas: the heating curve from a
// quadratic in the outdoor temperature, the wall table from a plain wall
// with a sensor inside it, and the wall-compensation multiplier suggested
// with it.
//
// The arithmetic is 80-bit extended floating point, each operation rounded
// to nearest, results rounded to the nearest integer with exact halves to
// the even neighbour.  Technicians compare the filled rows with tables made
// by earlier fills, and the halves come out differently in 64-bit doubles
// (−0.7 × −35 is exactly 24.5 only at the 64-bit significand).
#pragma once

#include <QLocale>
#include <QString>
#include <QStringView>
#include <variant>

#include "controller/OutdoorTable.h"

// Why a fill could not be computed; nothing it would have changed is.
enum class FloatFault {
    DivisionByZero,    // x / 0 with x ≠ 0
    InvalidOperation,  // 0 / 0, or a result that is no finite 64-bit integer
};

template <typename T>
using OrFault = std::variant<T, FloatFault>;

// y = C + (B·t + A·t²) for t = −40..25, the coefficients read by the decimal
// rule (0 for a text that is not a number).  No clamping: writing refuses
// what does not fit a byte.
OrFault<OutdoorTable> FillEkvith(QStringView a, QStringView b, QStringView c);

struct WallFill {
    // y = Ti − (s / w)·(Ti − t): a sensor at depth s of a wall w thick reads
    // the inside temperature Ti at s = 0 and the outdoor temperature at s = w.
    OrFault<OutdoorTable> rows;
    // "7,40 krát / 4"; computed only when the rows are, else the rows' fault.
    OrFault<QString> multiplier;
};

// w, Ti and s read by the decimal rule: 1 for a w that is not a number, 0
// for the others.  The multiplier reads w, s and B with 1 for each text that
// is not a number, and is shown in the locale.
WallFill FillWall(QStringView w, QStringView ti, QStringView s, QStringView b, const QLocale& locale = QLocale());

// m = −(w / s) · B · 4, in the unit of the constant "Násobitel kompenz. zdi".
OrFault<QString> WallMultiplier(QStringView w, QStringView s, QStringView b, const QLocale& locale = QLocale());

// m rounded to two significant digits, then shown with two decimals and the
// locale's separator, then " krát / 4": "7,40 krát / 4".  Two significant
// digits do not fit fixed notation from 99.5 on: those are shown with the
// two digits and a power of ten, "1,0E+02 krát / 4", "-2,5E+07 krát / 4".
QString FormatWallMultiplier(long double m, const QLocale& locale = QLocale());
