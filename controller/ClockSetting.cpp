#include "controller/ClockSetting.h"

#include <array>

#include "controller/IntegerText.h"
#include "link/Commands.h"

ControllerTime PcControllerTime(const QDateTime& now)
{
    const QTime t = now.time();
    return {t.second(), t.minute(), t.hour(), now.date().dayOfWeek() - 1};
}

Transfer SetControllerClock(ControllerLink& link, const ControllerTime& time)
{
    std::array<std::uint8_t, 1 + Command::ClockReplyLength> sequence{Command::SetClock};
    if (!EncodeFields(ClockTable, time, std::span(sequence).subspan<1>()))
        return Transfer::RangeCheckError;
    return link.SendAcknowledged(sequence.data(), sequence.size()) ? Transfer::Done : Transfer::LinkFailed;
}

std::variant<ControllerTime, HandClockError> ParseHandClock(const HandClockTexts& texts)
{
    ControllerTime time;
    time.Day = texts.day;
    const std::pair<const QString*, int*> fields[] = {
        {&texts.sec, &time.Sec},
        {&texts.min, &time.Min},
        {&texts.hour, &time.Hour},
    };
    for (const auto& [text, value] : fields) {
        const std::optional<int> parsed = ParseIntegerText(*text);
        if (!parsed)
            return HandClockError{HandClockError::Kind::NotAnInteger, *text};
        if (*parsed < 0 || *parsed > 255)
            return HandClockError{HandClockError::Kind::RangeCheck, *text};
        *value = *parsed;
    }
    if (time.Day < 0 || time.Day > 255)
        return HandClockError{HandClockError::Kind::RangeCheck, QString::number(time.Day)};
    return time;
}
