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

namespace Text {

namespace Filter {
inline constexpr const char* Backup = "Zálohy řídicí jednotky (*.vskb)|*.vskb|Všechny soubory (*.*)|*.*";
}

// Titles of the progress dialogs.
inline constexpr const char* BackingUp = "Zálohování";
inline constexpr const char* Restoring = "Obnova";
inline constexpr const char* Comparing = "Porovnání";

// "Stránka 3 z 16, zbývá asi 5 s"; without the time while none is known.
QString TransferProgress(int done, int total, std::optional<int> secondsLeft);

// The choice before a restore, with its two check boxes.
inline constexpr const char* RestoreWhat = "Co obnovit ze zálohy?\nNastavení (stránky 0–11) se obnoví vždy.";
inline constexpr const char* RestoreLogs = "Také záznamy (stránky 12–15)";
inline constexpr const char* RestoreCounters = "Také počítadla a index záznamů (stránka 0, bajty 6–11)";

// "Opravdu obnovit?" and the pages that will change, one caption a line.
QString ConfirmRestore(const PageSet& changing);
inline constexpr const char* NothingToRestore = "Řídicí jednotka obsahuje totéž co záloha. Není co obnovit.";
QString AutoBackupFailed(const QString& path, const QString& reason);

// After a restore: what was written, what still differs, what was not
// written, and where the automatic backup lies.  The reason of a link
// failure is not said: the window has said "Chyba komunikace".
QString RestoreResult(const PageSet& changing, const ::RestoreReport& report, const QString& autoBackup);

// Why a file is no backup the program reads.
QString BackupRefused(const QString& path, const BackupRefusal& refusal);
inline constexpr const char* ChooseOneOrTwoBackups = "Vyberte jednu zálohu (porovná se s řídicí jednotkou) nebo dvě zálohy.";

// The compare's result: a heading, then per differing page its fields and
// its bytes ("$17: 4B → 50"), then the pages that are the same and those
// only one side has.
QString ComparisonReport(const QString& before, const QString& after, const Comparison& comparison);
// What stands on either side of a compare.
QString BackupSide(const QString& path, const Backup& backup);
QString ControllerSide(const QString& port);

}  // namespace Text
