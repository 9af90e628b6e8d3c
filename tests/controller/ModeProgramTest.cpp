#include "controller/ModeProgram.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <string>
#include <vector>

namespace {

using S = ModeCellState;

ModeCell Cell(S state, int value)
{
    return ModeCell::Make(state, value);
}

std::string Show(ModeCell cell)
{
    return (CellLetter(cell) + u'|' + CellDisplayText(cell)).toStdString();
}

TEST(ModeCellText, LetterAndShownTextOfEveryState)
{
    struct Case {
        std::uint8_t bits;
        const char* shown;
    };
    const Case cases[] = {
        {0x00, "V|Vypnuto"},
        {0x2A, "V|Vypnuto"},  // value bits of an off cell stay unseen
        {0x40, "E|(normal)"},
        {0x45, "E|+10%"},
        {0x5F, "E|+62%"},
        {0x60, "E|-64%"},  // k = −32
        {0x7F, "E|-2%"},   // k = −1
        {0x7E, "E|-4%"},
        {0x80, "T|0 °C"},
        {0x95, "T|21 °C"},
        {0xBF, "T|63 °C"},
        {0xC0, "|"},
        {0xFF, "|"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Show(ModeCell{c.bits}), c.shown) << int(c.bits);
}

TEST(ModeCellText, CyclingChangesOnlyTheStateAndShowsTheValueAgain)
{
    // Every value of every state: the next state, the same six bits, and
    // no other cell touched.
    for (int bits = 0; bits < 256; ++bits) {
        ModeProgram p;
        p.SetCell(6, 95, ModeCell{std::uint8_t(bits)});
        CycleCellState(p, 6, 95);
        const S before = ModeCell{std::uint8_t(bits)}.State();
        const S expected = before == S::Equithermal ? S::Thermostat : before == S::Off ? S::Equithermal : S::Off;
        EXPECT_EQ(p.Cell(6, 95), Cell(expected, bits & 0x3F)) << bits;
        ModeProgram others = p;
        others.SetCell(6, 95, {});
        EXPECT_EQ(others, ModeProgram{}) << "another cell changed, bits " << bits;
    }
}

TEST(ModeCellText, PositionsOutsideTheWeekChangeNothing)
{
    ModeProgram program;
    for (int i = 0; i < ModeProgram::Size; ++i)
        program.SetCell(i / 96, i % 96, ModeCell{std::uint8_t(i * 7)});
    const ModeProgram before = program;
    const int outside[][2] = {{-1, 0}, {7, 0}, {0, -1}, {0, 96}, {6, 96}, {-1, 95}};
    for (const auto& at : outside) {
        CycleCellState(program, at[0], at[1]);
        ApplyCellEditText(program, at[0], at[1], u"5");
        EXPECT_EQ(CellEditText(program, at[0], at[1]), QString());
    }
    EXPECT_EQ(program, before);
}

TEST(ModeCellEdit, TypedTextIsLimitedByTheCellsState)
{
    struct Case {
        ModeCell start;
        const char16_t* typed;
        const char* shown;
        std::uint8_t bits;
    };
    const Case cases[] = {
        {Cell(S::Equithermal, 9), u"5", "E|+4%", 0x42},
        {Cell(S::Equithermal, 9), u"-5", "E|-4%", 0x7E},
        {Cell(S::Equithermal, 9), u"200", "E|+62%", 0x5F},
        {Cell(S::Equithermal, 9), u"-200", "E|-64%", 0x60},
        {Cell(S::Equithermal, 9), u"abc", "E|(normal)", 0x40},
        {Cell(S::Equithermal, 9), u"", "E|(normal)", 0x40},
        {Cell(S::Equithermal, 9), u"-1", "E|(normal)", 0x40},
        {Cell(S::Equithermal, 9), u"  $10", "E|+16%", 0x48},  // the shared integer rule
        {Cell(S::Equithermal, 9), u"-2147483648", "E|-64%", 0x60},
        {Cell(S::Thermostat, 9), u"70", "T|63 °C", 0xBF},
        {Cell(S::Thermostat, 9), u"-1", "T|0 °C", 0x80},
        {Cell(S::Thermostat, 9), u"21", "T|21 °C", 0x95},
        {Cell(S::Thermostat, 9), u"21 °C", "T|0 °C", 0x80},  // not an integer
        {Cell(S::Off, 9), u"70", "V|Vypnuto", 0x06},         // 70 = 0x46: kept unseen
        {Cell(S::Off, 9), u"-1", "V|Vypnuto", 0x3F},
        {Cell(S::Unused, 9), u"70", "|", 0xC6},  // the state never changes by editing
    };
    for (const Case& c : cases) {
        ModeProgram program;
        program.SetCell(2, 17, c.start);
        ApplyCellEditText(program, 2, 17, c.typed);
        const std::string what = QString::fromUtf16(c.typed).toStdString();
        EXPECT_EQ(Show(program.Cell(2, 17)), c.shown) << what;
        EXPECT_EQ(program.Cell(2, 17).bits, c.bits) << what;
    }
}

TEST(ModeCellEdit, EditorStartsWithTheShownValueAndStoresItBackUnchanged)
{
    const std::pair<ModeCell, const char*> starts[] = {
        {Cell(S::Equithermal, 31), "62"}, {Cell(S::Equithermal, 0), "0"},
        {Cell(S::Equithermal, 0x20), "-64"}, {Cell(S::Equithermal, 5), "10"},
        {Cell(S::Thermostat, 21), "21"}, {Cell(S::Off, 12), ""}, {Cell(S::Unused, 12), ""},
    };
    for (const auto& [cell, text] : starts) {
        ModeProgram program;
        program.SetCell(1, 1, cell);
        EXPECT_EQ(CellEditText(program, 1, 1).toStdString(), text) << int(cell.bits);
    }
    // Opening the editor of an E or T cell and closing it keeps the cell.
    for (int bits = 0x40; bits < 0xC0; ++bits) {
        ModeProgram program;
        program.SetCell(5, 60, ModeCell{std::uint8_t(bits)});
        ApplyCellEditText(program, 5, 60, CellEditText(program, 5, 60));
        EXPECT_EQ(program.Cell(5, 60).bits, bits);
    }
}

TEST(ModeProgramLayout, RawReplacementTakesExactly672Bytes)
{
    ModeProgram program;
    program.SetCell(4, 4, ModeCell{0x99});
    const ModeProgram before = program;
    for (std::size_t size : {0u, 671u, 673u, 768u}) {
        const std::vector<std::uint8_t> bytes(size, 0x55);
        EXPECT_FALSE(program.ReplaceRaw(bytes)) << size;
        EXPECT_EQ(program, before) << size;
    }
    std::vector<std::uint8_t> bytes(672);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = std::uint8_t(i * 13 + 1);
    ASSERT_TRUE(program.ReplaceRaw(bytes));
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), program.Raw().begin()));
}

TEST(ModeProgramLayout, FixedCellTexts)
{
    const std::pair<int, const char*> labels[] = {
        {0, "0:00 hod"}, {1, "0:15 hod"}, {2, "0:30 hod"}, {3, "0:45 hod"}, {4, "1:00 hod"},
        {40, "10:00 hod"}, {41, "10:15 hod"}, {95, "23:45 hod"},
    };
    for (const auto& [slot, label] : labels)
        EXPECT_EQ(ModeSlotLabel(slot).toStdString(), label) << slot;

    QStringList days;
    for (int day = 0; day < 7; ++day)
        days << ModeDayName(day);
    EXPECT_EQ(days, (QStringList{QStringLiteral("Pondělí"), QStringLiteral(" Úterý"), QStringLiteral("Středa"),
                                QStringLiteral("Čtvrtek"), QStringLiteral(" Pátek"), QStringLiteral("Sobota"),
                                QStringLiteral("Neděle")}));
}

TEST(ModeProgramCodec, TheTailIsWrittenAsZerosAndIgnoredWhenRead)
{
    ModeProgram program;
    for (int i = 0; i < ModeProgram::Size; ++i)
        program.SetCell(i / 96, i % 96, ModeCell{std::uint8_t(i * 7 + 3)});
    for (ModeProgramId id : {ModeProgramId::A, ModeProgramId::B, ModeProgramId::C}) {
        const auto codec = ModeProgramCodec(id);
        EXPECT_FALSE(codec.mergesIntoCurrent);
        std::vector<std::uint8_t> pages(768, 0xEE);  // whatever the buffer held
        ASSERT_TRUE(EncodeFields(codec.table, program, std::span<std::uint8_t, 768>(pages.data(), 768)));
        EXPECT_TRUE(std::equal(program.Raw().begin(), program.Raw().end(), pages.begin()));
        for (int i = 672; i < 768; ++i)
            ASSERT_EQ(pages[std::size_t(i)], 0) << i;

        for (int i = 672; i < 768; ++i)
            pages[std::size_t(i)] = std::uint8_t(i);  // a tail the Controller may hold
        EXPECT_EQ(DecodeFields(codec.table, std::span<const std::uint8_t, 768>(pages.data(), 768)), program);
    }
}

}  // namespace
