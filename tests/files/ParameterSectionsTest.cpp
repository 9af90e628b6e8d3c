// The tabs' sections of a parameter file: which keys a save writes, in
// which order and form (checked by the file's bytes), that it touches no
// other section, and what a load makes of each value.
#include "files/ParameterSections.h"

#include "files/ParameterFile.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <variant>
#include "tests/support/FileBytes.h"
#include "tests/support/FillInputValues.h"


namespace {

class ParameterSectionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
    }
    QString Path() const { return dir.filePath(QStringLiteral("kotelna.vsk")); }
    QTemporaryDir dir;
};

// The other tabs' sections, as a technician's file might hold them.
const QByteArray OtherSections = "; kotelna Novák\r\n[Ekvith]\r\nEkvith-40=79\r\nEkvithFillB=-0,7\r\n"
                                 "\r\n[Wall]\r\nWall-40=-2\r\nEkvithFillB=0,3\r\n";

TEST_F(ParameterSectionsTest, ConstSavesItsFieldsInOrderAndInPlace)
{
    Put(Path(), OtherSections);
    RegulationConstants model;
    model.EkvMaxTemp = 70;
    model.Shift = -10;
    model.Mode = -1;  // no selection
    model.ThstatSens = 7;
    model.SensUsed[2] = true;
    model.SensName[2] = QStringLiteral("Kotel č.2");
    model.SensCorr[7] = -3;
    model.RunCount = 5;  // the counters never go to the file
    model.BlrCounter = 99;
    ASSERT_EQ(SaveConstSection(Path(), model), std::nullopt);
    const QByteArray first = OtherSections +
        "\r\n[Const]\r\nEkvMaxTemp=70\r\nEkvRange=0\r\nShift=-10\r\nWallMul=0\r\nWallMax=0\r\nBlrLoRate=0\r\n"
        "BlrHiRate=0\r\nEkvLoShift=0\r\nEkvHiShift=0\r\nThstatLoTemp=0\r\nThstatHiTemp=0\r\nThstat=0\r\n"
        "ThstatSens=7\r\nThstatDelay=0\r\nMode=-1\r\nPumpMinTemp=0\r\nSwMode=0\r\nSwDays=0\r\nSwHours=0\r\n"
        "Log1=0\r\nLog2=0\r\nLog3=0\r\nSensorFirst=0\r\n"
        "Sens0Used=0\r\nSens1Used=0\r\nSens2Used=1\r\nSens3Used=0\r\nSens4Used=0\r\nSens5Used=0\r\nSens6Used=0\r\n"
        "Sens7Used=0\r\n"
        "Sens0Name=\r\nSens1Name=\r\nSens2Name=Kotel \xE8.2\r\nSens3Name=\r\nSens4Name=\r\nSens5Name=\r\n"
        "Sens6Name=\r\nSens7Name=\r\n"
        "Sens0Corr=0\r\nSens1Corr=0\r\nSens2Corr=0\r\nSens3Corr=0\r\nSens4Corr=0\r\nSens5Corr=0\r\nSens6Corr=0\r\n"
        "Sens7Corr=-3\r\n";
    EXPECT_EQ(Contents(Path()), first);

    // Saved again: each value in its own line, no key twice.
    model.EkvMaxTemp = 71;
    model.SensName[2].clear();
    model.SensUsed[2] = false;
    ASSERT_EQ(SaveConstSection(Path(), model), std::nullopt);
    QByteArray second = first;
    second.replace("EkvMaxTemp=70", "EkvMaxTemp=71")
        .replace("Sens2Used=1", "Sens2Used=0")
        .replace("Sens2Name=Kotel \xE8.2", "Sens2Name=");
    EXPECT_EQ(Contents(Path()), second);
}

using Value = std::variant<int, bool, QString>;

Value ValueOf(const char* key, RegulationConstants& model)
{
    const auto* field = FindField(ConstantsFields(), QString::fromLatin1(key));
    EXPECT_NE(field, nullptr) << key;
    if (!field)
        return 0;
    return std::visit(
        [](auto member) -> Value {
            if constexpr (!std::is_pointer_v<decltype(member)>)
                return 0;  // no field of the file is anything but a value
            else if constexpr (std::is_same_v<decltype(member), std::uint32_t*>)
                return int(*member);
            else
                return *member;
        },
        field->Of(model));
}

void AssignValue(const char* key, RegulationConstants& model, const Value& value)
{
    const FieldRef ref = FindField(ConstantsFields(), QString::fromLatin1(key))->Of(model);
    std::visit([&ref](const auto& v) { *std::get<std::remove_cvref_t<decltype(v)>*>(ref) = v; }, value);
}

// Every field of the file set away from its default, so that a load which
// leaves one alone shows.
RegulationConstants Filled()
{
    RegulationConstants model;
    for (const auto& field : ConstantsFields()) {
        std::visit(
            [](auto member) {
                using T = std::remove_pointer_t<decltype(member)>;
                if constexpr (!std::is_pointer_v<decltype(member)>)
                    return;  // the log index: the model holds no copy of it
                else if constexpr (std::is_same_v<T, QString>)
                    *member = QStringLiteral("x");
                else
                    *member = T(1);
            },
            field.Of(model));
    }
    return model;
}

TEST_F(ParameterSectionsTest, ConstLoadsEachValueAsItsWidgetShowsIt)
{
    const QString twenty = QStringLiteral("Venkovní čidlo sever");
    ASSERT_EQ(twenty.size(), 20);
    const struct {
        const char* entry;
        const char* key;
        Value value;
    } cases[] = {
        {"Mode=7", "Mode", -1},           {"Mode=-1", "Mode", -1},       {"Mode=5", "Mode", 5},
        {"ThstatSens=8", "ThstatSens", -1}, {"Log3=$7", "Log3", 7},
        {"Shift=0x10", "Shift", 16},      {"Shift=$10", "Shift", 16},    {"Shift=1.5", "Shift", 0},
        {"Shift=abc", "Shift", 0},        {"Shift=-128", "Shift", -128},
        {"EkvMaxTemp=200", "EkvMaxTemp", 127}, {"Sens3Corr=-200", "Sens3Corr", -128},
        {"BlrLoRate=150", "BlrLoRate", 100},   {"SwDays=-1", "SwDays", 0},
        {"Sens0Used=2", "Sens0Used", true},    {"Sens0Used=yes", "Sens0Used", false},
        {"sens7used=1", "Sens7Used", true},
        {"Sens2Name=Venkovn\xED \xE8idlo sever", "Sens2Name", twenty},
        {"Sens5Name=  Sklep  ", "Sens5Name", QStringLiteral("Sklep")},
    };
    for (const auto& c : cases) {
        Put(Path(), QByteArray("[Ekvith]\r\nEkvith0=5\r\n[Const]\r\n") + c.entry + "\r\n");
        RegulationConstants model = Filled();
        model.RunCount = 9;
        model.BlrCounter = 123456;
        LoadConstSection(ParameterFile(Path()), model);

        // Every other field takes its default; the counters stay.
        RegulationConstants expected;
        expected.RunCount = 9;
        expected.BlrCounter = 123456;
        AssignValue(c.key, expected, c.value);
        EXPECT_EQ(ValueOf(c.key, model), c.value) << c.entry;
        EXPECT_TRUE(model == expected) << c.entry;
    }

    // No section "Const" at all: every field to its default.
    Put(Path(), OtherSections);
    RegulationConstants model = Filled();
    model.RunCount = 3;
    model.BlrCounter = 7;
    LoadConstSection(ParameterFile(Path()), model);
    RegulationConstants expected;
    expected.RunCount = 3;
    expected.BlrCounter = 7;
    EXPECT_TRUE(model == expected);
}

QByteArray HexProgram(int seed)
{
    QByteArray hex;
    for (int i = 0; i < ModeProgram::Size; ++i)
        hex += QByteArray::number((i * 7 + seed) & 0xFF, 16).rightJustified(2, '0').toUpper();
    return hex;
}

ModeProgram Program(int seed)
{
    std::vector<std::uint8_t> bytes(ModeProgram::Size);
    for (int i = 0; i < ModeProgram::Size; ++i)
        bytes[std::size_t(i)] = std::uint8_t((i * 7 + seed) & 0xFF);
    ModeProgram program;
    program.ReplaceRaw(bytes);
    return program;
}

TEST_F(ParameterSectionsTest, ModeTakesOnlyAWholeProgramOfItsOwnSection)
{
    const struct {
        const char* name;
        QByteArray file;
        bool replaced;
    } cases[] = {
        {"1344 digits", "[ModeB]\r\nData=" + HexProgram(1) + "\r\n", true},
        {"lower case", "[ModeB]\r\nData=" + HexProgram(1).toLower() + "\r\n", true},
        {"a 1345th digit is ignored", "[ModeB]\r\nData=" + HexProgram(1) + "7\r\n", true},
        {"1342 digits", "[ModeB]\r\nData=" + HexProgram(1).left(1342) + "\r\n", false},
        {"1346 digits", "[ModeB]\r\nData=" + HexProgram(1) + "00\r\n", false},
        {"not only hexadecimal digits", "[ModeB]\r\nData=" + HexProgram(1).replace(700, 1, "G") + "\r\n", false},
        {"a blank inside", "[ModeB]\r\nData=" + HexProgram(1).replace(700, 1, " ") + "\r\n", false},
        {"another program's section", "[ModeA]\r\nData=" + HexProgram(1) + "\r\n", false},
        {"no key", "[ModeB]\r\nDat=" + HexProgram(1) + "\r\n", false},
    };
    for (const auto& c : cases) {
        Put(Path(), c.file);
        ModeProgram program = Program(5);
        EXPECT_EQ(LoadModeSection(ParameterFile(Path()), ModeProgramId::B, program), c.replaced) << c.name;
        EXPECT_TRUE(program == (c.replaced ? Program(1) : Program(5))) << c.name;
    }
}

// The rows as a save writes them: one integer per row, 20 for a value that
// is not one, nothing limited.
QByteArray RowLines(const char* prefix, const OutdoorTable& table, const char* (*special)(int))
{
    QByteArray lines;
    for (int row = 0; row < OutdoorTable::RowCount; ++row) {
        const char* value = special(row);
        lines += prefix + QByteArray::number(row - 40) + '=' +
                 (value ? QByteArray(value) : table.Value(row).toLatin1()) + "\r\n";
    }
    return lines;
}

TEST_F(ParameterSectionsTest, OutdoorSectionsSaveTheirRowsAndTheirOwnInputs)
{
    OutdoorTable curve;
    for (int row = 0; row < OutdoorTable::RowCount; ++row)
        curve.SetValue(row, QString::number(80 - row));
    curve.SetValue(0, QString());
    curve.SetValue(1, QStringLiteral("abc"));
    curve.SetValue(2, QStringLiteral("300"));
    curve.SetValue(3, QStringLiteral(" -5"));
    curve.SetValue(4, QStringLiteral("$10"));
    curve.SetValue(5, QStringLiteral("1.5"));
    const auto special = [](int row) -> const char* {
        const char* values[] = {"20", "20", "300", "-5", "16", "20"};
        return row < 6 ? values[row] : nullptr;
    };

    Put(Path(), "[Const]\r\nShift=1\r\n");
    ASSERT_EQ(SaveOutdoorSection(Path(), EkvithPage, {curve, CurveInputs("0,01", "-0,7", "51")}),
              std::nullopt);
    const QByteArray withCurve = "[Const]\r\nShift=1\r\n\r\n[Ekvith]\r\n" + RowLines("Ekvith", curve, special) +
                                 "EkvithFillA=0,01\r\nEkvithFillB=-0,7\r\nEkvithFillC=51\r\n";
    EXPECT_EQ(Contents(Path()), withCurve);

    // The wall's own B goes into "Wall"; the curve's stays as it was.
    ASSERT_EQ(SaveOutdoorSection(Path(), WallPage, {curve, WallInputs(-5000, 2000000000, 7, "0,3")}), std::nullopt);
    EXPECT_EQ(Contents(Path()), withCurve + "\r\n[Wall]\r\n" + RowLines("Wall", curve, special) +
                                    "WallDepth=-5000\r\nWallTemp=2000000000\r\nWallSensDepth=7\r\nEkvithFillB=0,3\r\n");

    const auto loadedCurve = LoadOutdoorSection(ParameterFile(Path()), EkvithPage);
    EXPECT_EQ(loadedCurve.inputs, CurveInputs("0,01", "-0,7", "51"));
    const auto loadedWall = LoadOutdoorSection(ParameterFile(Path()), WallPage);
    EXPECT_EQ(loadedWall.inputs, WallInputs(-5000, 2000000000, 7, "0,3"));
    for (const auto& table : {loadedCurve.table, loadedWall.table}) {
        EXPECT_EQ(table.Value(0), QStringLiteral("20"));
        EXPECT_EQ(table.Value(2), QStringLiteral("300"));
        EXPECT_EQ(table.Value(4), QStringLiteral("16"));
        EXPECT_EQ(table.Value(65), QStringLiteral("15"));
    }
}

TEST_F(ParameterSectionsTest, OutdoorSectionsLoadZerosWhereTheFileHoldsNothing)
{
    Put(Path(), "[Const]\r\nEkvith-40=5\r\nWallDepth=45\r\n[Ekvith]\r\nEkvith25=abc\r\nEkvith0=0x10\r\n");
    OutdoorTable zeros;
    for (int row = 0; row < OutdoorTable::RowCount; ++row)
        zeros.SetValue(row, QStringLiteral("0"));
    const auto wall = LoadOutdoorSection(ParameterFile(Path()), WallPage);
    EXPECT_TRUE(wall.table == zeros);
    EXPECT_EQ(wall.inputs, WallInputs(0, 0, 0, "0"));

    const auto curve = LoadOutdoorSection(ParameterFile(Path()), EkvithPage);
    OutdoorTable expected = zeros;
    expected.SetValue(40, QStringLiteral("16"));
    EXPECT_TRUE(curve.table == expected);
    EXPECT_EQ(curve.inputs, CurveInputs("0", "0", "0"));
    EXPECT_EQ(OutdoorTable::Key(0) + u'=' + curve.table.Value(0), QStringLiteral("-40 °C=0"));
}

}  // namespace
