// The processed view and the register lines of a debug snapshot.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "controller/DebugDump.h"

namespace {

// Memory that holds its own addresses, so every hex group in a view says
// which address it was read from.
DebugSnapshot AddressedSnapshot(int sp)
{
    DebugSnapshot r{};
    for (int a = 0; a < 256; ++a)
        r[std::size_t(a)] = std::uint8_t(a);
    r[256] = std::uint8_t(sp);
    return r;
}

QString H(int byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}

// The lines between "Výpis zásobníku" and the empty line before the memory.
QStringList StackLines(const QStringList& view)
{
    const qsizetype from = view.indexOf(QStringLiteral("Výpis zásobníku")) + 1;
    const qsizetype to = view.indexOf(QStringLiteral("Výpis paměti $20 - $4F")) - 1;
    EXPECT_TRUE(from > 0 && to >= from && view[to].isEmpty());
    return view.mid(from, to - from);
}

TEST(DebugDump, ASnapshotAsTheViewsShowIt)
{
    DebugSnapshot r{};
    const std::uint8_t saved[] = {0x34, 0x12, 0x40, 0x45, 0x01, 0x80, 0x0A, 0x31, 0x38};  // S−10 … S−2
    std::copy(std::begin(saved), std::end(saved), r.begin() + 0x8B - 10);
    const std::uint8_t bank0[] = {0xEE, 0xEE, 0x1C, 0x03, 0x2A, 0x3B, 0x4C, 0x5D};
    std::copy(std::begin(bank0), std::end(bank0), r.begin());
    r[0x80] = 0x12;
    for (int a = 0x20; a < 0x50; ++a)
        r[std::size_t(a)] = std::uint8_t(0xA0 + a - 0x20);
    r[256] = 0x8B, r[257] = 0x92, r[258] = 0x0A;

    EXPECT_EQ(DebugDump::ProcessedView(r), (QStringList{
        QStringLiteral("SP:  $8B       IE:  $92       IP:  $0A       PC:   $1234"),
        QStringLiteral("PSW: $40       ACC: $45       B:   $0A       DPTR: $0180"),
        QStringLiteral("R0:  $31       R1:  $38       R2:  $1C       R3:   $03"),
        QStringLiteral("R4:  $2A       R5:  $3B       R6:  $4C       R7:   $5D"),
        QString(),
        QStringLiteral("Výpis zásobníku"),
        QStringLiteral(" * 12"),
        QString(),
        QStringLiteral("Výpis paměti $20 - $4F"),
        QStringLiteral(" * A0 A1 A2 A3 A4 A5 A6 A7 A8 A9 AA AB AC AD AE AF"),
        QStringLiteral(" * B0 B1 B2 B3 B4 B5 B6 B7 B8 B9 BA BB BC BD BE BF"),
        QStringLiteral(" * C0 C1 C2 C3 C4 C5 C6 C7 C8 C9 CA CB CC CD CE CF"),
    }));
    EXPECT_EQ(DebugDump::RegisterLines(r),
              (QStringList{QStringLiteral("SP: $8B"), QStringLiteral("IE: $92"), QStringLiteral("IP: $0A")}));
}

TEST(DebugDump, StackPartAtItsBoundaries)
{
    const std::pair<int, QStringList> cases[] = {
        // The saved registers fill 0x80 … 0x88: nothing older on the stack.
        {0x8A, {QStringLiteral(" *")}},
        {0x8B, {QStringLiteral(" * 80")}},
        {0x9A, {QStringLiteral(" * 8F 8E 8D 8C 8B 8A 89 88 87 86 85 84 83 82 81 80"), QStringLiteral(" *")}},
        {0x9B, {QStringLiteral(" * 90 8F 8E 8D 8C 8B 8A 89 88 87 86 85 84 83 82 81"), QStringLiteral(" * 80")}},
    };
    for (const auto& [sp, stack] : cases)
        EXPECT_EQ(StackLines(DebugDump::ProcessedView(AddressedSnapshot(sp))), stack) << sp;
}

TEST(DebugDump, StackPointerTooLowToDecode)
{
    for (int sp : {0, 9}) {
        const QStringList view = DebugDump::ProcessedView(AddressedSnapshot(sp));
        // One line in place of the four register lines, naming the pointer;
        // the dumps follow.
        EXPECT_TRUE(view[0].contains(QStringLiteral("$") + H(sp)) && view[0].contains(QStringLiteral("nelze")))
            << view[0].toStdString();
        EXPECT_EQ(view.mid(1, 4), (QStringList{QString(), QStringLiteral("Výpis zásobníku"), QStringLiteral(" *"), QString()}));
        EXPECT_EQ(view.size(), 1 + 4 + 1 + 3);
    }
    EXPECT_TRUE(DebugDump::ProcessedView(AddressedSnapshot(10))[0].endsWith(QStringLiteral("PC:   $0100")));
}

// For every stack pointer: the registers from where they were saved, each
// stack byte from S − 11 down to 0x80 once and in that order, full lines of
// 16, and the variables in three full lines.  With memory that holds its
// addresses, a read outside would show as a wrong group.
TEST(DebugDump, EveryStackPointerReadsOnlyTheSnapshotsMemory)
{
    const QRegularExpression group(QStringLiteral(" ([0-9A-F]{2})"));
    for (int sp = 0; sp < 256; ++sp) {
        SCOPED_TRACE(sp);
        const QStringList view = DebugDump::ProcessedView(AddressedSnapshot(sp));
        std::vector<int> addresses, expected;
        const QStringList stack = StackLines(view);
        for (qsizetype i = 0; i < stack.size(); ++i) {
            if (i + 1 < stack.size()) {
                EXPECT_EQ(stack[i].size(), 50);
            }
            for (auto m = group.globalMatch(stack[i]); m.hasNext();)
                addresses.push_back(m.next().captured(1).toInt(nullptr, 16));
        }
        for (int a = sp - 11; a >= 0x80; --a)
            expected.push_back(a);
        EXPECT_EQ(addresses, expected);
        EXPECT_LT(stack.back().size(), 50);

        const QStringList memory = view.mid(view.size() - 3);
        for (int line = 0; line < 3; ++line)
            EXPECT_EQ(memory[line].size(), 50);
        EXPECT_TRUE(memory[0].startsWith(QStringLiteral(" * 20 21")) && memory[2].endsWith(QStringLiteral(" 4E 4F")));
        if (sp >= 10) {
            EXPECT_TRUE(view[0].endsWith(QStringLiteral("PC:   $") + H(sp - 9) + H(sp - 10)));
            EXPECT_TRUE(view[1].startsWith(QStringLiteral("PSW: $") + H(sp - 8)));
            EXPECT_TRUE(view[2].startsWith(QStringLiteral("R0:  $") + H(sp - 3)));
        }
    }
}

}  // namespace
