// What holds for every block's field table, and the compare that names
// changed fields through them.  That each row lies inside its block is
// checked when a table is compiled (BlockTable).
#include "controller/FieldCompare.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "controller/ModeProgram.h"
#include "controller/OutdoorTable.h"
#include "controller/RegulationConstants.h"
#include "controller/StatusBlocks.h"

namespace {

struct TableRows {
    const char* name;
    int size;
    std::vector<const FieldSpec*> rows;
};

template <typename Model, std::size_t N, std::size_t Size>
TableRows RowsOf(const char* name, const BlockTable<Model, N, Size>& table)
{
    TableRows t{name, int(Size), {}};
    for (const FieldSpec& row : table)
        t.rows.push_back(&row);
    return t;
}

std::vector<TableRows> AllTables()
{
    return {
        RowsOf("page 0", ConstantsTable),
        RowsOf("page 1", EkvithPage.fields),
        RowsOf("page 2", WallPage.fields),
        RowsOf("time program", ModeProgramTable),
        RowsOf("status", StatusTable),
        RowsOf("clock", ClockTable),
        RowsOf("sensor temperatures", SensorTable<RowKind::SignedByte>),
        RowsOf("sensor readings", SensorTable<RowKind::Byte>),
    };
}

// Two rows may share a byte only as bits of it, each its own bit.
bool Overlap(const FieldSpec& a, const FieldSpec& b)
{
    if (a.End() <= b.offset || b.End() <= a.offset)
        return false;
    return !(a.kind == RowKind::Bit && b.kind == RowKind::Bit && a.offset == b.offset && a.bit != b.bit);
}

FieldSpec RowAt(RowKind kind, int offset, int width = 1, int bit = 0)
{
    FieldSpec row;
    row.kind = kind;
    row.offset = offset;
    row.width = width;
    row.bit = bit;
    return row;
}

TEST(FieldTables, NoRowOverlapsAnotherButBitsOfOneByte)
{
    // The rule itself, on rows a table might hold by mistake.
    EXPECT_TRUE(Overlap(RowAt(RowKind::Byte, 5), RowAt(RowKind::Counter, 4, 4)));
    EXPECT_TRUE(Overlap(RowAt(RowKind::NameSlot, 128, 16), RowAt(RowKind::NameSlot, 143, 16)));
    EXPECT_TRUE(Overlap(RowAt(RowKind::Bit, 40, 1, 3), RowAt(RowKind::Bit, 40, 1, 3)));
    EXPECT_TRUE(Overlap(RowAt(RowKind::Bit, 40, 1, 3), RowAt(RowKind::Byte, 40)));
    EXPECT_FALSE(Overlap(RowAt(RowKind::Bit, 40, 1, 3), RowAt(RowKind::Bit, 40, 1, 4)));
    EXPECT_FALSE(Overlap(RowAt(RowKind::CellRun, 0, 672), RowAt(RowKind::Zeros, 672, 96)));

    for (const TableRows& table : AllTables()) {
        for (std::size_t i = 0; i < table.rows.size(); ++i)
            for (std::size_t j = i + 1; j < table.rows.size(); ++j)
                EXPECT_FALSE(Overlap(*table.rows[i], *table.rows[j]))
                    << table.name << ": " << table.rows[i]->Key().toStdString() << " at " << table.rows[i]->offset
                    << " and " << table.rows[j]->Key().toStdString() << " at " << table.rows[j]->offset;
    }
}

// A key written twice would make a parameter file keep one of two values
// and a widget show two fields; a name twice would make the compare say
// the same change of two fields.
TEST(FieldTables, KeysAndNamesAreUnique)
{
    for (const TableRows& table : AllTables()) {
        std::set<QString> keys, names;
        for (const FieldSpec* row : table.rows) {
            if (!row->Decoded())
                continue;
            EXPECT_TRUE(keys.insert(row->Key()).second) << table.name << ": key " << row->Key().toStdString();
            if (row->kind != RowKind::CellRun) {
                EXPECT_TRUE(names.insert(row->Name()).second) << table.name << ": name " << row->Name().toStdString();
            }
        }
    }
}

// The program owns the whole of these blocks and writes them from zeros: a
// byte no row writes would go to the Controller as 0.
TEST(FieldTables, TheBlocksWrittenWholeHaveARowForEveryByte)
{
    for (const TableRows& table : {RowsOf("page 1", EkvithPage.fields), RowsOf("page 2", WallPage.fields),
                                   RowsOf("time program", ModeProgramTable)}) {
        std::vector<int> owners(std::size_t(table.size), 0);
        for (const FieldSpec* row : table.rows)
            for (int byte = row->offset; byte < row->End(); ++byte)
                ++owners[std::size_t(byte)];
        for (int byte = 0; byte < table.size; ++byte)
            EXPECT_EQ(owners[std::size_t(byte)], 1) << table.name << " byte " << byte;
    }
}

std::vector<QString> Texts(const std::vector<FieldChange>& changes)
{
    std::vector<QString> texts;
    for (const FieldChange& change : changes)
        texts.push_back(change.Text());
    return texts;
}

TEST(FieldCompare, NamesWhatTheWindowShows)
{
    PageBuffer before{}, after{};
    // Page 0: spin, list, the two lists of one label, a bit, a name, the
    // counters, the log index; a byte beyond a spin's range shows as the
    // range's end either way; a byte no field owns names nothing.
    before[23] = 75, after[23] = 80;
    before[24] = 200, after[24] = 130;
    before[1] = 1, after[1] = 2;
    before[3] = 0, after[3] = 9;
    after[40] = 0x08;
    std::copy_n("Kotel", 5, &before[160]);
    std::copy_n("Obyvak", 6, &after[160]);
    after[7] = 3;
    after[11] = 60;
    before[6] = 17, after[6] = 18;
    after[12] = 0xAA;
    EXPECT_EQ(Texts(ChangedFieldsOfPage(Page::Constants, before, after)),
              (std::vector<QString>{
                  QStringLiteral("Max. stř. teplota: 75 → 80"),
                  QStringLiteral("Režim kalorest: Ekvitermní → Termostat"),
                  QStringLiteral("Režim kalorest po přepnutí: Vypnuto → (nic)"),
                  QStringLiteral("Čidlo 3 v provozu: ne → ano"),
                  QStringLiteral("Název čidla 2: Kotel → Obyvak"),
                  QStringLiteral("Počet spuštění: 0 → 3"),
                  QStringLiteral("Celk. doba běhu kotle: 0 hod 0 min 0 sec → 0 hod 1 min 0 sec"),
                  QStringLiteral("Index záznamů: 17 → 18"),
              }));

    // Pages 1 and 2: a row by its temperature, the carried ends by nobody.
    before.fill(50), after.fill(50);
    after[118] = 64, after[5] = 0;
    EXPECT_EQ(Texts(ChangedFieldsOfPage(Page::Ekvith, before, after)),
              std::vector<QString>{QStringLiteral("Topná voda -10 °C: 50 → 64")});
    after[88] = 0xFE;
    EXPECT_EQ(Texts(ChangedFieldsOfPage(Page::Wall, before, after)),
              (std::vector<QString>{QStringLiteral("Teplota zdi -40 °C: 50 → -2"),
                                    QStringLiteral("Teplota zdi -10 °C: 50 → 64")}));

    // A time program's page by the cells on it: the second page of B
    // starts with Wednesday 16:00; the tail of the third belongs to nobody.
    before.fill(0), after.fill(0);
    after[0] = 0x80 | 21;
    after[1] = 0x40 | 5;
    after[2] = 0xC0;
    EXPECT_EQ(Texts(ChangedFieldsOfPage(Page::ModeB + 1, before, after)),
              (std::vector<QString>{QStringLiteral("Středa 16:00 hod: V Vypnuto → T 21 °C"),
                                    QStringLiteral("Středa 16:15 hod: V Vypnuto → E +10%"),
                                    QStringLiteral("Středa 16:30 hod: V Vypnuto → (nic)")}));
    after.fill(0);
    after[200] = 7;
    EXPECT_TRUE(ChangedFieldsOfPage(Page::ModeC + 2, before, after).empty());
    EXPECT_TRUE(ChangedFieldsOfPage(Page::FirstLog, before, after).empty());
}

}  // namespace
