#include "controller/StatusPoll.h"

#include <QCoreApplication>

#include "controller/Units.h"
#include "link/Commands.h"

namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(Status)
};

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

RegulatorLine& RegulatorView::Line(QStringView key)
{
    for (RegulatorLine& line : lines)
        if (line.key == key)
            return line;
    Q_ASSERT_X(false, "RegulatorView", "no such line");
    return lines.front();
}

RegulatorView MakeRegulatorView(const StatusBlock& status)
{
    RegulatorView view;
    const int mode = ModeNameIndex(status.Mode);
    view.mode = ModeNames()[mode];
    for (const char* key : {"Param", "Dev", "Temp", "Wall", "Ekv", "Average", "BlRate"}) {
        RegulatorLine line;
        line.key = QString::fromLatin1(key);
        view.lines.push_back(line);
    }
    // Set whatever the mode, shown or not.
    view.Line(u"Param").value = SignedText(status.Param);
    view.Line(u"Dev").value = SignedText(status.Dev);
    view.Line(u"Wall").value = SignedText(status.Wall);
    view.Line(u"Ekv").value = TemperatureText(status.Ekv);
    view.Line(u"Average").value = TemperatureText(status.Average);
    view.Line(u"BlRate").value = WithUnit(status.BlRate, Unit::Percent);

    RegulatorLine &param = view.Line(u"Param"), &temp = view.Line(u"Temp");
    if (mode == Equithermal) {
        param.caption = Tr::tr("Posun:");
        temp.caption = Tr::tr("Stř. tepl. aktuální:");
        temp.value = TemperatureText(status.Temp);
        for (RegulatorLine& line : view.lines)
            line.visible = true;
    } else if (mode == Thermostat) {
        param.caption = Tr::tr("Termostat:");
        temp.caption = Tr::tr("Do dalšího kroku:");
        temp.value = WithUnit(status.NextStep, Unit::Minutes);
        for (const char16_t* shown : {u"Param", u"Dev", u"Temp"})
            view.Line(shown).visible = true;
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
    show.clock = clock;
    show.controllerClock = ControllerClockText(clock);
    show.pcClock = PcClockText(pcClock(), locale);

    Block<Command::StatusReplyLength> statusBlock{};
    if (!link.Transact(Command::Status, statusBlock.data(), Command::StatusReplyLength))
        return show;
    const StatusBlock status = DecodeStatusBlock(statusBlock);
    show.status = status;
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
        SensorTexts texts;
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
    show.temperatures = values;
    SensorTexts texts;
    for (std::size_t i = 0; i < texts.size(); ++i)
        texts[i] = SensorText(values[i]);
    show.sensors = texts;
    return show;
}
