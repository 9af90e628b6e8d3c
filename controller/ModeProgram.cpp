#include "controller/ModeProgram.h"

#include <QCoreApplication>
#include <algorithm>

#include "controller/IntegerText.h"
#include "controller/Lists.h"
#include "controller/Units.h"
#include "link/PageMap.h"

namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(ModeProgram)
};

// The letter of each state a cell is cycled through, in the order of the
// states; a letter of its own in the catalogue, never cut from a name.
constexpr const char* Letters[] = {
    //: The week grid's letter of the state "Vypnuto" (off).
    QT_TRANSLATE_NOOP("ModeProgram", "V"),
    //: The week grid's letter of the state "Ekvitermní" (equithermal).
    QT_TRANSLATE_NOOP("ModeProgram", "E"),
    //: The week grid's letter of the state "Termostat" (thermostat).
    QT_TRANSLATE_NOOP("ModeProgram", "T"),
};

constexpr const char* DayNames[] = {
    QT_TRANSLATE_NOOP("ModeProgram", "Pondělí"), QT_TRANSLATE_NOOP("ModeProgram", " Úterý"),
    QT_TRANSLATE_NOOP("ModeProgram", "Středa"),  QT_TRANSLATE_NOOP("ModeProgram", "Čtvrtek"),
    QT_TRANSLATE_NOOP("ModeProgram", " Pátek"),  QT_TRANSLATE_NOOP("ModeProgram", "Sobota"),
    QT_TRANSLATE_NOOP("ModeProgram", "Neděle"),
};
static_assert(std::size(DayNames) == ModeProgram::Days);

constexpr int ValueMask = 0x3F;
// V, E, T; the unused state is left and never entered.
constexpr int LastCycledState = int(ModeCellState::Thermostat);

// The value bits of an E cell as k, −32..31.
int EquithermalStep(ModeCell cell)
{
    return (cell.ValueBits() ^ 0x20) - 0x20;
}

int Index(int day, int slot)
{
    return day * ModeProgram::Slots + slot;
}

}  // namespace

ModeCell ModeProgram::Cell(int day, int slot) const
{
    return Contains(day, slot) ? ModeCell{bytes_[std::size_t(Index(day, slot))]} : ModeCell{};
}

void ModeProgram::SetCell(int day, int slot, ModeCell cell)
{
    if (Contains(day, slot))
        bytes_[std::size_t(Index(day, slot))] = cell.bits;
}

bool ModeProgram::ReplaceRaw(std::span<const std::uint8_t> bytes)
{
    if (bytes.size() != bytes_.size())
        return false;
    std::copy(bytes.begin(), bytes.end(), bytes_.begin());
    return true;
}

QString CellLetter(ModeCell cell)
{
    static_assert(std::size(Letters) == int(ModeCellState::Unused));
    if (cell.State() == ModeCellState::Unused)
        return {};
    return Tr::tr(Letters[int(cell.State())]);
}

QString CellDisplayText(ModeCell cell)
{
    switch (cell.State()) {
    case ModeCellState::Off: return FieldWord(RegulationMode::Texts[0]);
    case ModeCellState::Equithermal: {
        const int percent = 2 * EquithermalStep(cell);
        if (percent == 0)
            return Tr::tr("(normal)");
        return (percent > 0 ? QStringLiteral("+") : QString()) + WithUnit(percent, Unit::PercentSign);
    }
    case ModeCellState::Thermostat: return CelsiusText(cell.ValueBits());
    case ModeCellState::Unused: break;
    }
    return {};
}

std::optional<Rgb> CellColour(ModeCell cell)
{
    switch (cell.State()) {
    case ModeCellState::Off: return Colour::LightGreen;
    case ModeCellState::Equithermal: return Colour::LightYellow;
    case ModeCellState::Thermostat: return Colour::LightCyan;
    case ModeCellState::Unused: break;
    }
    return std::nullopt;
}

void CycleCellState(ModeProgram& program, int day, int slot)
{
    const ModeCell cell = program.Cell(day, slot);
    int next = int(cell.State()) + 1;
    if (next > LastCycledState)
        next = 0;
    program.SetCell(day, slot, ModeCell::Make(ModeCellState(next), cell.ValueBits()));
}

QString CellEditText(const ModeProgram& program, int day, int slot)
{
    const ModeCell cell = program.Cell(day, slot);
    switch (cell.State()) {
    case ModeCellState::Equithermal: return QString::number(2 * EquithermalStep(cell));
    case ModeCellState::Thermostat: return QString::number(cell.ValueBits());
    case ModeCellState::Off:
    case ModeCellState::Unused: break;
    }
    return {};
}

void ApplyCellEditText(ModeProgram& program, int day, int slot, QStringView text)
{
    const ModeCell cell = program.Cell(day, slot);
    int n = ParseIntegerText(text).value_or(0);
    switch (cell.State()) {
    case ModeCellState::Equithermal: n = std::clamp(n / 2, -32, 31); break;  // '/' truncates toward zero
    case ModeCellState::Thermostat: n = std::clamp(n, 0, ValueMask); break;
    case ModeCellState::Off:
    case ModeCellState::Unused: break;
    }
    program.SetCell(day, slot, ModeCell::Make(cell.State(), n));
}

QString ModeDayName(int day)
{
    return day >= 0 && day < ModeProgram::Days ? Tr::tr(DayNames[day]) : QString();
}

QString ModeSlotLabel(int slot)
{
    // A one-digit minute gets its second "0": "10:0" becomes "10:00".
    QString label = QString::asprintf("%d:%d", slot / 4, 15 * (slot % 4));
    if (label.at(label.size() - 2) == u':')
        label += u'0';
    //: The start of a quarter-hour in the week grid, "6:15 hod".
    return Tr::tr("%1 hod").arg(label);
}

QString ModeCellName(int place)
{
    const int day = place / ModeProgram::Slots, slot = place % ModeProgram::Slots;
    return ModeDayName(day).trimmed() + u' ' + ModeSlotLabel(slot);
}

QString ModeCellText(std::uint32_t bits)
{
    const ModeCell cell{std::uint8_t(bits)};
    if (cell.State() == ModeCellState::Unused)
        return FieldWord(NothingShown);
    return CellLetter(cell) + u' ' + CellDisplayText(cell);
}

PageCodec<ModeProgram, 2, Page::ModePages * Page::Size> ModeProgramCodec(ModeProgramId id)
{
    constexpr int firstPages[] = {Page::ModeA, Page::ModeB, Page::ModeC};
    return {firstPages[int(id)], false, ModeProgramTable};
}

bool ReadModeProgram(ControllerLink& link, ModeProgramId id, ModeProgram& program)
{
    return ReadBlock(link, ModeProgramCodec(id), program) == Transfer::Done;
}

bool WriteModeProgram(ControllerLink& link, ModeProgramId id, const ModeProgram& program)
{
    // Encoding a program cannot fail: every byte is a valid cell.
    return WriteBlock(link, ModeProgramCodec(id), program) == Transfer::Done;
}
