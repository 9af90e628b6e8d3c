// A Controller block described once: one row per field, giving where the
// field lies (offset, encoding), what the tab shows it with (kind, range or
// item list), its key (parameter-file key and widget subject) and the model
// member it lives in.  Decoding, limiting, validating and encoding walk the
// rows; so do the tabs when they set up, show and collect their widgets,
// and the parameter file when it saves and loads a section.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>
#include <span>
#include <variant>
#include <vector>

// How a field lies in its block.
enum class Encoding {
    Unsigned8,  // one byte, 0..255; a value outside fails validation
    Signed8,    // one byte, two's complement; only the low eight bits are stored
    Bit,        // one bit of a byte (the row's bit number)
    RunTime32,  // four bytes, most significant first, that the program never
                // sets but can clear: a model value of 0 zeroes them, any
                // other value leaves the block's bytes as they are
    NameSlot,   // 16 bytes of Windows-1250 text ending at 0x00 or 0xFF
};

// What the tab shows a field with; also the field's form in a parameter file.
enum class FieldKind {
    Spin,     // spin edit "se…" within [minimum, maximum]; integer in files
    List,     // drop-down list "cb…" of the row's items, −1 for no selection; integer in files
    Check,    // check box "cb…"; boolean in files
    Text,     // edit "ed…"; text in files
    Counter,  // read-only edit "ed…"; never in files
};

// A member of the model, as a pointer to its value.
using FieldRef = std::variant<int*, bool*, QString*, std::uint32_t*>;

// The part of a row that does not depend on the model type.
struct FieldSpec {
    QString key;
    FieldKind kind;
    int offset;
    Encoding encoding;
    int minimum = 0;  // Spin; for Bit fields the bit number
    int maximum = 0;
    const QStringList* items = nullptr;  // List

    bool InFiles() const { return kind != FieldKind::Counter; }
    // "se", "cb" or "ed" and the key: the widget that shows the field.
    QString WidgetName() const;
};

template <typename Model>
struct Field : FieldSpec {
    FieldRef (*member)(Model&, int index);
    int index = 0;  // handed to member: the sensor of a per-sensor row

    FieldRef Of(Model& model) const { return member(model, index); }
};

template <typename Model>
using FieldTable = std::vector<Field<Model>>;

// Per field, on the value a member holds.
void DecodeField(const FieldSpec& field, FieldRef value, std::span<const std::uint8_t> block);
// Brings a value to what the field's widget can show: a spin value into its
// range, a list value outside its list to −1.
void LimitField(const FieldSpec& field, FieldRef value);
// Whether the value can be stored: an unsigned byte must lie in 0..255.
bool FieldFits(const FieldSpec& field, FieldRef value);
void EncodeField(const FieldSpec& field, FieldRef value, std::span<std::uint8_t> block);

// The model of a block, every field limited as its widget would show it.
template <typename Model>
Model DecodeFields(const FieldTable<Model>& table, std::span<const std::uint8_t> block)
{
    Model model{};
    for (const Field<Model>& f : table) {
        DecodeField(f, f.Of(model), block);
        LimitField(f, f.Of(model));
    }
    return model;
}

// Stores the model into the block as the Controller holds it now, keeping
// every byte no row owns.  Validates every row first: false, with the block
// untouched, when a value does not fit.
template <typename Model>
bool EncodeFields(const FieldTable<Model>& table, const Model& model, std::span<std::uint8_t> block)
{
    Model values = model;  // the members hand out mutable references
    for (const Field<Model>& f : table)
        if (!FieldFits(f, f.Of(values)))
            return false;
    for (const Field<Model>& f : table)
        EncodeField(f, f.Of(values), block);
    return true;
}

// The row of a key, or nullptr.
template <typename Model>
const Field<Model>* FindField(const FieldTable<Model>& table, QStringView key)
{
    for (const Field<Model>& f : table)
        if (f.key == key)
            return &f;
    return nullptr;
}
