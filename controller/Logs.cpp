#include "controller/Logs.h"

#include "controller/RegulationConstants.h"

int LogValue(int column, std::uint8_t entry)
{
    return QuantityOf(column) == LogQuantity::Seconds ? Logs::BoilerEntrySeconds * entry : std::int8_t(entry);
}

LogLayout DecodeLogLayout(const PageBuffer& page0)
{
    // Which sensor each log holds is the constants page's business: its
    // field table places and limits the three list fields (a byte outside
    // the list decodes as no selection, which names no sensor).
    const RegulationConstants constants = DecodeConstantsPage(page0);
    return {DecodeLogIndex(page0), {constants.Log1, constants.Log2, constants.Log3}};
}

qint64 HourlyLogs::WallHour(const QDateTime& time)
{
    return time.date().toJulianDay() * 24 + time.time().hour();
}

std::optional<qint64> HourlyLogs::HourOfRow(int row) const
{
    if (!newestHour_)
        return std::nullopt;
    return *newestHour_ - (Logs::Hours - row);
}

const std::optional<LogColumn>& HourlyLogs::Column(int column) const
{
    return columns_[std::size_t(column - Logs::FirstValueColumn)];
}

void HourlyLogs::SetNow(const QDateTime& now)
{
    newestHour_ = WallHour(now);
    emit Changed();
}

void HourlyLogs::StartRead(const QDateTime& now)
{
    ++reads_;
    SetNow(now);
}

void HourlyLogs::SetColumn(int column, const PageBuffer& ring, const LogLayout& layout)
{
    if (!Logs::IsValueColumn(column))
        return;
    LogColumn values;
    values.read = reads_;
    if (QuantityOf(column) == LogQuantity::Celsius)
        values.sensor = layout.sensors[std::size_t(column - Logs::FirstValueColumn)];
    for (int row = 1; row <= Logs::Hours; ++row)
        values.values[std::size_t(row - 1)] = LogValue(column, ring[std::size_t((layout.index + row) % Page::Size)]);
    columns_[std::size_t(column - Logs::FirstValueColumn)] = values;
    emit Changed();
}
