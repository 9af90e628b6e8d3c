// The messages of the command line (veskctl): what it says when it
// refuses, fails or reports, beside the window's own texts (shell/Texts.h,
// shell/BackupTexts.h), which it shows where the window would.  Nothing
// decides anything by these texts.
#pragma once

#include <QString>
#include <QStringList>

#include "link/LinkFailure.h"
#include "link/PortAccess.h"
#include "shell/Texts.h"

namespace Text {

// ---- refusals before anything is done (exit 2) ------------------------
QString UnknownVerb(const QString& verb);
inline QString NoVerb()
{
    return Tr::tr("Chybí příkaz. Seznam příkazů vypíše „veskctl --help“.");
}
QString WrongArguments(const QString& usage);
QString BadPageNumber(const QString& text);
QString UnknownSection(const QString& text, const QStringList& sections);
inline QString SectionMissing()
{
    return Tr::tr("Chybí volba --section.");
}
inline QString ClockSetHow()
{
    return Tr::tr("Zadejte buď --pc, nebo čas HH:MM:SS a den.");
}
QString BadClockTime(const QString& text);
QString BadWeekday(const QString& text);
// Writing verbs without a terminal to ask on.
inline QString ConfirmationNeeded()
{
    return Tr::tr("Zápis do řídicí jednotky je třeba potvrdit. Bez terminálu jej potvrďte volbou --yes.");
}
// The user answered no.
inline QString NothingWritten()
{
    return Tr::tr("Nic nebylo zapsáno.");
}
// After a question on the terminal: "a" (ano) or anything else for no.
inline QString YesNoPrompt()
{
    return Tr::tr(" [a/N] ");
}
// What counts as yes, in lower case: the Czech answers always (so that a
// script written for one machine runs on another), and the user's
// language's.
QStringList YesAnswers();

// ---- the port (exit 3) ---------------------------------------------------
inline QString NoPortChosen()
{
    return Tr::tr("Není zvolen žádný port. Zvolte jej volbou --port.");
}
// The second line under "Nelze otevřít port …" for a name that is none.
inline QString NotAPortName()
{
    return Tr::tr("Port zadejte jako COM1 až COM8 (zařízení podle souboru nastavení) nebo cestou k "
                  "zařízení.");
}

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
inline QString PortNotMapped()
{
    return Tr::tr("(žádné zařízení)");
}

// ---- status --------------------------------------------------------------
inline QString ControllerClockCaption()
{
    return Tr::tr("Regulátor:");
}
inline QString PcClockCaption()
{
    return Tr::tr("Počítač:");
}
inline QString ModeCaption()
{
    return Tr::tr("Režim:");
}
// The output of a bit of the status block's table ("Blr", "Pump", "BlrPw"),
// on or off: "Kotel: zapnuto".
QString OutputLine(const QString& key, bool on);
// The caption of a regulator line that the mode does not set itself.
QString RegulatorCaption(const QString& key);
// "Čidlo 3 (Venkovní): -4 °C"; without a name "Čidlo 3: -4 °C".
QString SensorLine(int sensor, const QString& name, const QString& value);

// ---- progress titles of the short transfers ------------------------------
inline QString Reading()
{
    return Tr::tr("Čtení");
}
inline QString Writing()
{
    return Tr::tr("Zápis");
}

}  // namespace Text
