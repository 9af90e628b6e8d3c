#include "controller/DecimalText.h"

#include <gtest/gtest.h>

#include <cfloat>

namespace {

TEST(DecimalText, AcceptsAPointOrACommaWhateverTheLocale)
{
    const struct {
        const char* text;
        long double value;
    } cases[] = {
        {"0,5", 0.5L},      {"0.5", 0.5L},     {"-0,7", -0.7L},  {"-0.7", -0.7L},  {" 51 ", 51.0L},
        {"+3", 3.0L},       {",5", 0.5L},      {"5.", 5.0L},     {"1e3", 1000.0L}, {"1,5E-2", 0.015L},
        {"-0", -0.0L},      {"12,345", 12.345L}, {"1.000", 1.0L},
    };
    for (const auto& c : cases) {
        const auto parsed = ParseDecimalText(QString::fromUtf8(c.text));
        ASSERT_TRUE(parsed.has_value()) << c.text;
        EXPECT_EQ(*parsed, c.value) << c.text;
    }
}

TEST(DecimalText, ReadsAtTheFullExtendedPrecision)
{
    static_assert(LDBL_MANT_DIG == 64);
    // -0.7 as a double and as a long double differ; the fill's halves depend on it.
    EXPECT_EQ(*ParseDecimalText(u"-0.7"), -0.7L);
    EXPECT_NE(*ParseDecimalText(u"-0.7"), static_cast<long double>(-0.7));
}

TEST(DecimalText, RejectsWhatIsNotAPlainNumber)
{
    for (const char* text : {"", " ", "abc", "-", ".", ",", "1,2,3", "1.2.3", "1 000", "1\u00A0000", "1,000.5",
                             "nan", "NaN", "inf", "-inf", "Infinity", "0x10", "$10", "1e", "1e+", "e5", "5 x",
                             "1e99999", "--1", "+-1", "٣"}) {
        EXPECT_FALSE(ParseDecimalText(QString::fromUtf8(text)).has_value()) << text;
    }
}

TEST(DecimalText, ShownWithTheUsersSeparatorWithoutGroups)
{
    EXPECT_EQ(FormatDecimal(-0.7, QLocale(QLocale::Czech)), QStringLiteral("-0,7"));
    EXPECT_EQ(FormatDecimal(-0.7, QLocale(QLocale::English, QLocale::UnitedStates)), QStringLiteral("-0.7"));
    EXPECT_EQ(FormatDecimal(12345.5, QLocale(QLocale::German)), QStringLiteral("12345,5"));
    EXPECT_EQ(FormatDecimal(51, QLocale(QLocale::Czech)), QStringLiteral("51"));
}

}  // namespace
