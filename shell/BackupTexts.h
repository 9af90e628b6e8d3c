// The texts of the whole-memory commands ("Celá paměť" on "Přímý přístup"):
// the captions of their dialogs, the refusals of a backup file, and the
// reports of a restore and a compare.  The rest of the program's texts are
// in shell/Texts.h.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

#include "controller/Snapshot.h"
#include "files/BackupFile.h"
#include "shell/Texts.h"

namespace Text {

namespace Filter {
inline QString Backup()
{
    return Of(Tr::tr("Zálohy řídicí jednotky"), "*.vskb") + u'|' + AllFiles();
}
}

// Titles of the progress dialogs.
inline QString BackingUp()
{
    return Tr::tr("Zálohování");
}
inline QString Restoring()
{
    return Tr::tr("Obnova");
}
inline QString Comparing()
{
    return Tr::tr("Porovnání");
}

// "Stránka 3 z 16, zbývá asi 5 s"; without the time while none is known.
QString TransferProgress(int done, int total, std::optional<int> secondsLeft);

// The choice before a restore, with its two check boxes.
inline QString RestoreWhat()
{
    return Tr::tr("Co obnovit ze zálohy?\nNastavení (stránky 0–11) se obnoví vždy.");
}
inline QString RestoreLogs()
{
    return Tr::tr("Také záznamy (stránky 12–15)");
}
inline QString RestoreCounters()
{
    return Tr::tr("Také počítadla a index záznamů (stránka 0, bajty 6–11)");
}

// "Opravdu obnovit?" and the pages that will change, one caption a line.
QString ConfirmRestore(const PageSet& changing);
inline QString NothingToRestore()
{
    return Tr::tr("Řídicí jednotka obsahuje totéž co záloha. Není co obnovit.");
}
QString AutoBackupFailed(const QString& path, const QString& reason);

// After a restore: what was written, what still differs, what was not
// written, and where the automatic backup lies.  The reason of a link
// failure is not said: the window has said "Chyba komunikace".
QString RestoreResult(const PageSet& changing, const ::RestoreReport& report, const QString& autoBackup);

// Why a file is no backup the program reads.
QString BackupRefused(const QString& path, const BackupRefusal& refusal);
inline QString ChooseOneOrTwoBackups()
{
    return Tr::tr("Vyberte jednu zálohu (porovná se s řídicí jednotkou) nebo dvě zálohy.");
}

// The compare's result: a heading, then per differing page its fields and
// its bytes ("$17: 4B → 50"), then the pages that are the same and those
// only one side has.
QString ComparisonReport(const QString& before, const QString& after, const Comparison& comparison);
// What stands on either side of a compare.
QString BackupSide(const QString& path, const Backup& backup);
QString ControllerSide(const QString& port);

}  // namespace Text
