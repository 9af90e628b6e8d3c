#include "controller/OutdoorFill.h"

#include <gtest/gtest.h>

#include <map>

namespace {

const QLocale Czech(QLocale::Czech, QLocale::CzechRepublic);
const QLocale English(QLocale::English, QLocale::UnitedStates);

int Row(int t)
{
    return t - OutdoorTable::FirstTemperature;
}

QString ValueAt(const OrFault<OutdoorTable>& filled, int t)
{
    return std::get<OutdoorTable>(filled).Value(Row(t));
}

TEST(FillEkvith, RowsAsTheQuadraticGivesThem)
{
    const struct {
        const char *a, *b, *c;
        std::map<int, qint64> rows;  // outdoor temperature -> value
    } cases[] = {
        // The start values.  The halves at −35, −25, −15 and 15 °C go to the
        // even neighbour, and only at the 64-bit significand are they halves.
        {"0", "-0,7", "51",
         {{-40, 79}, {-39, 78}, {-38, 78}, {-37, 77}, {-36, 76}, {-35, 76}, {-34, 75}, {-25, 68},
          {-15, 62}, {0, 51}, {15, 40}, {20, 37}, {25, 34}}},
        {"0", "-0.7", "51", {{-35, 76}, {-15, 62}, {15, 40}}},  // a point reads as well
        {"0,1", "0", "0", {{-40, 160}, {-1, 0}, {0, 0}, {5, 2}, {25, 62}}},
        {"0", "0", "300", {{-40, 300}, {0, 300}, {25, 300}}},
        // 162.5 plus a trace at the 64-bit significand; exactly 162.5 in
        // doubles, and less when t² is not squared as an integer.
        {"0,1", "0,05", "20", {{-38, 163}}},
        // Texts that are not numbers count as 0.
        {"abc", "-0,7", "51", {{-40, 79}, {25, 34}}},
        {"", "", "", {{-40, 0}, {25, 0}}},
        {"1e10", "0", "0", {{-40, 16000000000000}, {0, 0}}},  // no clamping
        {"-1", "2", "-3", {{-40, -1683}, {0, -3}, {25, -578}}},
    };
    for (const auto& c : cases) {
        const auto filled = FillEkvith(QString::fromUtf8(c.a), QString::fromUtf8(c.b), QString::fromUtf8(c.c));
        ASSERT_TRUE(std::holds_alternative<OutdoorTable>(filled)) << c.a << " " << c.b << " " << c.c;
        for (const auto& [t, value] : c.rows)
            EXPECT_EQ(ValueAt(filled, t), QString::number(value)) << c.a << " " << c.b << " " << c.c << " at " << t;
    }
}

// Inputs where 64-bit doubles give another row than the 80-bit arithmetic:
// a product that is a half only at the 64-bit significand, or just beside
// one.  Ordinary coefficients, each one row off in doubles.
TEST(FillEkvith, RowsThatOnlyTheExtendedArithmeticGets)
{
    const struct {
        const char *a, *b, *c;
        int t;
        int value;  // doubles give value − 1
    } cases[] = {
        {"0", "-1,1", "51", 25, 24},
        {"0", "-1,1", "35", 25, 8},
        {"0,1", "-0,45", "51", -38, 213},
        {"0,1", "-0,8", "50", -37, 217},
        {"0,1", "-0,3", "52,5", -37, 201},
    };
    for (const auto& c : cases) {
        const auto filled = FillEkvith(QString::fromUtf8(c.a), QString::fromUtf8(c.b), QString::fromUtf8(c.c));
        EXPECT_EQ(ValueAt(filled, c.t), QString::number(c.value)) << c.a << " " << c.b << " " << c.c << " at " << c.t;
    }
}

TEST(FillEkvith, AResultNoIntegerHoldsChangesNothing)
{
    // 1e4931 · 1600 overflows even the extended range.
    for (const char* a : {"1e4931", "-1e4931", "1e17"}) {
        const auto filled = FillEkvith(QString::fromUtf8(a), u"0", u"0");
        ASSERT_TRUE(std::holds_alternative<FloatFault>(filled)) << a;
        EXPECT_EQ(std::get<FloatFault>(filled), FloatFault::InvalidOperation) << a;
    }
}

TEST(FillWall, RowsFromTheWallsGeometry)
{
    const struct {
        const char *w, *ti, *s;
        std::map<int, int> rows;
    } cases[] = {
        {"45", "21", "17", {{-40, -2}, {-35, 0}, {0, 13}, {21, 21}, {25, 23}}},
        {"45,0", "21.0", "17", {{-40, -2}, {0, 13}, {25, 23}}},
        // A sensor at the outer face reads the outdoor temperature, one at
        // the inner face the inside temperature.
        {"45", "21", "45", {{-40, -40}, {-1, -1}, {0, 0}, {25, 25}}},
        {"45", "21", "0", {{-40, 21}, {0, 21}, {25, 21}}},
        // w that is not a number counts as 1, Ti and s as 0.
        {"abc", "21", "0,5", {{-40, -10}, {-39, -9}, {25, 23}}},
        {"45", "x", "17", {{-40, -15}, {0, 0}, {25, 9}}},
    };
    for (const auto& c : cases) {
        const WallFill fill = FillWall(QString::fromUtf8(c.w), QString::fromUtf8(c.ti), QString::fromUtf8(c.s),
                                       u"-0,7", Czech);
        ASSERT_TRUE(std::holds_alternative<OutdoorTable>(fill.rows)) << c.w << " " << c.ti << " " << c.s;
        for (const auto& [t, value] : c.rows)
            EXPECT_EQ(ValueAt(fill.rows, t), QString::number(value)) << c.w << " " << c.ti << " " << c.s << " at " << t;
    }
}

// Ordinary walls where 64-bit doubles put a row 1 °C off: s / w is a
// little above the decimal ratio at the 64-bit significand and a little
// below it in doubles, so y lands beside a half on the other side.
TEST(FillWall, RowsThatOnlyTheExtendedArithmeticGets)
{
    const struct {
        const char *w, *ti, *s;
        int t;
        int value;  // doubles give value + 1
    } cases[] = {
        {"20", "21", "6", -24, 7},
        {"10", "5", "3", -40, -9},
        {"30", "19", "9", -26, 5},
        {"40", "23", "12", -22, 9},
    };
    for (const auto& c : cases) {
        const WallFill fill = FillWall(QString::fromUtf8(c.w), QString::fromUtf8(c.ti), QString::fromUtf8(c.s),
                                       u"-0,7", Czech);
        EXPECT_EQ(ValueAt(fill.rows, c.t), QString::number(c.value)) << c.w << " " << c.ti << " " << c.s << " at " << c.t;
    }
}

TEST(FillWall, DivisionsByZeroAreReported)
{
    const struct {
        const char *w, *s;
        bool rows;  // whether the rows are filled and the multiplier fails
        FloatFault fault;
    } cases[] = {
        {"0", "17", false, FloatFault::DivisionByZero},
        {"0", "0", false, FloatFault::InvalidOperation},
        {"0,0", "abc", false, FloatFault::InvalidOperation},  // s counts as 0 for the rows
        {"1e-4000", "1e4000", false, FloatFault::InvalidOperation},  // s / w overflows
        {"45", "0", true, FloatFault::DivisionByZero},
    };
    for (const auto& c : cases) {
        const WallFill fill = FillWall(QString::fromUtf8(c.w), u"21", QString::fromUtf8(c.s), u"-0,7", Czech);
        const std::size_t failed = c.rows ? fill.multiplier.index() : fill.rows.index();
        ASSERT_EQ(failed, 1u) << c.w << " " << c.s;
        EXPECT_EQ(c.rows ? std::get<FloatFault>(fill.multiplier) : std::get<FloatFault>(fill.rows), c.fault)
            << c.w << " " << c.s;
        EXPECT_EQ(std::holds_alternative<OutdoorTable>(fill.rows), c.rows) << c.w << " " << c.s;
    }
    // s = 0: every row holds the inside temperature.
    const WallFill inside = FillWall(u"45", u"21", u"0", u"-0,7", Czech);
    for (int row = 0; row < OutdoorTable::RowCount; ++row)
        ASSERT_EQ(std::get<OutdoorTable>(inside.rows).Value(row), QStringLiteral("21")) << row;
}

TEST(WallMultiplier, TwoSignificantDigitsInTheUsersLocale)
{
    const struct {
        const char *w, *s, *b;
        const char *czech, *english;
    } cases[] = {
        {"45", "17", "-0,7", "7,40 krát / 4", "7.40 krát / 4"},
        {"45", "17", "0.7", "-7,40 krát / 4", "-7.40 krát / 4"},
        // Texts that are not numbers count as 1 here.
        {"45", "abc", "-0,7", "1,3E+02 krát / 4", "1.3E+02 krát / 4"},
        {"45", "17", "", "-11,00 krát / 4", "-11.00 krát / 4"},
        {"x", "x", "x", "-4,00 krát / 4", "-4.00 krát / 4"},
        {"45", "17", "0", "0,00 krát / 4", "0.00 krát / 4"},
        {"45", "17", "1e-30", "0,00 krát / 4", "0.00 krát / 4"},
        {"1", "32", "-1", "0,12 krát / 4", "0.12 krát / 4"},  // 0.125: the half goes to the even 2
        {"1", "-4", "24,5", "24,00 krát / 4", "24.00 krát / 4"},  // 24.5: halves to even
        {"1", "4", "24,5", "-24,00 krát / 4", "-24.00 krát / 4"},
        {"45", "1", "1000", "-1,8E+05 krát / 4", "-1.8E+05 krát / 4"},
    };
    for (const auto& c : cases) {
        const auto w = QString::fromUtf8(c.w), s = QString::fromUtf8(c.s), b = QString::fromUtf8(c.b);
        const auto czech = WallMultiplier(w, s, b, Czech);
        const auto english = WallMultiplier(w, s, b, English);
        ASSERT_TRUE(std::holds_alternative<QString>(czech)) << c.w << " " << c.s << " " << c.b;
        EXPECT_EQ(std::get<QString>(czech), QString::fromUtf8(c.czech)) << c.w << " " << c.s << " " << c.b;
        EXPECT_EQ(std::get<QString>(english), QString::fromUtf8(c.english)) << c.w << " " << c.s << " " << c.b;
    }
    // FillWall hands the same text out with its rows.
    EXPECT_EQ(std::get<QString>(FillWall(u"45", u"21", u"17", u"-0,7", Czech).multiplier),
              QStringLiteral("7,40 krát / 4"));
}

TEST(WallMultiplier, RoundsAtTwoDigitsThenAtTwoDecimals)
{
    const struct {
        long double m;
        const char* text;
    } cases[] = {
        {99.4L, "99,00"},     {99.5L, "1,0E+02"},  {-99.5L, "-1,0E+02"}, {100.0L, "1,0E+02"},
        {12.5L, "12,00"},     {13.5L, "14,00"},    {0.375L, "0,38"},     {0.0375L, "0,04"},
        {0.0451L, "0,04"},    // 0.045 after two digits, then the half to the even 4
        {0.0078125L, "0,01"}, {0.005L, "0,00"},    {0.0051L, "0,01"},    {-0.004L, "0,00"},
        {-0.0L, "0,00"},      {7.4117647L, "7,40"}, {1e4000L, "1,0E+4000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatWallMultiplier(c.m, Czech), QString::fromUtf8(c.text) + QStringLiteral(" krát / 4"))
            << double(c.m);
}

}  // namespace
