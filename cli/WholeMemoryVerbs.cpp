// backup, restore and compare: the window's whole-memory commands, their
// dialogs answered by the command line.
#include "cli/Console.h"
#include "cli/Verbs.h"
#include "shell/WholeMemory.h"

namespace {

WholeMemoryContext Context(Invocation& invocation)
{
    return {invocation.link, invocation.dialogs, RealFileSystem(), invocation.PortName()};
}

int ExitOf(Invocation& invocation, WholeMemoryEnd end)
{
    switch (end) {
    case WholeMemoryEnd::Done: return ExitDone;
    case WholeMemoryEnd::Differs: return ExitDiffers;
    case WholeMemoryEnd::Declined: return invocation.Declined();
    case WholeMemoryEnd::Cancelled: return invocation.Interrupted();
    case WholeMemoryEnd::LinkFailed: return invocation.LinkFailed();
    case WholeMemoryEnd::NotStored: return ExitLink;  // the report names the pages
    case WholeMemoryEnd::FileError: return ExitFile;
    }
    return ExitLink;
}

}  // namespace

int RunBackup(Invocation& invocation)
{
    if (!invocation.OpenPort())
        return ExitPort;
    WholeMemoryContext context = Context(invocation);
    return ExitOf(invocation, BackupInto(context, invocation.arguments[0]));
}

int RunRestore(Invocation& invocation)
{
    invocation.dialogs.choice = std::vector<bool>{invocation.Flag("logs"), invocation.Flag("counters")};
    // A file that is no backup is refused before the port opens.
    const auto backup = OpenBackup(invocation.dialogs, RealFileSystem(), invocation.arguments[0]);
    if (!backup)
        return ExitFile;
    if (!invocation.OpenPort())
        return ExitPort;
    WholeMemoryContext context = Context(invocation);
    return ExitOf(invocation, RestoreFrom(context, *backup));
}

int RunCompare(Invocation& invocation)
{
    std::vector<std::pair<QString, Backup>> backups;
    for (const QString& path : invocation.arguments) {
        auto backup = OpenBackup(invocation.dialogs, RealFileSystem(), path);
        if (!backup)
            return ExitFile;
        backups.emplace_back(path, std::move(*backup));
    }
    // Two backups need no Controller.
    if (backups.size() == 1 && !invocation.OpenPort())
        return ExitPort;
    WholeMemoryContext context = Context(invocation);
    return ExitOf(invocation, CompareBackups(context, std::move(backups)));
}
