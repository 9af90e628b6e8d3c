#include "controller/Snapshot.h"

#include <algorithm>

#include "controller/FieldTable.h"
#include "controller/Logs.h"
#include "controller/RegulationConstants.h"
#include "link/Transaction.h"

namespace {

PageSet Range(int first, int count)
{
    PageSet set;
    for (int page = first; page < first + count; ++page)
        set.set(std::size_t(page));
    return set;
}

// Runs one step per page of the list: the cancel check before it, the
// progress after it.  A step returns false when its exchange failed.
template <typename Step>
TransferEnd RunPages(ControllerLink& link, const std::vector<int>& pages, const TransferControl& control, Step step)
{
    const int total = int(pages.size());
    if (control.progress)
        control.progress(0, total);
    for (int done = 0; done < total; ++done) {
        if (control.cancelled && control.cancelled())
            return {TransferEnd::Kind::Cancelled, {}};
        if (!step(pages[std::size_t(done)]))
            return {TransferEnd::Kind::Failed, link.LastFailure()};
        if (control.progress)
            control.progress(done + 1, total);
    }
    return {};
}

bool SameExceptKept(const PageBuffer& a, const PageBuffer& b, bool page0KeepsCounters)
{
    if (!page0KeepsCounters)
        return a == b;
    PageBuffer x = a, y = b;
    for (int offset : KeptCounterBytes())
        x[std::size_t(offset)] = y[std::size_t(offset)];
    return x == y;
}

}  // namespace

PageSet AllPages()
{
    return Range(0, Page::Count);
}

PageSet SettingsPages()
{
    return Range(0, Page::FirstLog);
}

PageSet LogPages()
{
    return Range(Page::FirstLog, Page::LogCount);
}

std::vector<int> PageList(const PageSet& pages)
{
    std::vector<int> list;
    for (int page = 0; page < Page::Count; ++page)
        if (pages.test(std::size_t(page)))
            list.push_back(page);
    return list;
}

void Snapshot::Put(int page, const PageBuffer& bytes)
{
    present.set(std::size_t(page));
    pages[std::size_t(page)] = bytes;
}

SnapshotRead ReadSnapshot(ControllerLink& link, const PageSet& pages, const TransferControl& control)
{
    SnapshotRead read;
    read.end = RunPages(link, PageList(pages), control, [&](int page) {
        PageBuffer bytes;
        if (!link.ReadPage(page, bytes))
            return false;
        read.snapshot.Put(page, bytes);
        return true;
    });
    return read;
}

const std::vector<int>& KeptCounterBytes()
{
    // What the Controller moves itself, as page 0's table has it: the
    // counters, and the log index that the program never writes.
    static const std::vector<int> bytes = [] {
        std::vector<int> offsets;
        for (const FieldSpec& row : ConstantsTable)
            if (row.kind == RowKind::Counter || !row.Encoded())
                for (int offset = row.offset; offset < row.End(); ++offset)
                    offsets.push_back(offset);
        std::sort(offsets.begin(), offsets.end());
        return offsets;
    }();
    return bytes;
}

PageSet RestoreCandidates(const Snapshot& backup, const RestoreOptions& options)
{
    return backup.present & (options.logs ? AllPages() : SettingsPages());
}

PageBuffer RestorePlan::Target(int page, const PageBuffer& controller) const
{
    PageBuffer target = backup.pages[std::size_t(page)];
    if (page == Page::Constants && !options.counters)
        for (int offset : KeptCounterBytes())
            target[std::size_t(offset)] = controller[std::size_t(offset)];
    return target;
}

PlanRead PlanRestore(ControllerLink& link, const Snapshot& backup, const RestoreOptions& options,
                     const TransferControl& control)
{
    PlanRead result;
    RestorePlan& plan = result.plan;
    plan.options = options;
    plan.backup = backup;
    SnapshotRead current = ReadSnapshot(link, RestoreCandidates(backup, options), control);
    plan.current = std::move(current.snapshot);
    result.end = current.end;
    if (!result.end.Done())
        return result;
    for (int page : PageList(plan.current.present)) {
        const PageBuffer& now = plan.current.pages[std::size_t(page)];
        if (plan.Target(page, now) != now)
            plan.changing.set(std::size_t(page));
    }
    return result;
}

RestoreReport ExecuteRestore(ControllerLink& link, const RestorePlan& plan, const TransferControl& control)
{
    RestoreReport report;
    const bool keepsCounters = !plan.options.counters;
    report.end = RunPages(link, PageList(plan.changing), control, [&](int page) {
        PageBuffer controller = plan.current.pages[std::size_t(page)];
        const bool page0Kept = page == Page::Constants && keepsCounters;
        // The user may have pondered the question for an hour: the counters
        // go back as the Controller holds them now.
        if (page0Kept && !link.ReadPage(page, controller))
            return false;
        const PageBuffer target = plan.Target(page, controller);
        if (!link.WritePage(page, target))
            return false;
        report.written.set(std::size_t(page));
        PageBuffer back;
        if (!link.ReadPage(page, back))
            return false;
        if (!SameExceptKept(back, target, page0Kept))
            report.stillDiffering.set(std::size_t(page));
        return true;
    });
    return report;
}

Comparison Compare(const Snapshot& before, const Snapshot& after, const FieldNamer& namer)
{
    Comparison result;
    result.onlyBefore = before.present & ~after.present;
    result.onlyAfter = after.present & ~before.present;
    for (int page : PageList(before.present & after.present)) {
        const PageBuffer& a = before.pages[std::size_t(page)];
        const PageBuffer& b = after.pages[std::size_t(page)];
        if (a == b) {
            result.same.set(std::size_t(page));
            continue;
        }
        PageDifference difference{page, {}, {}};
        for (int offset = 0; offset < Page::Size; ++offset)
            if (a[std::size_t(offset)] != b[std::size_t(offset)])
                difference.bytes.push_back({offset, a[std::size_t(offset)], b[std::size_t(offset)]});
        if (namer)
            difference.fields = namer(page, before, after);
        result.differing.push_back(std::move(difference));
    }
    return result;
}
