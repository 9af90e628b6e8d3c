// The messages of the command line (veskctl): what it says when it
// refuses, fails or reports, beside the window's own texts (shell/Texts.h,
// shell/BackupTexts.h), which it shows where the window would.  Nothing
// decides anything by these texts.
#pragma once

#include <QString>
#include <QStringList>

#include "link/LinkFailure.h"
#include "link/PortAccess.h"

namespace Text {

// ---- refusals before anything is done (exit 2) ------------------------
QString UnknownVerb(const QString& verb);
inline constexpr const char* NoVerb = "Chybí příkaz. Seznam příkazů vypíše „veskctl --help“.";
QString WrongArguments(const QString& usage);
QString BadPageNumber(const QString& text);
QString UnknownSection(const QString& text, const QStringList& sections);
inline constexpr const char* SectionMissing = "Chybí volba --section.";
inline constexpr const char* ClockSetHow = "Zadejte buď --pc, nebo čas HH:MM:SS a den.";
QString BadClockTime(const QString& text);
QString BadWeekday(const QString& text);
// Writing verbs without a terminal to ask on.
inline constexpr const char* ConfirmationNeeded =
    "Zápis do řídicí jednotky je třeba potvrdit. Bez terminálu jej potvrďte volbou --yes.";
// The user answered no.
inline constexpr const char* NothingWritten = "Nic nebylo zapsáno.";
// After a question on the terminal: "a" (ano) or anything else for no.
inline constexpr const char* YesNoPrompt = " [a/N] ";
// What counts as yes, in lower case.
QStringList YesAnswers();

// ---- the port (exit 3) ---------------------------------------------------
inline constexpr const char* NoPortChosen = "Není zvolen žádný port. Zvolte jej volbou --port.";
// The second line under "Nelze otevřít port …" for a name that is none.
inline constexpr const char* NotAPortName =
    "Port zadejte jako COM1 až COM8 (zařízení podle souboru nastavení) nebo cestou k zařízení.";

// ---- the link (exit 4) ---------------------------------------------------
// "Chyba komunikace: stránka 5, čtení (požadavek 0x25): vypršel čas, přišlo
// 12 z 256 bajtů odpovědi".
QString LinkFailed(const LinkFailure& failure);

// ---- files (exit 5) ------------------------------------------------------
QString NoSectionInFile(const QString& path, const QString& section);
QString BadModeData(const QString& path, const QString& section);
QString ValueOutOfRange(const QString& path, const QString& section);
// An image for "page write" that is not one page long: the window's warning
// and that nothing was sent.
QString ImageNotOnePage(const QString& path, bool tooShort);
QString CannotWriteOutput(const QString& reason);

// ---- ports ---------------------------------------------------------------
// "COM1 (/dev/ttyS0): chybí".
QString PortLine(const QString& label, const QString& path, const Serial::OpenFailure& state);
inline constexpr const char* PortNotMapped = "(žádné zařízení)";

// ---- status --------------------------------------------------------------
inline constexpr const char* ControllerClockCaption = "Regulátor:";
inline constexpr const char* PcClockCaption = "Počítač:";
inline constexpr const char* ModeCaption = "Režim:";
// The output of a bit of the status block's table ("Blr", "Pump", "BlrPw"),
// on or off: "Kotel: zapnuto".
QString OutputLine(const QString& key, bool on);
// The caption of a regulator line that the mode does not set itself.
QString RegulatorCaption(const QString& key);
// "Čidlo 3 (Venkovní): -4 °C"; without a name "Čidlo 3: -4 °C".
QString SensorLine(int sensor, const QString& name, const QString& value);

// ---- progress titles of the short transfers ------------------------------
inline constexpr const char* Reading = "Čtení";
inline constexpr const char* Writing = "Zápis";

}  // namespace Text
