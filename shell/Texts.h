// The program's own messages, as the user reads them.  Widget captions live
// in the tabs' .ui files; every text a box or a report shows lives here.
// Each is an entry of the catalogue (context "Text"), shown in the user's
// language.
#pragma once

#include <QCoreApplication>
#include <QString>

#include "link/PageMap.h"

namespace Text {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(Text)
};

// Title of the program's own message boxes.
inline QString DialogTitle()
{
    return Tr::tr("Kalorest");
}

inline QString CommunicationError()
{
    return Tr::tr("Chyba komunikace");
}
// Followed by the port's name.
inline QString CannotOpenPort()
{
    return Tr::tr("Nelze otevřít port ");
}

// The second line under "Nelze otevřít port …": what happened, what to do.
inline QString PortMissing(const QString& path)
{
    return Tr::tr("Zařízení %1 neexistuje. Zkontrolujte, že je převodník připojen, nebo zvolte jiný port.")
        .arg(path);
}
inline QString PortAccessDenied(const QString& path, const QString& group, const QString& user)
{
    return Tr::tr("Přístup k zařízení %1 byl odepřen: zařízení patří skupině %2. Přidejte se do ní "
                  "příkazem „sudo usermod -aG %2 %3“ a přihlaste se znovu.")
        .arg(path, group, user);
}
// Access denied where no group would help (a device of root's own group,
// or a group without read and write on it).
inline QString PortAccessByAdministrator(const QString& path)
{
    return Tr::tr("Přístup k zařízení %1 byl odepřen. Přístup k němu vám musí povolit správce počítače.")
        .arg(path);
}
inline QString PortNotSerial(const QString& path)
{
    return Tr::tr("%1 není sériový port. Zvolte jiný port.").arg(path);
}
inline QString PortInUseBy(const QString& path, const QString& program, long long pid)
{
    return Tr::tr("Zařízení %1 používá jiný program: %2 (PID %3). Ukončete jej a zvolte port znovu.")
        .arg(path, program, QString::number(pid));
}
inline QString PortInUse(const QString& path)
{
    return Tr::tr("Zařízení %1 používá jiný program. Ukončete jej a zvolte port znovu.").arg(path);
}
inline QString PortOtherFailure(const QString& path, const QString& reason)
{
    return Tr::tr("Zařízení %1 nelze otevřít: %2").arg(path, reason);
}
inline QString ConfirmWrite()
{
    return Tr::tr("Opravdu zapsat?");
}
inline QString ConfirmReset()
{
    return Tr::tr("Opravdu resetovat?");
}

// Errors of a handler that are not exchanges.
inline QString RangeCheckError()
{
    return Tr::tr("Range check error");
}
inline QString DivisionByZero()
{
    return Tr::tr("Floating point division by zero");
}
inline QString InvalidFloatingPointOperation()
{
    return Tr::tr("Invalid floating point operation");
}

inline QString NotAnInteger(const QString& text)
{
    return Tr::tr("'%1' is not a valid integer value").arg(text);
}
inline QString CannotOpenFile(const QString& path, const QString& reason)
{
    return Tr::tr("Cannot open file \"%1\". %2").arg(path, reason);
}
inline QString CannotCreateFile(const QString& path, const QString& reason)
{
    return Tr::tr("Cannot create file \"%1\". %2").arg(path, reason);
}
inline QString UnableToWrite(const QString& path)
{
    return Tr::tr("Unable to write to %1").arg(path);
}
inline QString StoreFailure(const QString& valueName)
{
    return Tr::tr("Failed to set data for '%1'").arg(valueName);
}

// Loading an EEPROM image that is not one page long; the load goes on.
inline QString ImageTooShort()
{
    return Tr::tr("Pozor! Vstup příliš krátký!");
}
inline QString ImageTooLong()
{
    return Tr::tr("Pozor! Vstup příliš dlouhý!");
}

// An item of the page list of "Přímý přístup": the page and what it holds
// ("0 - konstanty", "3 - režim A (1)", "15 - logy č.4").
inline QString PageCaption(int page)
{
    static_assert(Page::ModeB == Page::ModeA + Page::ModePages && Page::ModeC == Page::ModeB + Page::ModePages &&
                  Page::FirstLog == Page::ModeC + Page::ModePages);
    QString holds;
    if (page >= Page::FirstLog)
        holds = Tr::tr("logy č.%1").arg(page - Page::FirstLog + 1);
    else if (page >= Page::ModeA)
        holds = Tr::tr("režim %1 (%2)")
                    .arg(QChar(u'A' + (page - Page::ModeA) / Page::ModePages))
                    .arg((page - Page::ModeA) % Page::ModePages + 1);
    else if (page == Page::Wall)
        holds = Tr::tr("křivka zdi");
    else if (page == Page::Ekvith)
        holds = Tr::tr("ekviterma");
    else
        holds = Tr::tr("konstanty");
    return QStringLiteral("%1 - %2").arg(page).arg(holds);
}

// File dialog filters: pairs of description and pattern separated by "|".
// Only the descriptions are words; the patterns, which choose the files,
// are never translated.
namespace Filter {
// "Soubory konfigurace (*.vsk)|*.vsk".
inline QString Of(const QString& description, const char* pattern)
{
    return QStringLiteral("%1 (%2)|%2").arg(description, QLatin1StringView(pattern));
}
inline QString AllFiles()
{
    return Of(Tr::tr("Všechny soubory"), "*.*");
}
inline QString Configuration()
{
    return Of(Tr::tr("Soubory konfigurace"), "*.vsk") + u'|' + AllFiles();
}
inline QString Csv()
{
    return Of(Tr::tr("Soubory formátu CSV"), "*.csv") + u'|' + AllFiles();
}
inline QString Image()
{
    return Of(Tr::tr("Binární soubory"), "*.bin") + u'|' + AllFiles();
}
inline QString Text()
{
    return Of(Tr::tr("Textové soubory"), "*.txt") + u'|' + AllFiles();
}
// A chart saved as a picture: its format follows the name's extension.
inline QString ChartImage()
{
    return Of(Tr::tr("Obrázky PNG"), "*.png") + u'|' + Of(Tr::tr("Obrázky SVG"), "*.svg");
}
}  // namespace Filter

}  // namespace Text
