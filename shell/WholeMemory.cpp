#include "shell/WholeMemory.h"

#include <algorithm>

#include "link/Transaction.h"
#include "shell/BackupTexts.h"
#include "shell/Dialogs.h"
#include "shell/ResetInfo.h"
#include "shell/Texts.h"

namespace {

FileDialogSettings BackupDialog()
{
    return {Text::Filter::Backup(), QString::fromLatin1(BackupExtension)};
}

// A transfer behind a progress dialog: the dialog counts the pages, and its
// "Zrušit" or the window's close stops the transfer between pages.
TransferControl Control(Progress& progress, const WholeMemoryContext& context)
{
    return {
        [&progress](int done, int total) { progress.Show(done, total); },
        [&progress, &context] { return progress.Cancelled() || context.closing(); },
    };
}

// A backup of the Controller as it is now, its pages yet to be read.
std::optional<Backup> StartBackup(WholeMemoryContext& context)
{
    const auto info = ReadInfo(context.link);
    if (!info)
        return std::nullopt;
    Backup backup;
    backup.time = context.now();
    backup.port = context.port;
    backup.info = *info;
    return backup;
}

// How a transfer that did not finish ended.
WholeMemoryEnd EndOf(const TransferEnd& end)
{
    return end.kind == TransferEnd::Kind::Failed ? WholeMemoryEnd::LinkFailed : WholeMemoryEnd::Cancelled;
}

}  // namespace

std::optional<Backup> OpenBackup(Dialogs& dialogs, FileSystem& files, const QString& path)
{
    BackupRead read = ReadBackupFile(path, files);
    if (!read.backup)
        dialogs.Error(Text::BackupRefused(path, read.refusal));
    return std::move(read.backup);
}

void BackupWholeMemory(WholeMemoryContext& context)
{
    const QString path = context.dialogs.SaveFileName(BackupDialog());
    if (!path.isEmpty())
        BackupInto(context, path);
}

WholeMemoryEnd BackupInto(WholeMemoryContext& context, const QString& path)
{
    std::optional<Backup> backup;
    SnapshotRead read;
    {
        const auto progress = context.dialogs.StartProgress(Text::BackingUp());
        backup = StartBackup(context);
        if (!backup)
            return WholeMemoryEnd::LinkFailed;
        read = ReadSnapshot(context.link, AllPages(), Control(*progress, context));
    }
    if (!read.end.Done())
        return EndOf(read.end);
    backup->pages = std::move(read.snapshot);
    if (const auto failed = SaveBackupFile(path, *backup, context.files)) {
        context.dialogs.Error(Text::CannotCreateFile(path, *failed));
        return WholeMemoryEnd::FileError;
    }
    return WholeMemoryEnd::Done;
}

void RestoreWholeMemory(WholeMemoryContext& context)
{
    const QString path = context.dialogs.OpenFileName(BackupDialog());
    if (path.isEmpty())
        return;
    if (const auto backup = OpenBackup(context.dialogs, context.files, path))
        RestoreFrom(context, *backup);
}

WholeMemoryEnd RestoreFrom(WholeMemoryContext& context, const Backup& backup)
{
    const auto chosen = context.dialogs.Choose(
        Text::RestoreWhat(),
        {Text::RestoreLogs(), Text::RestoreCounters()}, {false, false});
    if (!chosen || chosen->size() != 2)
        return WholeMemoryEnd::Declined;
    const RestoreOptions options{.logs = (*chosen)[0], .counters = (*chosen)[1]};

    // What the Controller holds now, also kept as the automatic backup.
    std::optional<Backup> before;
    PlanRead planned;
    {
        const auto progress = context.dialogs.StartProgress(Text::Restoring());
        before = StartBackup(context);
        if (!before)
            return WholeMemoryEnd::LinkFailed;
        planned = PlanRestore(context.link, backup.pages, options, Control(*progress, context));
    }
    if (!planned.end.Done())
        return EndOf(planned.end);
    const RestorePlan& plan = planned.plan;
    if (plan.changing.none()) {
        context.dialogs.Information(Text::NothingToRestore());
        return WholeMemoryEnd::Done;
    }
    if (!context.dialogs.Question(Text::ConfirmRestore(plan.changing)))
        return WholeMemoryEnd::Declined;
    if (context.closing())
        return WholeMemoryEnd::Cancelled;

    // Not a byte is written before the way back is on the disk.
    before->pages = plan.current;
    const AutoBackupSave saved = SaveAutoBackup(context.autoBackupFolder, *before, context.files);
    if (saved.error) {
        context.dialogs.Error(Text::AutoBackupFailed(saved.path, *saved.error));
        return WholeMemoryEnd::FileError;
    }
    RestoreReport report;
    {
        const auto progress = context.dialogs.StartProgress(Text::Restoring());
        report = ExecuteRestore(context.link, plan, Control(*progress, context));
    }
    if (context.closing())
        return WholeMemoryEnd::Cancelled;
    const QString text = Text::RestoreResult(plan.changing, report, saved.path);
    if (report.end.Done() && report.stillDiffering.none()) {
        context.dialogs.Information(text);
        return WholeMemoryEnd::Done;
    }
    context.dialogs.Warning(text);
    return report.end.Done() ? WholeMemoryEnd::NotStored : EndOf(report.end);
}

void CompareWholeMemory(WholeMemoryContext& context)
{
    const QStringList paths = context.dialogs.OpenFileNames(BackupDialog());
    if (paths.isEmpty())
        return;
    if (paths.size() > 2) {
        context.dialogs.Error(Text::ChooseOneOrTwoBackups());
        return;
    }
    std::vector<std::pair<QString, Backup>> backups;
    for (const QString& path : paths) {
        auto backup = OpenBackup(context.dialogs, context.files, path);
        if (!backup)
            return;
        backups.emplace_back(path, std::move(*backup));
    }
    CompareBackups(context, std::move(backups));
}

WholeMemoryEnd CompareBackups(WholeMemoryContext& context, std::vector<std::pair<QString, Backup>> backups)
{
    QString beforeSide, afterSide;
    Comparison comparison;
    if (backups.size() == 2) {
        // Older first: what changed since.
        std::stable_sort(backups.begin(), backups.end(),
                         [](const auto& a, const auto& b) { return a.second.time < b.second.time; });
        const auto& [beforePath, before] = backups[0];
        const auto& [afterPath, after] = backups[1];
        beforeSide = Text::BackupSide(beforePath, before);
        afterSide = Text::BackupSide(afterPath, after);
        comparison = Compare(before.pages, after.pages, context.namer);
    } else {
        const auto& [path, backup] = backups.at(0);
        SnapshotRead now;
        {
            const auto progress = context.dialogs.StartProgress(Text::Comparing());
            now = ReadSnapshot(context.link, backup.pages.present, Control(*progress, context));
        }
        if (!now.end.Done())
            return EndOf(now.end);
        beforeSide = Text::BackupSide(path, backup);
        afterSide = Text::ControllerSide(context.port);
        comparison = Compare(backup.pages, now.snapshot, context.namer);
    }
    context.dialogs.ShowText(Text::Comparing(),
                             Text::ComparisonReport(beforeSide, afterSide, comparison));
    return comparison.Equal() ? WholeMemoryEnd::Done : WholeMemoryEnd::Differs;
}
