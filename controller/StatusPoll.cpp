#include "controller/StatusPoll.h"

#include "link/Commands.h"

namespace {

constexpr int Equithermal = 1;
constexpr int Thermostat = 2;

template <std::size_t N>
using Block = std::array<std::uint8_t, N>;

std::optional<Block<Command::SensorBlockLength>> ReadSensorBlock(ControllerLink& link, std::uint8_t request)
{
    Block<Command::SensorBlockLength> block{};
    if (!link.Transact(request, block.data(), Command::SensorBlockLength))
        return std::nullopt;
    return block;
}

}  // namespace

RegulatorView MakeRegulatorView(const StatusBlock& status)
{
    RegulatorView view;
    const int mode = ModeNameIndex(status.Mode);
    view.mode = ModeNames()[mode];
    auto& rows = view.rows;
    // Set whatever the mode, shown or not.
    rows[ParamRow].value = SignedText(status.Param);
    rows[DevRow].value = SignedText(status.Dev);
    rows[WallRow].value = SignedText(status.Wall);
    rows[EkvRow].value = TemperatureText(status.Ekv);
    rows[AverageRow].value = TemperatureText(status.Average);
    rows[BlRateRow].value = QString::number(status.BlRate) + QStringLiteral(" %");

    if (mode == Equithermal) {
        rows[ParamRow].caption = QStringLiteral("Posun:");
        rows[TempRow].caption = QStringLiteral("Stř. tepl. aktuální:");
        rows[TempRow].value = TemperatureText(status.Temp);
        for (RegulatorLine& row : rows)
            row.visible = true;
    } else if (mode == Thermostat) {
        rows[ParamRow].caption = QStringLiteral("Termostat:");
        rows[TempRow].caption = QStringLiteral("Do dalšího kroku:");
        rows[TempRow].value = QString::number(status.NextStep) + QStringLiteral(" minut");
        for (RegulatorRow shown : {ParamRow, DevRow, TempRow})
            rows[shown].visible = true;
    }
    return view;
}

StatusShow RunStatusTick(ControllerLink& link, bool quickView, std::uint8_t lastStatusMinute,
                         const PcClock& pcClock, const QLocale& locale)
{
    StatusShow show;
    show.lastStatusMinute = lastStatusMinute;

    Block<Command::ClockReplyLength> clockBlock{};
    if (!link.Transact(Command::ReadClock, clockBlock.data(), Command::ClockReplyLength))
        return show;
    const ControllerTime clock = DecodeClockBlock(clockBlock);
    show.controllerClock = ControllerClockText(clock);
    show.pcClock = PcClockText(pcClock(), locale);

    Block<Command::StatusReplyLength> statusBlock{};
    if (!link.Transact(Command::Status, statusBlock.data(), Command::StatusReplyLength))
        return show;
    const StatusBlock status = DecodeStatusBlock(statusBlock);
    show.outputs = status.outputs;

    if (quickView) {
        // Switching the quick view off refreshes the normal view at the
        // next chance, whatever the minute.
        show.lastStatusMinute = NoStatusMinute;
        const auto ad = ReadSensorBlock(link, Command::SensorsAd);
        if (!ad)
            return show;
        const auto current = ReadSensorBlock(link, Command::SensorsCurrent);
        if (!current)
            return show;
        const SensorValues readings = DecodeSensorReadings(*ad);
        const SensorValues temperatures = DecodeSensorTemperatures(*current);
        std::array<QString, 8> texts;
        for (std::size_t i = 0; i < texts.size(); ++i)
            texts[i] = QuickSensorText(temperatures[i], readings[i]);
        show.sensors = texts;
        return show;
    }

    // Once per Controller minute: on the first tick of a new minute whose
    // second is not 0.
    if (clock.Min == lastStatusMinute || clock.Sec == 0)
        return show;
    show.lastStatusMinute = std::uint8_t(clock.Min);
    show.regulator = MakeRegulatorView(status);

    const auto temperatures = ReadSensorBlock(link, Command::SensorsTemp);
    if (!temperatures)
        return show;
    const SensorValues values = DecodeSensorTemperatures(*temperatures);
    std::array<QString, 8> texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = SensorText(values[i]);
    show.sensors = texts;
    return show;
}
