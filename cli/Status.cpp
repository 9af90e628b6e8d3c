// info, status, clock set and reset: the Controller's own requests.
#include <QDateTime>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <map>

#include "cli/Console.h"
#include "cli/Verbs.h"
#include "controller/ClockSetting.h"
#include "controller/RegulationConstants.h"
#include "controller/StatusPoll.h"
#include "shell/CommandLineTexts.h"
#include "shell/ResetInfo.h"
#include "shell/Texts.h"

namespace {

constexpr int TickMs = 1000;
// A Controller whose seconds stand at 0 is asked again a second later, as
// the window's next tick would; a clock stuck there is not waited for long.
constexpr int OneShotTicks = 3;

QJsonValue JsonValue(const FieldValue& value)
{
    if (const auto* number = std::get_if<long long>(&value))
        return qint64(*number);
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag;
    return {};
}

// The rows of a block's table that `take` picks, by their keys.
template <typename Model, std::size_t N, std::size_t Size, typename Take>
QJsonObject JsonBlock(const BlockTable<Model, N, Size>& table, const Model& model, Take take)
{
    QJsonObject object;
    for (const Field<Model>& row : table)
        if (take(row))
            object.insert(row.Key(), JsonValue(ValueIn(row, model)));
    return object;
}

bool IsOutput(const FieldSpec& row)
{
    return row.kind == RowKind::Bit;
}

// What the status tab would show now: each tick's news over the last.
struct StatusState {
    SensorTexts names;
    QDateTime pcTime;
    std::optional<QString> pcClock, controllerClock;
    std::optional<ControllerTime> clock;
    std::optional<StatusBlock> outputs;    // every tick
    std::optional<StatusBlock> regulator;  // the ticks that refresh it
    std::optional<RegulatorView> view;
    std::optional<SensorValues> temperatures;
    std::optional<SensorTexts> sensorTexts;

    void Merge(const StatusShow& show, const QDateTime& now)
    {
        pcTime = now;
        auto take = [](auto& mine, const auto& news) {
            if (news)
                mine = news;
        };
        take(pcClock, show.pcClock);
        take(controllerClock, show.controllerClock);
        take(clock, show.clock);
        take(outputs, show.status);
        take(view, show.regulator);
        if (show.regulator)
            regulator = show.status;
        take(temperatures, show.temperatures);
        take(sensorTexts, show.sensors);
    }

    QJsonObject Json() const
    {
        QJsonObject object{{QStringLiteral("time"), IsoTime(pcTime)}};
        const auto any = [](const FieldSpec&) { return true; };
        object.insert(QStringLiteral("clock"), clock ? JsonBlock(ClockTable, *clock, any) : QJsonValue());
        object.insert(QStringLiteral("outputs"), outputs ? JsonBlock(StatusTable, *outputs, IsOutput) : QJsonValue());
        object.insert(QStringLiteral("regulator"),
                      regulator ? JsonBlock(StatusTable, *regulator, [](const FieldSpec& row) { return !IsOutput(row); })
                                : QJsonValue());
        QJsonArray sensors;
        for (int i = 0; i < SensorCount; ++i)
            sensors.append(QJsonObject{
                {QStringLiteral("name"), names[std::size_t(i)]},
                {QStringLiteral("celsius"), temperatures ? QJsonValue((*temperatures)[std::size_t(i)]) : QJsonValue()},
            });
        object.insert(QStringLiteral("sensors"), sensors);
        return object;
    }

    // The lines a person reads, each under a key that says which it is.
    std::vector<std::pair<QString, QString>> Lines() const
    {
        std::vector<std::pair<QString, QString>> lines;
        auto add = [&lines](const QString& key, const QString& line) { lines.emplace_back(key, line); };
        if (controllerClock)
            add(QStringLiteral("clock"), Text::ControllerClockCaption() + u' ' + *controllerClock);
        if (pcClock)
            add(QStringLiteral("pc"), Text::PcClockCaption() + u' ' + *pcClock);
        if (outputs)
            for (const auto& row : StatusTable)
                if (IsOutput(row))
                    add(row.Key(), Text::OutputLine(row.Key(), std::get<bool>(ValueIn(row, *outputs))));
        if (view) {
            add(QStringLiteral("mode"), Text::ModeCaption() + u' ' + view->mode);
            for (const RegulatorLine& line : view->lines)
                if (line.visible)
                    add(line.key, line.caption.value_or(Text::RegulatorCaption(line.key)) + u' ' +
                                      line.value.value_or(QString()));
        }
        if (sensorTexts)
            for (int i = 0; i < SensorCount; ++i)
                add(QStringLiteral("sensor%1").arg(i),
                    Text::SensorLine(i, names[std::size_t(i)], (*sensorTexts)[std::size_t(i)]));
        return lines;
    }
};

// Prints the lines that differ from those printed before; all the first time.
class ChangedLines {
public:
    QByteArray Take(const std::vector<std::pair<QString, QString>>& lines)
    {
        QByteArray text;
        for (const auto& [key, line] : lines) {
            QString& shown = shown_[key];
            if (shown != line)
                text += line.toUtf8() + '\n';
            shown = line;
        }
        return text;
    }

private:
    std::map<QString, QString> shown_;
};

std::optional<int> Weekday(const QString& text)
{
    bool number = false;
    const int day = text.toInt(&number);
    if (number)
        return day >= 0 && day < 7 ? std::optional(day) : std::nullopt;
    return WeekdayOfName(text);
}

// The clock the arguments give, or the exit code after saying why not.
std::variant<ControllerTime, int> HandTime(Invocation& invocation)
{
    Console& console = invocation.console;
    if (invocation.arguments.size() != 2) {
        console.Error(Text::ClockSetHow());
        return ExitUsage;
    }
    const QString& given = invocation.arguments[0];
    const QStringList parts = given.split(u':');
    if (parts.size() != 3) {
        console.Error(Text::BadClockTime(given));
        return ExitUsage;
    }
    const auto day = Weekday(invocation.arguments[1]);
    if (!day) {
        console.Error(Text::BadWeekday(invocation.arguments[1]));
        return ExitUsage;
    }
    const auto parsed = ParseHandClock({parts[0], parts[1], parts[2], *day});
    if (const auto* error = std::get_if<HandClockError>(&parsed)) {
        console.Error(error->kind == HandClockError::Kind::NotAnInteger ? Text::NotAnInteger(error->text)
                                                                         : Text::RangeCheckError());
        return ExitUsage;
    }
    return std::get<ControllerTime>(parsed);
}

}  // namespace

int RunInfo(Invocation& invocation)
{
    if (!invocation.OpenPort())
        return ExitPort;
    const auto info = ReadInfo(invocation.link);
    if (!info)
        return invocation.LinkFailed();
    return invocation.console.OutLine(*info) ? ExitDone : ExitFile;
}

int RunStatus(Invocation& invocation)
{
    Console& console = invocation.console;
    const bool watch = invocation.Flag("watch");
    if (!invocation.OpenPort())
        return ExitPort;
    // As the tab is entered: the names first, then a tick at once.
    PageBuffer page0;
    if (!invocation.link.ReadPage(Page::Constants, page0))
        return invocation.LinkFailed();
    StatusState state;
    state.names = SensorNames(page0);
    ChangedLines changed;
    std::uint8_t lastMinute = NoStatusMinute;
    for (int tick = 1;; ++tick) {
        QElapsedTimer elapsed;
        elapsed.start();
        const int failures = invocation.failures.count;
        const StatusShow show = RunStatusTick(invocation.link, false, lastMinute,
                                              [] { return QDateTime::currentDateTime(); });
        // A failed exchange stops the poll, as it stops the window's timer.
        if (invocation.failures.count != failures)
            return invocation.LinkFailed();
        lastMinute = show.lastStatusMinute;
        state.Merge(show, QDateTime::currentDateTime());
        const bool complete = show.regulator.has_value() || tick >= OneShotTicks;
        if (watch || complete) {
            const QByteArray text = console.json
                                        ? QJsonDocument(state.Json()).toJson(QJsonDocument::Compact) + '\n'
                                        : watch ? changed.Take(state.Lines()) : ChangedLines().Take(state.Lines());
            if (!console.Out(text))
                return ExitFile;
            if (!watch)
                return ExitDone;
        }
        if (Interrupt::Wait(int(TickMs - elapsed.elapsed())))
            return watch ? ExitDone : invocation.Interrupted();
    }
}

int RunClockSet(Invocation& invocation)
{
    const bool fromPc = invocation.Flag("pc");
    if (fromPc && !invocation.arguments.isEmpty()) {
        invocation.console.Error(Text::ClockSetHow());
        return ExitUsage;
    }
    std::optional<ControllerTime> time;
    if (!fromPc) {
        const auto hand = HandTime(invocation);
        if (const int* exit = std::get_if<int>(&hand))
            return *exit;
        time = std::get<ControllerTime>(hand);
    }
    if (!invocation.OpenPort())
        return ExitPort;
    // The PC's time as late as can be, right before it goes out.
    if (!time)
        time = PcControllerTime(QDateTime::currentDateTime());
    return SetControllerClock(invocation.link, *time) == Transfer::Done ? ExitDone : invocation.LinkFailed();
}

int RunReset(Invocation& invocation)
{
    if (!invocation.dialogs.Question(Text::ConfirmReset()))
        return invocation.Declined();
    if (!invocation.OpenPort())
        return ExitPort;
    return SendReset(invocation.link) ? ExitDone : invocation.LinkFailed();
}
