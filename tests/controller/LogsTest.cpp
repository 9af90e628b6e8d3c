// The log table without a window: ring order, headings, value texts, time
// labels, the clipboard text and the CSV bytes.
#include <gtest/gtest.h>

#include <QTimeZone>

#include "LogReads.h"
#include "files/LogCsv.h"

namespace {

const QDateTime MondayMorning(QDate(2024, 1, 1), QTime(7, 42, 13));

PageBuffer Ring(int first, int step)  // entry e holds first + step·e
{
    return logs_test::Ring([=](int e) { return first + step * e; });
}

using logs_test::Page0;

// As the tab shows it: labels, then the columns read (none, or all four
// rings).
struct Table : logs_test::ReadLogs {
    explicit Table(const PageBuffer* page0 = nullptr, const std::array<PageBuffer, 4>& rings = {})
        : ReadLogs(MondayMorning)
    {
        if (page0)
            Add({MondayMorning, *page0, rings});
    }
};

TEST(LogTable, RowsFollowTheRingFromTheLogIndex)
{
    const PageBuffer page0 = Page0(0x05, 0, 1, 2);
    const std::array<PageBuffer, 4> rings{Ring(0, 1), Ring(64, 1), Ring(128, 1), Ring(7, 1)};
    const Table table(&page0, rings);
    for (const auto& [row, entry] : {std::pair{256, 5}, {255, 4}, {251, 0}, {250, 255}, {1, 6}}) {
        for (int column = 1; column <= 3; ++column)
            EXPECT_EQ(table.Cell(column, row), LogTemperatureText(std::uint8_t(rings[std::size_t(column - 1)][entry])))
                << "row " << row << " column " << column;
        EXPECT_EQ(table.Cell(4, row), LogBoilerText(rings[3][std::size_t(entry)])) << "row " << row;
    }
}

TEST(LogTable, HeadingsNameTheLoggedSensors)
{
    EXPECT_EQ(Table().Cell(1, 0), QString());  // until the first read
    const PageBuffer page0 = Page0(0, 0x04, 0x00, 0x09);
    const Table table(&page0);
    QStringList headings;
    for (int column = 0; column < 5; ++column)
        headings << table.Cell(column, 0);
    EXPECT_EQ(headings, (QStringList{"Datum", "Venkovní", "Výst. voda", "(chyba)", "Kotel"}));
    const auto sensors = DecodeLogLayout(Page0(0x9C, 7, 8, 0xFF)).sensors;
    EXPECT_EQ((std::array<QString, 3>{LogSensorRole(sensors[0]), LogSensorRole(sensors[1]), LogSensorRole(sensors[2])}),
              (std::array<QString, 3>{"Uživ. 3", "(chyba)", "(chyba)"}));
}

TEST(LogTable, ValueTexts)
{
    struct Case {
        std::uint8_t entry;
        const char *temperature, *boiler;
    };
    for (const Case& c : {Case{0xF6, "-10 °C", "65 min 36 sec"}, Case{0x00, "0 °C", "0 min 0 sec"},
                          Case{0x2D, "45 °C", "12 min 0 sec"}, Case{0xFF, "-1 °C", "68 min 0 sec"},
                          Case{0x7F, "127 °C", "33 min 52 sec"}, Case{0x80, "-128 °C", "34 min 8 sec"}}) {
        EXPECT_EQ(LogTemperatureText(c.entry), QString::fromUtf8(c.temperature)) << int(c.entry);
        EXPECT_EQ(LogBoilerText(c.entry), QString::fromUtf8(c.boiler)) << int(c.entry);
    }
}

TEST(LogTable, TimeLabelsStepBackOnTheWallClock)
{
    const QTimeZone prague("Europe/Prague");
    const QDateTime springForward(QDate(2024, 3, 31), QTime(3, 30), prague);  // 2:00 became 3:00
    const QDateTime fallBack(QDate(2024, 10, 27), QTime(4, 10), prague);      // 3:00 became 2:00
    struct Case {
        QDateTime now;
        int row;
        const char* label;
    };
    for (const Case& c : {Case{MondayMorning, 256, "Po 7:00"}, Case{MondayMorning, 249, "Po 0:00"},
                          Case{MondayMorning, 248, "Ne 23:00"}, Case{MondayMorning, 1, "Čt 16:00"},
                          Case{QDateTime(QDate(2024, 1, 2), QTime(9, 0)), 256, "Út 9:00"},
                          Case{QDateTime(QDate(2024, 1, 3), QTime(0, 0)), 256, "St 0:00"},
                          Case{QDateTime(QDate(2024, 1, 5), QTime(12, 5)), 256, "Pá 12:00"},
                          Case{QDateTime(QDate(2024, 1, 6), QTime(23, 59)), 256, "So 23:00"},
                          // Plain arithmetic: the hour that never was, and 2:00 only once.
                          Case{springForward, 255, "Ne 2:00"}, Case{springForward, 254, "Ne 1:00"},
                          Case{fallBack, 254, "Ne 2:00"}, Case{fallBack, 253, "Ne 1:00"}}) {
        EXPECT_EQ(LogTimeLabels(c.now)[std::size_t(c.row - 1)], QString::fromUtf8(c.label))
            << c.now.toString(Qt::ISODate).toStdString() << " row " << c.row;
    }
}

TEST(LogTable, ClipboardTextDropsTheUnits)
{
    const PageBuffer page0 = Page0(0, 4, 0, 3);
    const Table read(&page0, {Ring(0xF6, 0), Ring(0x2D, 0), Ring(0x05, 0), Ring(0x2F, 0)});
    const Table never;
    struct Case {
        const LogTable* table;
        int first, last;
        const char* text;
    };
    for (const Case& c : {// Before any read: the label, a tab, three more tabs, CR LF.
                          Case{&never, 255, 256, "Po 6:00\t\t\t\t\r\nPo 7:00\t\t\t\t\r\n"},
                          // "12 min 32 sec" keeps the space before "sec".
                          Case{&read, 256, 256, "Po 7:00\t-10\t45\t5\t12 min 32 \r\n"},
                          Case{&read, 0, 1, "Čt 16:00\t-10\t45\t5\t12 min 32 \r\n"}, Case{&read, 5, 4, ""}})
        EXPECT_EQ(c.table->ClipboardText(c.first, c.last), QString::fromUtf8(c.text)) << c.first << ".." << c.last;
}

TEST(LogTable, AnHoursTipNamesEachColumnRead)
{
    EXPECT_EQ(Table().HourTip(1), QStringLiteral("Čt 16:00"));
    const PageBuffer page0 = Page0(0, 4, 0, 3);
    EXPECT_EQ(Table(&page0, {Ring(0xF6, 0), Ring(0x2D, 0), Ring(0x05, 0), Ring(0x2F, 0)}).HourTip(256),
              QStringLiteral("Po 7:00\nVenkovní: -10 °C\nVýst. voda: 45 °C\nVnitřní: 5 °C\nKotel: 12 min 32 sec"));
}

// The expected file from literal Windows-1250 bytes, not from the program's
// texts: the 256 hours up to Monday 7:00, each with the given value fields.
QByteArray ExpectedCsv(const QByteArray& heading, const QByteArray& values)
{
    const QByteArray days[] = {"Po", "\xDAt", "St", "\xC8t", "P\xE1", "So", "Ne"};
    QByteArray csv = heading + "\r\n";
    for (int hour = 3 * 24 + 16; hour < 3 * 24 + 16 + 256; ++hour)  // from Thursday 16:00
        csv += days[hour / 24 % 7] + ' ' + QByteArray::number(hour % 24) + ":00" + values + "\r\n";
    return csv;
}

TEST(LogCsv, ByteForByte)
{
    EXPECT_EQ(LogCsvBytes(Table()), ExpectedCsv("Datum;;;;Kotel", ";;;;"));
    const PageBuffer page0 = Page0(0x17, 4, 5, 3);
    EXPECT_EQ(LogCsvBytes(Table(&page0, {Ring(0xF6, 0), Ring(0x15, 0), Ring(0x80, 0), Ring(0xFF, 0)})),
              ExpectedCsv("Datum;Venkovn\xED;Ze\xEF;Vnit\xF8n\xED;Kotel",
                          ";-10 \xB0" "C;21 \xB0" "C;-128 \xB0" "C;68 min 0 sec"));
}

}  // namespace
