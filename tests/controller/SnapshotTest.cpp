// The whole-memory transfers against the simulated Controller: what they
// read, write and skip, byte for byte and command for command, and where a
// read stops on a fault.  The compare without a line.  Faults and cancels
// of a restore: tests/ui/WholeMemoryTest.cpp, with their reports.
#include <gtest/gtest.h>

#include <map>

#include "controller/FieldNames.h"
#include "controller/Snapshot.h"
#include "link/Transaction.h"
#include "tests/support/Eeproms.h"
#include "tests/support/FailureCallback.h"
#include "tests/support/SimLinkTest.h"

namespace {

using Kind = TransferEnd::Kind;
using Step = LinkFailure::Step;
using Image = std::vector<std::uint8_t>;

class SnapshotSim : public SimLinkTest {
protected:
    // The Controller's whole EEPROM, read behind the transfers' back.
    Image Controller() { return ReadEeprom(probe); }
    // Records the progress.
    TransferControl Control()
    {
        return {[this](int done, int total) { steps.emplace_back(done, total); }, {}};
    }

    int failures = 0;
    FailureCallback counter{[this](const LinkFailure&) { ++failures; }};
    ControllerLink link{&counter};
    ControllerLink probe;
    std::vector<std::pair<int, int>> steps;
};

TEST_F(SnapshotSim, ReadsTheChosenPagesInOrderWithProgress)
{
    const Image image = EepromImage(1);
    StartWithImage(image);
    const SnapshotRead some = ReadSnapshot(link, PageSetOf({0, 3, 15}), Control());
    EXPECT_TRUE(some.end.Done());
    EXPECT_EQ(some.snapshot, SnapshotOf(image, PageSetOf({0, 3, 15})));
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 3}, {1, 3}, {2, 3}, {3, 3}}));
    EXPECT_EQ(Commands(), (std::vector<int>{0x20, 0x23, 0x2F}));

    const SnapshotRead all = ReadSnapshot(link, AllPages(), {});
    EXPECT_EQ(all.snapshot, SnapshotOf(image));
}

TEST_F(SnapshotSim, AFailedPageStopsTheReadAndSaysWhichAndWhy)
{
    StartWithImage(EepromImage(2), {"--short-reply", "0x25:100"});
    const SnapshotRead read = ReadSnapshot(link, AllPages(), Control());
    EXPECT_EQ(read.end.kind, Kind::Failed);
    EXPECT_EQ(read.end.failure, (LinkFailure{LinkFailure::Reason::TimeOut, 0x25, 256, 100, Step::PageRead, 5}));
    EXPECT_EQ(read.snapshot, SnapshotOf(EepromImage(2), PageSetOf({0, 1, 2, 3, 4})));
    EXPECT_EQ(Commands(), (std::vector<int>{0x20, 0x21, 0x22, 0x23, 0x24, 0x25}));
    EXPECT_EQ(failures, 1);
    EXPECT_EQ(steps.back(), std::make_pair(5, 16));
}

// ---- restore --------------------------------------------------------------

// The Controller as found, and a backup of it from an earlier visit: other
// settings on pages 0, 1, 4 and 11, other counters and log position, other
// logs on page 13.
struct Visit {
    Image controller = EepromImage(4);
    Image backup = controller;
    Visit()
    {
        for (int page : {1, 4, 11})
            for (int offset : {0, 100, 255})
                ImageByte(backup, page, offset) ^= 0x5A;
        ImageByte(backup, 0, 23) ^= 0x01;  // a setting
        for (int offset = 6; offset <= 11; ++offset)
            ImageByte(backup, 0, offset) ^= 0x80;  // log index and counters
        ImageByte(backup, 13, 40) ^= 0x01;
    }
};

TEST(Restore, KeepsTheLogIndexAndTheCountersOfPage0)
{
    EXPECT_EQ(KeptCounterBytes(), (std::vector<int>{6, 7, 8, 9, 10, 11}));
}

TEST_F(SnapshotSim, RestoreWritesOnlyTheChangedSettingsPagesKeepsTheCountersAndReadsBack)
{
    const Visit visit;
    StartWithImage(visit.controller);
    const PlanRead planned = PlanRestore(link, SnapshotOf(visit.backup), {}, Control());
    ASSERT_TRUE(planned.end.Done());
    EXPECT_EQ(planned.plan.current, SnapshotOf(visit.controller, SettingsPages()));
    EXPECT_EQ(planned.plan.changing, PageSetOf({0, 1, 4, 11}));

    steps.clear();
    const RestoreReport report = ExecuteRestore(link, planned.plan, Control());
    EXPECT_TRUE(report.end.Done());
    EXPECT_EQ(report.written, PageSetOf({0, 1, 4, 11}));
    EXPECT_TRUE(report.stillDiffering.none());
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 4}, {1, 4}, {2, 4}, {3, 4}, {4, 4}}));

    Image expected = visit.backup;
    for (int offset = 6; offset <= 11; ++offset)
        ImageByte(expected, 0, offset) = ImageByte(visit.controller, 0, offset);
    std::copy_n(visit.controller.begin() + 12 * 256, 4 * 256, expected.begin() + 12 * 256);
    EXPECT_EQ(Controller(), expected);
    // The plan's reads; page 0 afresh, written, read back; each other page
    // written and read back; nothing else.
    std::vector<int> commands;
    for (int page = 0; page < 12; ++page)
        commands.push_back(0x20 + page);
    commands.insert(commands.end(), {0x20, 0x30, 0x20, 0x31, 0x21, 0x34, 0x24, 0x3B, 0x2B});
    const std::vector<int> sent = Commands();
    EXPECT_EQ(std::vector<int>(sent.begin(), sent.begin() + std::ptrdiff_t(commands.size())), commands);
}

TEST_F(SnapshotSim, RestoreWithLogsAndCountersMakesTheControllerTheBackup)
{
    const Visit visit;
    StartWithImage(visit.controller);
    const RestoreOptions everything{.logs = true, .counters = true};
    const PlanRead planned = PlanRestore(link, SnapshotOf(visit.backup), everything, {});
    ASSERT_TRUE(planned.end.Done());
    EXPECT_EQ(planned.plan.changing, PageSetOf({0, 1, 4, 11, 13}));
    const RestoreReport report = ExecuteRestore(link, planned.plan, {});
    EXPECT_TRUE(report.end.Done());
    EXPECT_EQ(report.written, PageSetOf({0, 1, 4, 11, 13}));
    EXPECT_EQ(Controller(), visit.backup);
    const std::vector<int> sent = Commands();
    EXPECT_EQ(std::vector<int>(sent.begin() + 16, sent.begin() + 20), (std::vector<int>{0x30, 0x20, 0x31, 0x21}))
        << "with the counters restored, page 0 is not read afresh";
}

TEST_F(SnapshotSim, APageThatReadsBackOtherwiseIsReported)
{
    const Visit visit;
    StartWithImage(visit.controller, {"--stuck-byte", "4:100"});
    const PlanRead planned = PlanRestore(link, SnapshotOf(visit.backup), {}, {});
    const RestoreReport report = ExecuteRestore(link, planned.plan, {});
    EXPECT_TRUE(report.end.Done());
    EXPECT_EQ(report.written, PageSetOf({0, 1, 4, 11}));
    EXPECT_EQ(report.stillDiffering, PageSetOf({4}));
}

// ---- compare ---------------------------------------------------------------

TEST(Compare, ListsEveryDifferingBytePerPageAndThePagesOnlyOneHas)
{
    Image a = EepromImage(6), b = a;
    ImageByte(b, 1, 0) = 0x00;
    ImageByte(b, 1, 255) = 0xFF;
    ImageByte(a, 1, 0) = 0x10;
    ImageByte(a, 1, 255) = 0x20;
    std::vector<int> named;
    const Comparison c = Compare(SnapshotOf(a, PageSetOf({0, 1, 2})), SnapshotOf(b, PageSetOf({1, 2, 3})),
                                 [&](int page, const Snapshot&, const Snapshot&) {
                                     named.push_back(page);
                                     return QStringList{QStringLiteral("x")};
                                 });
    ASSERT_EQ(c.differing.size(), 1u);
    EXPECT_EQ(c.differing[0].page, 1);
    EXPECT_EQ(c.differing[0].bytes, (std::vector<ByteChange>{{0, 0x10, 0x00}, {255, 0x20, 0xFF}}));
    EXPECT_EQ(c.differing[0].fields, QStringList{QStringLiteral("x")});
    EXPECT_EQ(named, std::vector<int>{1});
    EXPECT_EQ(c.same, PageSetOf({2}));
    EXPECT_EQ(c.onlyBefore, PageSetOf({0}));
    EXPECT_EQ(c.onlyAfter, PageSetOf({3}));
    EXPECT_FALSE(c.Equal());
    EXPECT_TRUE(Compare(SnapshotOf(a), SnapshotOf(a)).Equal());
}

// Two known images named in the window's words: page 0 by its captions, the
// curve by its column and temperature, a time program's cell by its program,
// day and time; a byte no field owns and a log byte change no line.
TEST(Compare, NamesTheChangedFieldsInTheWindowsWords)
{
    Snapshot before;
    for (int page = 0; page < Page::Count; ++page)
        before.Put(page, PageBuffer{});
    PageBuffer& constants = before.pages[Page::Constants];
    constants[23] = 75;  // EkvMaxTemp
    constants[1] = 1;    // Mode: Ekvitermní
    for (int i = 0; i < 5; ++i)
        constants[std::size_t(128 + i)] = std::uint8_t("Kotel"[i]);
    before.pages[Page::Ekvith][128 - 10] = 62;
    Snapshot after = before;
    after.pages[Page::Constants][23] = 80;
    after.pages[Page::Constants][1] = 2;
    after.pages[Page::Constants][132] = 'a';
    after.pages[Page::Constants][100] = 0x33;
    after.pages[Page::Ekvith][128 - 10] = 64;
    after.pages[Page::ModeA + Page::ModePages][0] = 0x80 | 21;  // program B, Monday 0:00: thermostat 21 °C
    after.pages[Page::FirstLog][5] = 1;

    const Comparison c = Compare(before, after, TableFieldNamer());
    std::map<int, QStringList> named;
    for (const PageDifference& d : c.differing)
        named[d.page] = d.fields;
    EXPECT_EQ(named[Page::Constants],
              (QStringList{QStringLiteral("Max. stř. teplota: 75 → 80"),
                           QStringLiteral("Režim kalorest: Ekvitermní → Termostat"),
                           QStringLiteral("Název čidla 0: Kotel → Kotea")}));
    EXPECT_EQ(named[Page::Ekvith], QStringList{QStringLiteral("Topná voda -10 °C: 62 → 64")});
    ASSERT_EQ(named[Page::ModeA + Page::ModePages].size(), 1);
    EXPECT_TRUE(named[Page::ModeA + Page::ModePages][0].startsWith(QStringLiteral("Režim B - slabý, ")));
    EXPECT_TRUE(named[Page::FirstLog].isEmpty());
    EXPECT_EQ(c.differing.size(), 4u);
}

}  // namespace
