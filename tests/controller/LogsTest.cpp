// The log table without a window: ring order, headings, value texts, time
// labels, the clipboard text and the CSV bytes.
#include "controller/Logs.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTimeZone>

#include "files/AtomicFile.h"
#include "files/LogCsv.h"

namespace {

// Monday 1 January 2024, 7:42 on the wall clock.
QDateTime MondayMorning()
{
    return QDateTime(QDate(2024, 1, 1), QTime(7, 42, 13));
}

PageBuffer Filled(std::uint8_t value)
{
    PageBuffer page;
    page.fill(value);
    return page;
}

// Entry e holds e + shift, so every entry of every ring is told apart.
PageBuffer Numbered(int shift)
{
    PageBuffer page;
    for (int e = 0; e < 256; ++e)
        page[std::size_t(e)] = std::uint8_t(e + shift);
    return page;
}

PageBuffer Page0(std::uint8_t index, std::uint8_t log1, std::uint8_t log2, std::uint8_t log3)
{
    PageBuffer page = Filled(0);
    page[6] = index;
    page[41] = log1;
    page[42] = log2;
    page[43] = log3;
    return page;
}

// A table as the tab shows it after a full read.
LogTable ReadTable(const PageBuffer& page0, const std::array<PageBuffer, 4>& rings, const QDateTime& now)
{
    LogTable table;
    table.SetHeadings();
    table.SetTimeLabels(now);
    const LogLayout layout = DecodeLogLayout(page0);
    for (int column = 1; column <= 4; ++column)
        table.SetColumn(column, rings[std::size_t(column - 1)], layout);
    return table;
}

LogTable NeverRead(const QDateTime& now)
{
    LogTable table;
    table.SetHeadings();
    table.SetTimeLabels(now);
    return table;
}

TEST(LogTable, RowsFollowTheRingFromTheLogIndex)
{
    const std::array<PageBuffer, 4> rings{Numbered(0), Numbered(64), Numbered(128), Numbered(192)};
    const LogTable table = ReadTable(Page0(0x05, 0, 1, 2), rings, MondayMorning());
    struct Case {
        int row, entry;
    };
    // Row 256 is the newest entry, row 1 the one just after it in the ring.
    for (const Case c : {Case{256, 5}, Case{255, 4}, Case{251, 0}, Case{250, 255}, Case{1, 6}}) {
        for (int column = 1; column <= 3; ++column) {
            const auto entry = rings[std::size_t(column - 1)][std::size_t(c.entry)];
            EXPECT_EQ(table.Cell(column, c.row), LogTemperatureText(entry)) << "row " << c.row << " column " << column;
        }
        EXPECT_EQ(table.Cell(4, c.row), LogBoilerText(rings[3][std::size_t(c.entry)])) << "row " << c.row;
    }
}

TEST(LogTable, HeadingsNameTheLoggedSensors)
{
    struct Case {
        std::array<std::uint8_t, 3> bytes;
        std::array<const char*, 3> headings;
    };
    const Case cases[] = {
        {{0x04, 0x00, 0x09}, {"Venkovní", "Výst. voda", "(chyba)"}},
        {{0x07, 0x08, 0xFF}, {"Uživ. 3", "(chyba)", "(chyba)"}},
        {{0x05, 0x03, 0x01}, {"Zeď", "Vnitřní", "Vrat. voda"}},
    };
    for (const Case& c : cases) {
        LogTable table;
        table.SetHeadings();
        // The headings stay empty until their page has been read.
        EXPECT_EQ(table.Cell(1, 0), QString());
        const LogLayout layout = DecodeLogLayout(Page0(0x33, c.bytes[0], c.bytes[1], c.bytes[2]));
        EXPECT_EQ(layout.index, 0x33);
        for (int column = 1; column <= 4; ++column)
            table.SetColumn(column, Filled(0), layout);
        EXPECT_EQ(table.Cell(0, 0), QStringLiteral("Datum"));
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(table.Cell(k + 1, 0), QString::fromUtf8(c.headings[std::size_t(k)])) << int(c.bytes[std::size_t(k)]);
        EXPECT_EQ(table.Cell(4, 0), QStringLiteral("Kotel"));
    }
}

TEST(LogTable, ValueTexts)
{
    struct Case {
        std::uint8_t entry;
        const char* temperature;
        const char* boiler;
    };
    const Case cases[] = {
        {0xF6, "-10 °C", "65 min 36 sec"}, {0x00, "0 °C", "0 min 0 sec"},
        {0x2D, "45 °C", "12 min 0 sec"},   {0xFF, "-1 °C", "68 min 0 sec"},
        {0x7F, "127 °C", "33 min 52 sec"}, {0x80, "-128 °C", "34 min 8 sec"},
        {0x04, "4 °C", "1 min 4 sec"},     {0x01, "1 °C", "0 min 16 sec"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LogTemperatureText(c.entry), QString::fromUtf8(c.temperature)) << int(c.entry);
        EXPECT_EQ(LogBoilerText(c.entry), QString::fromUtf8(c.boiler)) << int(c.entry);
    }
}

TEST(LogTable, TimeLabelsStepBackOnTheWallClock)
{
    struct Case {
        QDateTime now;
        int row;
        const char* label;
    };
    const QTimeZone prague("Europe/Prague");
    const Case cases[] = {
        // No leading zero, minutes dropped, across midnight into the week before.
        {MondayMorning(), 256, "Po 7:00"},
        {MondayMorning(), 249, "Po 0:00"},
        {MondayMorning(), 248, "Ne 23:00"},
        {MondayMorning(), 1, "Čt 16:00"},  // 255 hours earlier
        {QDateTime(QDate(2024, 1, 3), QTime(0, 0)), 256, "St 0:00"},
        {QDateTime(QDate(2024, 1, 3), QTime(0, 0)), 232, "Út 0:00"},
        {QDateTime(QDate(2024, 1, 5), QTime(12, 5)), 256, "Pá 12:00"},
        {QDateTime(QDate(2024, 1, 6), QTime(23, 59)), 256, "So 23:00"},
        // Half an hour after the clocks went forward (2:00 became 3:00): plain
        // arithmetic on the wall clock names the hour that never was.
        {QDateTime(QDate(2024, 3, 31), QTime(3, 30), prague), 255, "Ne 2:00"},
        {QDateTime(QDate(2024, 3, 31), QTime(3, 30), prague), 254, "Ne 1:00"},
        // An hour after they went back (3:00 became 2:00 again): 2:00 once.
        {QDateTime(QDate(2024, 10, 27), QTime(4, 10), prague), 254, "Ne 2:00"},
        {QDateTime(QDate(2024, 10, 27), QTime(4, 10), prague), 253, "Ne 1:00"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(c.now.isValid());
        EXPECT_EQ(LogTimeLabels(c.now)[std::size_t(c.row - 1)], QString::fromUtf8(c.label))
            << c.now.toString(Qt::ISODate).toStdString() << " row " << c.row;
    }
}

TEST(LogTable, LabelsMoveAnHourOnWhileTheValuesStay)
{
    const std::array<PageBuffer, 4> rings{Numbered(0), Numbered(3), Numbered(7), Numbered(11)};
    LogTable table = ReadTable(Page0(0x9C, 4, 0, 3), rings, MondayMorning());
    const LogTable before = table;
    table.SetTimeLabels(MondayMorning().addSecs(3600));
    EXPECT_EQ(table.Cell(0, 256), QStringLiteral("Po 8:00"));
    for (int row = 1; row <= 256; ++row) {
        if (row < 256) {
            EXPECT_EQ(table.Cell(0, row), before.Cell(0, row + 1)) << row;
        }
        for (int column = 1; column <= 4; ++column)
            EXPECT_EQ(table.Cell(column, row), before.Cell(column, row)) << column << "," << row;
    }
}

TEST(LogTable, ClipboardTextDropsTheUnits)
{
    const std::array<PageBuffer, 4> rings{Filled(0xF6), Filled(0x2D), Filled(0x05), Filled(0x2F)};
    const LogTable read = ReadTable(Page0(0, 4, 0, 3), rings, MondayMorning());
    const LogTable empty = NeverRead(MondayMorning());
    struct Case {
        const LogTable* table;
        int first, last;
        const char* text;
    };
    const Case cases[] = {
        // Before any read: the label, a tab, three more tabs, CR LF.
        {&empty, 255, 256, "Po 6:00\t\t\t\t\r\nPo 7:00\t\t\t\t\r\n"},
        {&empty, 1, 1, "Čt 16:00\t\t\t\t\r\n"},
        // "12 min 32 sec" loses "sec" and keeps the space before it.
        {&read, 256, 256, "Po 7:00\t-10\t45\t5\t12 min 32 \r\n"},
        {&read, 0, 1, "Čt 16:00\t-10\t45\t5\t12 min 32 \r\n"},
        {&read, 256, 300, "Po 7:00\t-10\t45\t5\t12 min 32 \r\n"},
        {&read, 5, 4, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.table->ClipboardText(c.first, c.last), QString::fromUtf8(c.text)) << c.first << ".." << c.last;
}

// The expected file, built from literal Windows-1250 bytes rather than from
// the program's own texts: the labels of the 256 hours up to Monday 7:00,
// each followed by the given value fields.
QByteArray ExpectedCsv(const QByteArray& heading, const QByteArray& values)
{
    const QByteArray days[] = {"Po", "\xDAt", "St", "\xC8t", "P\xE1", "So", "Ne"};
    QByteArray csv = heading + "\r\n";
    int day = 3, hour = 16;  // row 1: Thursday 16:00
    for (int row = 1; row <= 256; ++row) {
        csv += days[day] + ' ' + QByteArray::number(hour) + ":00" + values + "\r\n";
        if (++hour == 24)
            hour = 0, day = (day + 1) % 7;
    }
    return csv;
}

TEST(LogCsv, TableNeverRead)
{
    const QByteArray csv = LogCsvBytes(NeverRead(MondayMorning()));
    EXPECT_EQ(csv, ExpectedCsv("Datum;;;;Kotel", ";;;;"));
    EXPECT_TRUE(csv.startsWith("Datum;;;;Kotel\r\n\xC8t 16:00;;;;\r\n"));
    EXPECT_TRUE(csv.endsWith("\r\nPo 7:00;;;;\r\n"));
}

TEST(LogCsv, ReadTableByteForByte)
{
    const std::array<PageBuffer, 4> rings{Filled(0xF6), Filled(0x15), Filled(0x80), Filled(0xFF)};
    const QByteArray csv = LogCsvBytes(ReadTable(Page0(0x17, 4, 5, 3), rings, MondayMorning()));
    EXPECT_EQ(csv, ExpectedCsv("Datum;Venkovn\xED;Ze\xEF;Vnit\xF8n\xED;Kotel", ";-10 \xB0" "C;21 \xB0" "C;-128 \xB0" "C;68 min 0 sec"));
}

TEST(LogCsv, AFileThatCannotBeWrittenKeepsWhatWasThere)
{
    QTemporaryDir dir;
    const LogTable table = NeverRead(MondayMorning());
    const QString missing = dir.filePath(QStringLiteral("no/such/folder/logs.csv"));
    EXPECT_TRUE(SaveLogCsv(missing, table).has_value());
    EXPECT_FALSE(QFile::exists(missing));

    const QString path = dir.filePath(QStringLiteral("logs.csv"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old log\r\n");
    }
    SetReplaceFileHook([](ReplaceStep step) { return step != ReplaceStep::Write; });
    const auto failed = SaveLogCsv(path, table);
    SetReplaceFileHook({});
    EXPECT_TRUE(failed.has_value());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "old log\r\n");
    file.close();

    EXPECT_EQ(SaveLogCsv(path, table), std::nullopt);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), LogCsvBytes(table));
}

}  // namespace
