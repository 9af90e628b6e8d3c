// The group "Celá paměť" of "Přímý přístup": the whole Controller backed up
// into a file, restored from one, and compared with one, or two backups
// compared.  What each button does, from its first dialog to its report,
// without a widget: the dialogs go through the window's dialog service.
//
// A failed exchange has shown "Chyba komunikace" (the link's observer); a
// transfer then stops and says no more, except a restore, which tells
// which pages it wrote.  A transfer that the window's close stops ends
// quietly.
#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

#include "controller/FieldNames.h"
#include "controller/Snapshot.h"
#include "files/BackupFile.h"
#include "files/FileSystem.h"

class ControllerLink;
class Dialogs;

struct WholeMemoryContext {
    ControllerLink& link;
    Dialogs& dialogs;
    FileSystem& files;
    // The port as the window names it, for the backup file.
    QString port;
    // True once the window is to close: the transfer stops before its next
    // page and nothing more is shown.
    std::function<bool()> closing = [] { return false; };
    QString autoBackupFolder = AutoBackupFolder();
    // Names the changed fields of a page in the compare.
    FieldNamer namer = TableFieldNamer();
    std::function<QDateTime()> now = [] { return QDateTime::currentDateTimeUtc(); };
};

// How a command ended.  The window has shown whatever there was to say and
// looks no further; the command line turns it into its exit code.
enum class WholeMemoryEnd {
    Done,        // a compare: and nothing differs
    Differs,     // a compare found differences
    Declined,    // the user answered no, or cancelled a choice
    Cancelled,   // stopped between pages ("Zrušit", the window's close)
    LinkFailed,  // an exchange failed: the link's LastFailure() says where and why
    NotStored,   // a restore wrote every page, but some read back otherwise
    FileError,   // a file was refused or could not be written; the message is shown
};

// "Zálohovat...": the save dialog, then the information text and all 16
// pages into the file.  Nothing is saved unless every page was read.
void BackupWholeMemory(WholeMemoryContext& context);
WholeMemoryEnd BackupInto(WholeMemoryContext& context, const QString& path);

// "Obnovit...": the open dialog and the file's check; what to restore
// beside the settings; the Controller's pages read; "Opravdu obnovit?" with
// the pages that will change; those pages saved as the automatic backup;
// then the changing pages written and read back, and the report.
void RestoreWholeMemory(WholeMemoryContext& context);
// All of it after the file's check.
WholeMemoryEnd RestoreFrom(WholeMemoryContext& context, const Backup& backup);

// "Porovnat...": one backup against the Controller's pages, or two backups
// against each other (the older first); the result as a text to copy.
void CompareWholeMemory(WholeMemoryContext& context);
// The same for backups already read, each with its path.
WholeMemoryEnd CompareBackups(WholeMemoryContext& context, std::vector<std::pair<QString, Backup>> backups);

// The backup in the file, or nothing once the refusal has been shown.
std::optional<Backup> OpenBackup(Dialogs& dialogs, FileSystem& files, const QString& path);
