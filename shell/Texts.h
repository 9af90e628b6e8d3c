// The program's own messages, as the user reads them.  Widget captions live
// in the tabs' .ui files; every text a box or a report shows lives here.
#pragma once

#include <QString>

#include "link/PageMap.h"

namespace Text {

// Title of the program's own message boxes.
inline constexpr const char* DialogTitle = "Kalorest";

inline constexpr const char* CommunicationError = "Chyba komunikace";
inline constexpr const char* CannotOpenPort = "Nelze otevřít port ";  // + the port's name

// The second line under "Nelze otevřít port …": what happened, what to do.
inline QString PortMissing(const QString& path)
{
    return QStringLiteral("Zařízení %1 neexistuje. Zkontrolujte, že je převodník připojen, nebo zvolte jiný port.")
        .arg(path);
}
inline QString PortAccessDenied(const QString& path, const QString& group, const QString& user)
{
    return QStringLiteral("Přístup k zařízení %1 byl odepřen: zařízení patří skupině %2. Přidejte se do ní "
                          "příkazem „sudo usermod -aG %2 %3“ a přihlaste se znovu.")
        .arg(path, group, user);
}
// Access denied where no group would help (a device of root's own group,
// or a group without read and write on it).
inline QString PortAccessByAdministrator(const QString& path)
{
    return QStringLiteral("Přístup k zařízení %1 byl odepřen. Přístup k němu vám musí povolit správce počítače.")
        .arg(path);
}
inline QString PortNotSerial(const QString& path)
{
    return QStringLiteral("%1 není sériový port. Zvolte jiný port.").arg(path);
}
inline QString PortInUseBy(const QString& path, const QString& program, long long pid)
{
    return QStringLiteral("Zařízení %1 používá jiný program: %2 (PID %3). Ukončete jej a zvolte port znovu.")
        .arg(path, program, QString::number(pid));
}
inline QString PortInUse(const QString& path)
{
    return QStringLiteral("Zařízení %1 používá jiný program. Ukončete jej a zvolte port znovu.").arg(path);
}
inline QString PortOtherFailure(const QString& path, const QString& reason)
{
    return QStringLiteral("Zařízení %1 nelze otevřít: %2").arg(path, reason);
}
inline constexpr const char* ConfirmWrite = "Opravdu zapsat?";
inline constexpr const char* ConfirmReset = "Opravdu resetovat?";

// Errors of a handler that are not exchanges.
inline constexpr const char* RangeCheckError = "Range check error";
inline constexpr const char* DivisionByZero = "Floating point division by zero";
inline constexpr const char* InvalidFloatingPointOperation = "Invalid floating point operation";

inline QString NotAnInteger(const QString& text)
{
    return QStringLiteral("'%1' is not a valid integer value").arg(text);
}
inline QString CannotOpenFile(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot open file \"%1\". %2").arg(path, reason);
}
inline QString CannotCreateFile(const QString& path, const QString& reason)
{
    return QStringLiteral("Cannot create file \"%1\". %2").arg(path, reason);
}
inline QString UnableToWrite(const QString& path)
{
    return QStringLiteral("Unable to write to %1").arg(path);
}
inline QString StoreFailure(const QString& valueName)
{
    return QStringLiteral("Failed to set data for '%1'").arg(valueName);
}

// Loading an EEPROM image that is not one page long; the load goes on.
inline constexpr const char* ImageTooShort = "Pozor! Vstup příliš krátký!";
inline constexpr const char* ImageTooLong = "Pozor! Vstup příliš dlouhý!";

// An item of the page list of "Přímý přístup": the page and what it holds
// ("0 - konstanty", "3 - režim A (1)", "15 - logy č.4").
inline QString PageCaption(int page)
{
    static_assert(Page::ModeB == Page::ModeA + Page::ModePages && Page::ModeC == Page::ModeB + Page::ModePages &&
                  Page::FirstLog == Page::ModeC + Page::ModePages);
    QString holds;
    if (page >= Page::FirstLog)
        holds = QStringLiteral("logy č.%1").arg(page - Page::FirstLog + 1);
    else if (page >= Page::ModeA)
        holds = QStringLiteral("režim %1 (%2)")
                    .arg(QChar(u'A' + (page - Page::ModeA) / Page::ModePages))
                    .arg((page - Page::ModeA) % Page::ModePages + 1);
    else if (page == Page::Wall)
        holds = QStringLiteral("křivka zdi");
    else if (page == Page::Ekvith)
        holds = QStringLiteral("ekviterma");
    else
        holds = QStringLiteral("konstanty");
    return QStringLiteral("%1 - %2").arg(page).arg(holds);
}

// File dialog filters: pairs of description and pattern separated by "|".
namespace Filter {
inline constexpr const char* Configuration = "Soubory konfigurace (*.vsk)|*.vsk|Všechny soubory (*.*)|*.*";
inline constexpr const char* Csv = "Soubory formátu CSV (*.csv)|*.csv|Všechny soubory (*.*)|*.*";
inline constexpr const char* Image = "Binární soubory (*.bin)|*.bin|Všechny soubory (*.*)|*.*";
inline constexpr const char* Text = "Textové soubory (*.txt)|*.txt|Všechny soubory (*.*)|*.*";
// A chart saved as a picture: its format follows the name's extension.
inline constexpr const char* ChartImage = "Obrázky PNG (*.png)|*.png|Obrázky SVG (*.svg)|*.svg";
}  // namespace Filter

}  // namespace Text
