#include "controller/ModeProgram.h"

#include <algorithm>

#include "controller/IntegerText.h"
#include "controller/Lists.h"
#include "link/PageMap.h"

namespace {

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

ModeProgram DecodePages(std::span<const std::uint8_t> pages)
{
    ModeProgram program;
    program.ReplaceRaw(pages.first(ModeProgram::Size));
    return program;
}

bool EncodePages(const ModeProgram& program, std::span<std::uint8_t> pages)
{
    const auto& bytes = program.Raw();
    std::copy(bytes.begin(), bytes.end(), pages.begin());
    // The tail belongs to no program: zeros, whatever the buffer held.
    std::fill(pages.begin() + ModeProgram::Size, pages.end(), std::uint8_t{0});
    return true;
}

static_assert(ModeProgram::Size <= Page::ModePages * Page::Size);

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
    if (cell.State() == ModeCellState::Unused)
        return {};
    return RegulationMode::Items().at(int(cell.State())).left(1);
}

QString CellDisplayText(ModeCell cell)
{
    switch (cell.State()) {
    case ModeCellState::Off: return RegulationMode::Items().at(0);
    case ModeCellState::Equithermal: {
        const int percent = 2 * EquithermalStep(cell);
        if (percent == 0)
            return QStringLiteral("(normal)");
        return (percent > 0 ? QStringLiteral("+") : QString()) + QString::number(percent) + u'%';
    }
    case ModeCellState::Thermostat: return QString::number(cell.ValueBits()) + QStringLiteral(" °C");
    case ModeCellState::Unused: break;
    }
    return {};
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
    static const QString names[ModeProgram::Days]{
        QStringLiteral("Pondělí"), QStringLiteral(" Úterý"), QStringLiteral("Středa"), QStringLiteral("Čtvrtek"),
        QStringLiteral(" Pátek"),  QStringLiteral("Sobota"), QStringLiteral("Neděle"),
    };
    return day >= 0 && day < ModeProgram::Days ? names[day] : QString();
}

QString ModeSlotLabel(int slot)
{
    // A one-digit minute gets its second "0": "10:0" becomes "10:00".
    QString label = QString::asprintf("%d:%d", slot / 4, 15 * (slot % 4));
    if (label.at(label.size() - 2) == u':')
        label += u'0';
    return label + QStringLiteral(" hod");
}

const PageCodec<ModeProgram>& ModeProgramCodec(ModeProgramId id)
{
    static const PageCodec<ModeProgram> codecs[]{
        {Page::ModeA, Page::ModePages, false, &DecodePages, &EncodePages},
        {Page::ModeB, Page::ModePages, false, &DecodePages, &EncodePages},
        {Page::ModeC, Page::ModePages, false, &DecodePages, &EncodePages},
    };
    return codecs[int(id)];
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
