// The weekly time program behind the tab "Režim": 7 days of 96 quarter-hours,
// one byte per quarter-hour, and its transfer to and from the three EEPROM
// pages of program A, B or C.
//
// The program in memory belongs to none of A, B and C: the radio button only
// says where the next transfer goes, so a program read as A can be written
// as B.
#pragma once

#include <QString>
#include <QStringView>
#include <array>
#include <cstdint>
#include <span>

#include <optional>

#include "controller/Colours.h"
#include "controller/FieldTable.h"
#include "controller/PageTransfer.h"
#include "link/PageMap.h"

// Bits 7–6 of a cell.
enum class ModeCellState : std::uint8_t {
    Off = 0,          // "V": the value bits are kept but not shown
    Equithermal = 1,  // "E": 6-bit two's complement k, a correction of 2k percent
    Thermostat = 2,   // "T": 0..63 °C
    Unused = 3,       // only from the Controller or a file; never made by editing
};

// One quarter-hour: state in bits 7–6, value in bits 5–0.
struct ModeCell {
    std::uint8_t bits = 0;

    ModeCellState State() const { return ModeCellState(bits >> 6); }
    int ValueBits() const { return bits & 0x3F; }
    static ModeCell Make(ModeCellState state, int value)
    {
        return {std::uint8_t(int(state) << 6 | (value & 0x3F))};
    }

    friend bool operator==(ModeCell, ModeCell) = default;
};

// Day-major: byte day × 96 + slot; day 0 is Monday, slot 0 is 0:00–0:15.
class ModeProgram {
public:
    static constexpr int Days = 7;
    static constexpr int Slots = 96;
    static constexpr int Size = Days * Slots;  // 672
    using Bytes = std::array<std::uint8_t, Size>;

    static bool Contains(int day, int slot) { return day >= 0 && day < Days && slot >= 0 && slot < Slots; }

    // Outside the week: an off cell, and setting does nothing.
    ModeCell Cell(int day, int slot) const;
    void SetCell(int day, int slot, ModeCell cell);

    // The 672 bytes as the Controller and the parameter file keep them.
    const Bytes& Raw() const { return bytes_; }
    // Anything but exactly 672 bytes is refused and changes nothing.
    bool ReplaceRaw(std::span<const std::uint8_t> bytes);
    // The cells, as a field table hands them out.
    static FieldRef Cells(ModeProgram& program, int) { return std::span<std::uint8_t>(program.bytes_); }

    friend bool operator==(const ModeProgram&, const ModeProgram&) = default;

private:
    Bytes bytes_{};  // all off
};

// "V", "E", "T", or empty for an unused cell: in Czech the initials of the
// first three regulation modes, but letters of their own.
QString CellLetter(ModeCell cell);
// "Vypnuto", "(normal)", "+10%", "-64%", "21 °C", or empty for an unused cell.
QString CellDisplayText(ModeCell cell);
// The fill of V, E and T; an unused cell has none.
std::optional<Rgb> CellColour(ModeCell cell);

// Right button on a cell: V → E → T → V, an unused cell becomes V; the value
// bits stay, so a value shows again when its state comes back.
void CycleCellState(ModeProgram& program, int day, int slot);
// What the cell editor starts with: 2k for E ("-64", "0", "62"), the
// temperature for T, empty otherwise.
QString CellEditText(const ModeProgram& program, int day, int slot);
// Stores a typed text into the cell without changing its state.  A text
// that is not an integer counts as 0; E halves it toward zero and limits it
// to −32..31, T limits it to 0..63, V and unused keep the low six bits as
// they are (unseen until the cell is cycled).
void ApplyCellEditText(ModeProgram& program, int day, int slot, QStringView text);

// The grid's fixed cells: "Pondělí", " Úterý", … (two start with a space)
// and the start of a slot, "0:00 hod" … "23:45 hod".
QString ModeDayName(int day);
QString ModeSlotLabel(int slot);

// A cell as the compare names it, "Středa 6:15 hod", and shows it: its
// letter and its text, "T 21 °C", "E +10%".
QString ModeCellName(int place);
QString ModeCellText(std::uint32_t cell);

enum class ModeProgramId { A, B, C };

// Three pages from 3, 6 or 9, one block of 768 bytes.  The program fills
// the first 672 bytes, key "Data" in its parameter-file section; the last
// 96 bytes of the third page are ignored when reading and written as zeros,
// never merged from the Controller.
inline constexpr auto ModeProgramTable = []() consteval {
    Field<ModeProgram> cells{};
    cells.key = "Data";
    cells.kind = RowKind::CellRun;
    cells.width = ModeProgram::Size;
    cells.text = &ModeCellText;
    cells.elementName = &ModeCellName;
    cells.member = &ModeProgram::Cells;
    Field<ModeProgram> tail{};
    tail.kind = RowKind::Zeros;
    tail.offset = ModeProgram::Size;
    tail.width = Page::ModePages * Page::Size - ModeProgram::Size;
    return MakeTable<Page::ModePages * Page::Size>(std::array{cells, tail});
}();

PageCodec<ModeProgram, 2, Page::ModePages * Page::Size> ModeProgramCodec(ModeProgramId id);

// "Načíst" and "Zapsat": success flags, a failure already reported by the
// link.  A failed read leaves the program as it was; a failed write stops at
// the page that failed, the pages before it keep their new contents.
bool ReadModeProgram(ControllerLink& link, ModeProgramId id, ModeProgram& program);
bool WriteModeProgram(ControllerLink& link, ModeProgramId id, const ModeProgram& program);
