// The whole Controller at once: a snapshot of a chosen set of EEPROM pages,
// read with progress and a way to stop between pages, and the restore and
// compare of such snapshots.  Plain operations without widgets: the window
// runs them behind its progress dialog, the command line behind its
// terminal.
//
// Every transfer stops at the first failed page; the link's reason
// (link/LinkFailure.h) says which page, at which step, and why.  Nothing
// here shows a message: the link's observer has told the window its one
// message, and the results below say the rest.
#pragma once

#include <QStringList>
#include <array>
#include <bitset>
#include <functional>
#include <vector>

#include "link/LinkFailure.h"
#include "link/PageMap.h"

class ControllerLink;

using PageSet = std::bitset<Page::Count>;

PageSet AllPages();       // 0..15
PageSet SettingsPages();  // 0..11: constants, curves, time programs
PageSet LogPages();       // 12..15
// The pages of the set, ascending.
std::vector<int> PageList(const PageSet& pages);

// Some or all of the EEPROM's pages, as they were read or kept.
struct Snapshot {
    PageSet present;
    std::array<PageBuffer, Page::Count> pages{};

    bool Has(int page) const { return present.test(std::size_t(page)); }
    void Put(int page, const PageBuffer& bytes);
    bool operator==(const Snapshot&) const = default;
};

// What a transfer asks of its caller between pages.  Both may be empty.
struct TransferControl {
    // Pages done, of all the transfer will do: (0, n) before the first,
    // then after each page.
    std::function<void(int done, int total)> progress;
    // Asked before each page; true stops the transfer there.
    std::function<bool()> cancelled;
};

// How a transfer ended.
struct TransferEnd {
    enum class Kind { Done, Failed, Cancelled };
    Kind kind = Kind::Done;
    LinkFailure failure;  // Failed: the link's reason, with its page and step

    bool Done() const { return kind == Kind::Done; }
};

struct SnapshotRead {
    Snapshot snapshot;  // every page read before the transfer ended
    TransferEnd end;
};

// Reads the pages of the set in ascending order.
SnapshotRead ReadSnapshot(ControllerLink& link, const PageSet& pages, const TransferControl& control);

// ---- restore ----------------------------------------------------------

struct RestoreOptions {
    bool logs = false;      // the log rings, pages 12..15, too
    bool counters = false;  // page 0's log index and counters from the backup too
};

// Page 0's bytes that a restore takes from the Controller, not the backup,
// unless the counters are asked for: the log ring's position (byte 6), the
// run count (7) and the boiler's run time (8..11).  Restoring them would
// roll the Controller's history back.
const std::vector<int>& KeptCounterBytes();

// The pages a restore may write: those of the backup among 0..11, with
// 12..15 when the logs are asked for.
PageSet RestoreCandidates(const Snapshot& backup, const RestoreOptions& options);

// What a restore will do, made from the Controller's pages as they are.
struct RestorePlan {
    RestoreOptions options;
    Snapshot backup;
    Snapshot current;  // the Controller's candidate pages before the restore
    PageSet changing;  // the candidates whose bytes will change

    // A candidate page as the restore writes it: the backup's, with the kept
    // bytes of page 0 taken from `controller`.
    PageBuffer Target(int page, const PageBuffer& controller) const;
};

struct PlanRead {
    RestorePlan plan;
    TransferEnd end;  // not Done: no plan, nothing to write
};

// Reads the candidate pages (nothing is written) and works out which change.
PlanRead PlanRestore(ControllerLink& link, const Snapshot& backup, const RestoreOptions& options,
                     const TransferControl& control);

struct RestoreReport {
    PageSet written;         // pages whose 256 bytes all went out
    PageSet stillDiffering;  // written pages whose read-back differs from what was written
    TransferEnd end;         // Failed: the page and step where it stopped
};

// Writes the plan's changing pages in ascending order, and reads each page
// back right after it is written and compares.  Before page 0 is written
// with its counters kept, page 0 is read afresh, so that an hour the
// Controller logged since the plan is not rolled back.  One progress step
// per changing page.  The caller keeps the plan's current pages somewhere
// safe first (the automatic backup).
RestoreReport ExecuteRestore(ControllerLink& link, const RestorePlan& plan, const TransferControl& control);

// ---- compare ------------------------------------------------------------

struct ByteChange {
    int offset;
    std::uint8_t before, after;
    bool operator==(const ByteChange&) const = default;
};

struct PageDifference {
    int page;
    std::vector<ByteChange> bytes;  // every byte that differs, ascending
    QStringList fields;             // the changed fields in the window's words, where named
};

// Names the changed fields of one page in the window's words, e.g.
// "Max. stř. teplota: 75 → 80", or nothing where no table describes the
// page.  It gets both snapshots whole, since a block may span pages (a
// time program spans three), and names only the fields that lie, at least
// in part, in the given page.  Called only for pages present in both.
using FieldNamer = std::function<QStringList(int page, const Snapshot& before, const Snapshot& after)>;

struct Comparison {
    std::vector<PageDifference> differing;  // ascending by page
    PageSet same;                           // present in both, equal
    PageSet onlyBefore, onlyAfter;          // present in one snapshot alone

    bool Equal() const { return differing.empty() && onlyBefore.none() && onlyAfter.none(); }
};

Comparison Compare(const Snapshot& before, const Snapshot& after, const FieldNamer& namer = {});
