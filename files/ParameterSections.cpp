#include "files/ParameterSections.h"

#include "files/ParameterFile.h"

namespace {

// What a text input that the file does not hold loads as.
const QString TextDefault = QStringLiteral("0");

long long NumberIn(const FieldValue& value)
{
    if (const auto* n = std::get_if<long long>(&value))
        return *n;
    return std::get_if<bool>(&value) && std::get<bool>(value);
}

QString TextIn(const FieldValue& value)
{
    const auto* text = std::get_if<QString>(&value);
    return text ? *text : QString();
}

// A row's form in the file follows its kind: numbers as integers, a used
// flag as a boolean, a name as its text.  An outdoor row is saved as the
// integer it is written to the Controller as, without limits: a row of 300
// is kept as 300, for the Controller write to refuse or the technician to
// correct.
void WriteRow(SectionBatch& batch, const FieldSpec& row, const FieldValue& value)
{
    const QString key = row.Key();
    switch (row.kind) {
    case RowKind::Bit: batch.WriteBool(key, NumberIn(value) != 0); break;
    case RowKind::NameSlot: batch.WriteString(key, TextIn(value)); break;
    case RowKind::OutdoorRow: batch.WriteInteger(key, OutdoorTable::NumberOf(TextIn(value))); break;
    case RowKind::CellRun: {
        const QByteArray bytes = std::get<QByteArray>(value);
        batch.WriteBytes(key, std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size()));
        break;
    }
    default: batch.WriteInteger(key, int(NumberIn(value))); break;
    }
}

// Integers default to 0, booleans to false, names to empty, outdoor rows to 0.
FieldValue ReadRow(const ParameterFile& file, QStringView section, const FieldSpec& row)
{
    const QString key = row.Key();
    switch (row.kind) {
    case RowKind::Bit: return file.ReadBool(section, key, false);
    case RowKind::NameSlot: return file.ReadString(section, key, QString());
    case RowKind::OutdoorRow: return QString::number(file.ReadInteger(section, key, 0));
    default: return (long long)file.ReadInteger(section, key, 0);
    }
}

template <typename Model, std::size_t N, std::size_t Size>
void WriteRows(SectionBatch& batch, const BlockTable<Model, N, Size>& table, const Model& model)
{
    for (const Field<Model>& row : table)
        if (row.InFiles())
            WriteRow(batch, row, ValueIn(row, model));
}

// Each value into the model as its widget shows it, right after reading it.
template <typename Model, std::size_t N, std::size_t Size>
void ReadRows(const ParameterFile& file, const BlockTable<Model, N, Size>& table, Model& model)
{
    const QString section = QString::fromLatin1(table.section);
    for (const Field<Model>& row : table)
        if (row.InFiles())
            Assign(row.Of(model), LimitRow(row, ReadRow(file, section, row)));
}

const FieldSpec& ModeDataRow()
{
    return ModeProgramTable.rows.front();
}

}  // namespace

std::optional<QString> SaveConstSection(const QString& path, const RegulationConstants& model, FileSystem& fs)
{
    SectionBatch batch(QString::fromLatin1(ConstantsTable.section));
    WriteRows(batch, ConstantsTable, model);
    return batch.Save(path, fs);
}

void LoadConstSection(const ParameterFile& file, RegulationConstants& model)
{
    ReadRows(file, ConstantsTable, model);
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
    WriteRows(batch, ModeProgramTable, program);
    return batch.Save(path, fs);
}

bool LoadModeSection(const ParameterFile& file, ModeProgramId id, ModeProgram& program)
{
    return program.ReplaceRaw(file.ReadBytes(ModeSectionName(id), ModeDataRow().Key()));
}

std::optional<QString> SaveOutdoorSection(const QString& path, const OutdoorPage& page,
                                          const OutdoorSectionValues& values, FileSystem& fs)
{
    SectionBatch batch(QString::fromLatin1(page.fields.section));
    WriteRows(batch, page.fields, values.table);
    for (const FillInput* input : SectionInputs(page.page)) {
        const auto value = values.inputs.find(input->Key());
        const FieldValue given = value == values.inputs.end() ? FieldValue{} : value->second;
        if (input->form == InputForm::Integer)
            batch.WriteInteger(input->Key(), int(NumberIn(given)));
        else
            batch.WriteString(input->Key(), TextIn(given));
    }
    return batch.Save(path, fs);
}

OutdoorSectionValues LoadOutdoorSection(const ParameterFile& file, const OutdoorPage& page)
{
    OutdoorSectionValues values;
    ReadRows(file, page.fields, values.table);
    const QString section = QString::fromLatin1(page.fields.section);
    for (const FillInput* input : SectionInputs(page.page)) {
        const QString key = input->Key();
        values.inputs[key] = input->form == InputForm::Integer
                                 ? FieldValue((long long)file.ReadInteger(section, key, 0))
                                 : FieldValue(file.ReadString(section, key, TextDefault));
    }
    return values;
}
