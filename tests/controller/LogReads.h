// Logs filled as "Načíst" on "Záznamy" fills them, from pages a test makes,
// together with the table of texts that shows them.
#pragma once

#include <QDateTime>
#include <array>
#include <vector>

#include "controller/LogTable.h"

namespace logs_test {

// Entry e of a ring holds entry(e).
template <typename F>
PageBuffer Ring(F entry)
{
    PageBuffer page;
    for (int e = 0; e < 256; ++e)
        page[std::size_t(e)] = std::uint8_t(entry(e));
    return page;
}

inline PageBuffer Page0(std::uint8_t index, std::uint8_t log1, std::uint8_t log2, std::uint8_t log3)
{
    PageBuffer page{};
    page[6] = index, page[41] = log1, page[42] = log2, page[43] = log3;
    return page;
}

// One read at `now`: page 0, then the first `columns` of the four rings
// (fewer than 4 when a page read failed).
struct Read {
    QDateTime now;
    PageBuffer page0;
    std::array<PageBuffer, 4> rings{};
    int columns = 4;
};

struct LogsHolder {
    HourlyLogs logs;
};

// The tab shown at `shown`, then the reads in order.
class ReadLogs : private LogsHolder, public LogTable {
public:
    explicit ReadLogs(const QDateTime& shown, const std::vector<Read>& reads = {}) : LogTable(logs)
    {
        logs.SetNow(shown);
        for (const Read& read : reads)
            Add(read);
    }
    void Add(const Read& read)
    {
        logs.StartRead(read.now);
        const LogLayout layout = DecodeLogLayout(read.page0);
        for (int column = 1; column <= read.columns; ++column)
            logs.SetColumn(column, read.rings[std::size_t(column - 1)], layout);
    }
    const HourlyLogs& Logs() const { return logs; }
};

}  // namespace logs_test
