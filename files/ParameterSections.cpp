#include "files/ParameterSections.h"

#include <utility>
#include <variant>
#include <vector>

#include "files/ParameterFile.h"

namespace {

const QString ConstSection = QStringLiteral("Const");
const QString ModeDataKey = QStringLiteral("Data");

// A value's form in the file follows its type: int an integer, bool a
// boolean, QString a text.  The counters (uint32_t) never go to a file.
void WriteValue(SectionBatch& batch, const QString& key, FieldRef value)
{
    if (const auto* i = std::get_if<int*>(&value))
        batch.WriteInteger(key, **i);
    else if (const auto* b = std::get_if<bool*>(&value))
        batch.WriteBool(key, **b);
    else if (const auto* s = std::get_if<QString*>(&value))
        batch.WriteString(key, **s);
}

// Integers default to 0 and booleans to false; texts to their section's
// default.
void ReadValue(const ParameterFile& file, QStringView section, const QString& key, FieldRef value,
               const QString& textDefault)
{
    if (const auto* i = std::get_if<int*>(&value))
        **i = file.ReadInteger(section, key, 0);
    else if (const auto* b = std::get_if<bool*>(&value))
        **b = file.ReadBool(section, key, false);
    else if (const auto* s = std::get_if<QString*>(&value))
        **s = file.ReadString(section, key, textDefault);
}

// The curve and the wall keep the same shape of section: one integer per
// row, keyed by the prefix and the row's temperature ("Wall-40" … "Wall25"),
// then the tab's fill inputs.
template <typename Inputs>
struct OutdoorSection {
    QString section;
    QString rowPrefix;
    // After the rows, in the order a save writes them.
    std::vector<std::pair<QString, std::variant<int Inputs::*, QString Inputs::*>>> inputs;

    QString RowKey(int row) const { return rowPrefix + QString::number(OutdoorTable::Temperature(row)); }
};

template <typename Inputs>
FieldRef Member(Inputs& inputs, const std::variant<int Inputs::*, QString Inputs::*>& member)
{
    return std::visit([&inputs](auto m) -> FieldRef { return &(inputs.*m); }, member);
}

const OutdoorSection<EkvithFillTexts>& EkvithSection()
{
    static const OutdoorSection<EkvithFillTexts> section{
        QStringLiteral("Ekvith"),
        QStringLiteral("Ekvith"),
        {{QStringLiteral("EkvithFillA"), &EkvithFillTexts::a},
         {QStringLiteral("EkvithFillB"), &EkvithFillTexts::b},
         {QStringLiteral("EkvithFillC"), &EkvithFillTexts::c}},
    };
    return section;
}

// "EkvithFillB" here is the wall tab's own B, independent of the curve's.
const OutdoorSection<WallFillInputs>& WallSection()
{
    static const OutdoorSection<WallFillInputs> section{
        QStringLiteral("Wall"),
        QStringLiteral("Wall"),
        {{QStringLiteral("WallDepth"), &WallFillInputs::WallDepth},
         {QStringLiteral("WallTemp"), &WallFillInputs::WallTemp},
         {QStringLiteral("WallSensDepth"), &WallFillInputs::WallSensDepth},
         {QStringLiteral("EkvithFillB"), &WallFillInputs::EkvithFillB}},
    };
    return section;
}

template <typename Inputs>
std::optional<QString> SaveOutdoor(const QString& path, const OutdoorSection<Inputs>& section,
                                   const OutdoorSectionValues<Inputs>& values, FileSystem& fs)
{
    SectionBatch batch(section.section);
    // Saving does not limit: a row of 300 is kept as 300, for the Controller
    // write to refuse or the technician to correct.
    for (int row = 0; row < OutdoorTable::RowCount; ++row)
        batch.WriteInteger(section.RowKey(row), values.table.Number(row));
    Inputs inputs = values.inputs;  // Member hands out mutable references
    for (const auto& [key, member] : section.inputs)
        WriteValue(batch, key, Member(inputs, member));
    return batch.Save(path, fs);
}

template <typename Inputs>
OutdoorSectionValues<Inputs> LoadOutdoor(const ParameterFile& file, const OutdoorSection<Inputs>& section)
{
    OutdoorSectionValues<Inputs> values;
    for (int row = 0; row < OutdoorTable::RowCount; ++row)
        values.table.SetValue(row, QString::number(file.ReadInteger(section.section, section.RowKey(row), 0)));
    for (const auto& [key, member] : section.inputs)
        ReadValue(file, section.section, key, Member(values.inputs, member), QStringLiteral("0"));
    return values;
}

}  // namespace

std::optional<QString> SaveConstSection(const QString& path, const RegulationConstants& model, FileSystem& fs)
{
    RegulationConstants values = model;  // the rows hand out mutable references
    SectionBatch batch(ConstSection);
    for (const auto& field : ConstantsFields())
        if (field.InFiles())
            WriteValue(batch, field.key, field.Of(values));
    return batch.Save(path, fs);
}

void LoadConstSection(const ParameterFile& file, RegulationConstants& model)
{
    for (const auto& field : ConstantsFields()) {
        if (!field.InFiles())
            continue;
        ReadValue(file, ConstSection, field.key, field.Of(model), QString());
        LimitField(field, field.Of(model));
    }
}

QString ModeSectionName(ModeProgramId id)
{
    switch (id) {
    case ModeProgramId::A: return QStringLiteral("ModeA");
    case ModeProgramId::B: return QStringLiteral("ModeB");
    case ModeProgramId::C: return QStringLiteral("ModeC");
    }
    return {};
}

std::optional<QString> SaveModeSection(const QString& path, ModeProgramId id, const ModeProgram& program,
                                       FileSystem& fs)
{
    SectionBatch batch(ModeSectionName(id));
    batch.WriteBytes(ModeDataKey, program.Raw());
    return batch.Save(path, fs);
}

bool LoadModeSection(const ParameterFile& file, ModeProgramId id, ModeProgram& program)
{
    return program.ReplaceRaw(file.ReadBytes(ModeSectionName(id), ModeDataKey));
}

std::optional<QString> SaveEkvithSection(const QString& path, const OutdoorSectionValues<EkvithFillTexts>& values,
                                         FileSystem& fs)
{
    return SaveOutdoor(path, EkvithSection(), values, fs);
}

OutdoorSectionValues<EkvithFillTexts> LoadEkvithSection(const ParameterFile& file)
{
    return LoadOutdoor(file, EkvithSection());
}

std::optional<QString> SaveWallSection(const QString& path, const OutdoorSectionValues<WallFillInputs>& values,
                                       FileSystem& fs)
{
    return SaveOutdoor(path, WallSection(), values, fs);
}

OutdoorSectionValues<WallFillInputs> LoadWallSection(const ParameterFile& file)
{
    return LoadOutdoor(file, WallSection());
}
