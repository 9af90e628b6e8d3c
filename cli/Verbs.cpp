#include "cli/Verbs.h"

#include <QCoreApplication>
#include <algorithm>

#include "cli/Console.h"
#include "files/AtomicFile.h"
#include "link/Serial.h"
#include "shell/CommandLineTexts.h"
#include "shell/PortChoice.h"
#include "shell/StoredSettings.h"
#include "shell/Texts.h"

namespace {

constexpr int Baud = 9600;

const OptionSpec Json{"json", nullptr, nullptr, QT_TRANSLATE_NOOP("veskctl", "Výstup jako JSON v UTF-8.")};
const OptionSpec Output{"output", "o", QT_TRANSLATE_NOOP("veskctl", "SOUBOR"),
                        QT_TRANSLATE_NOOP("veskctl", "Zapsat do souboru (celý, nebo vůbec) místo na standardní "
                                                     "výstup."),
                        nullptr, true};
const OptionSpec Section{"section", nullptr, QT_TRANSLATE_NOOP("veskctl", "SEKCE"),
                         QT_TRANSLATE_NOOP("veskctl", "Sekce souboru parametrů: const (Kalorest), ekvith (Ekviterma), "
                                                      "wall (Zeď), mode-a, mode-b, mode-c (Režim A, B, C)."),
                         &SectionNames};

// "COM1" … "COM8", as the port list offers them before any device.
QStringList NamedPorts()
{
    QStringList names;
    for (const PortItem& item : PortItems({}))
        names << item.name;
    return names;
}

}  // namespace

QString HelpText(const char* text)
{
    return QCoreApplication::translate("veskctl", text);
}

const std::vector<ExitCode>& ExitCodes()
{
    static const std::vector<ExitCode> codes = {
        {ExitDone, QT_TRANSLATE_NOOP("veskctl", "hotovo")},
        {ExitDiffers, QT_TRANSLATE_NOOP("veskctl", "compare: porovnané strany se liší")},
        {ExitUsage, QT_TRANSLATE_NOOP("veskctl", "chybný příkaz, volba nebo argument, nebo zápis nebyl potvrzen (nic "
                                                 "se nezapsalo)")},
        {ExitPort, QT_TRANSLATE_NOOP("veskctl", "port nelze otevřít (s důvodem)")},
        {ExitLink, QT_TRANSLATE_NOOP("veskctl", "komunikace s řídicí jednotkou selhala (stránka a důvod), nebo obnova "
                                                "nezapsala, co měla")},
        {ExitFile, QT_TRANSLATE_NOOP("veskctl", "soubor nelze přečíst nebo zapsat, nebo obsahuje, co nelze zapsat")},
        {ExitSignal, QT_TRANSLATE_NOOP("veskctl", "přerušeno signálem N (Ctrl+C: 130) mezi stránkami přenosu")},
    };
    return codes;
}

const std::vector<OptionSpec>& GlobalOptions()
{
    static const std::vector<OptionSpec> options = {
        {"port", nullptr, QT_TRANSLATE_NOOP("veskctl", "NÁZEV"),
         QT_TRANSLATE_NOOP("veskctl", "Port: COM1 až COM8 (zařízení podle sekce [Ports] souboru nastavení), cesta k "
                                      "zařízení nebo /dev/serial/by-id/…. Bez této volby port zvolený v okně (soubor "
                                      "nastavení)."),
         &NamedPorts, true},
        {"trace", nullptr, nullptr,
         QT_TRANSLATE_NOOP("veskctl", "Vypisovat každou výměnu s řídicí jednotkou (bajty požadavku a odpovědi, čas, "
                                      "důvod selhání) s časovým razítkem na standardní chybový výstup.")},
        {"quiet", nullptr, nullptr,
         QT_TRANSLATE_NOOP("veskctl", "Nevypisovat průběh přenosu; chyby a výsledek zůstanou.")},
        HelpOption(),
        {"version", nullptr, nullptr, QT_TRANSLATE_NOOP("veskctl", "Vypsat verzi.")},
    };
    return options;
}

const OptionSpec& HelpOption()
{
    static const OptionSpec help{
        "help", "h", nullptr,
        QT_TRANSLATE_NOOP("veskctl", "Vypsat nápovědu: před příkazem celou, za ním nápovědu příkazu.")};
    return help;
}

const OptionSpec& YesOption()
{
    static const OptionSpec yes{"yes", nullptr, nullptr,
                                QT_TRANSLATE_NOOP("veskctl",
                                                  "Zapsat bez dotazu. Bez terminálu je tato volba nutná, jinak se "
                                                  "příkaz odmítne dřív, než se cokoli odešle.")};
    return yes;
}

std::vector<OptionSpec> OptionsOf(const Verb& verb)
{
    std::vector<OptionSpec> options = verb.options;
    if (verb.writes)
        options.push_back(YesOption());
    return options;
}

QString Verb::Usage() const
{
    QString usage = QCoreApplication::translate("veskctl", "veskctl [společné volby] %1").arg(QString::fromUtf8(name));
    if (*synopsis)
        usage += u' ' + HelpText(synopsis);
    return usage;
}

const std::vector<Verb>& Verbs()
{
    static const std::vector<Verb> verbs = {
        {"ports", "[--json]",
         QT_TRANSLATE_NOOP("veskctl", "Vypíše porty, jak je nabízí okno (COM1 až COM8, pak připojená sériová "
                                      "zařízení), každý se zařízením a stavem: připraven, chybí, není sériový port, "
                                      "přístup odepřen, nebo jej drží jiný program (s PID). Port, který by se použil, "
                                      "je označen „*“. Žádný port se přitom neotevře."),
         {Json}, 0, 0, false, &RunPorts},
        {"info", "", QT_TRANSLATE_NOOP("veskctl", "Vypíše informační text řídicí jednotky (tlačítko Info okna)."), {},
         0, 0, false, &RunInfo},
        {"status", "[--json] [--watch]",
         QT_TRANSLATE_NOOP("veskctl", "Vypíše stav řídicí jednotky jako záložka Hodiny + čidla: její hodiny a hodiny "
                                      "počítače, výstupy, režim a hodnoty regulátoru a teploty čidel s jejich názvy. "
                                      "Hodnoty regulátoru a teploty se čtou jednou za minutu řídicí jednotky, v její "
                                      "nulté sekundě ne; na ně se čeká nejvýš dvě sekundy. S --watch čte stav každou "
                                      "sekundu, dokud jej neukončí Ctrl+C (SIGINT) nebo SIGTERM, a vypisuje jen to, co "
                                      "se změnilo; s --json celý stav jako jeden objekt JSON na řádek."),
         {Json, {"watch", nullptr, nullptr, QT_TRANSLATE_NOOP("veskctl", "Číst stav každou sekundu až do ukončení.")}},
         0, 0, false, &RunStatus},
        {"clock set", QT_TRANSLATE_NOOP("veskctl", "--pc | HH:MM:SS DEN"),
         QT_TRANSLATE_NOOP("veskctl", "Nastaví hodiny řídicí jednotky podle hodin počítače (--pc), nebo na zadaný čas "
                                      "a den: název dne (pondělí … neděle) nebo jeho číslo 0 (pondělí) až 6 (neděle). "
                                      "Čas se zkontroluje dřív, než se cokoli odešle. Nastavuje hned, bez dotazu, jako "
                                      "okno."),
         {{"pc", nullptr, nullptr, QT_TRANSLATE_NOOP("veskctl", "Podle hodin počítače.")}}, 0, 2, false,
         &RunClockSet},
        {"backup", QT_TRANSLATE_NOOP("veskctl", "SOUBOR"),
         QT_TRANSLATE_NOOP("veskctl", "Zazálohuje celou řídicí jednotku (informační text a všech 16 stránek EEPROM) "
                                      "do souboru zálohy (*.vskb). Soubor se uloží, jen když se přečetly všechny "
                                      "stránky."),
         {}, 1, 1, false, &RunBackup},
        {"restore", QT_TRANSLATE_NOOP("veskctl", "SOUBOR [--logs] [--counters] [--yes]"),
         QT_TRANSLATE_NOOP("veskctl", "Obnoví řídicí jednotku ze zálohy: stránky nastavení 0–11; stránky záznamů 12–15 "
                                      "jen s --logs; index záznamů, počet spuštění a dobu běhu kotle (stránka 0, bajty "
                                      "6–11) jen s --counters, jinak zůstanou, jak je řídicí jednotka má. Přečte "
                                      "stránky řídicí jednotky, zeptá se s výpisem stránek, které se změní, uloží je "
                                      "jako automatickou zálohu a pak zapíše jen odlišné stránky a každou přečte zpět. "
                                      "Na standardní výstup vypíše zprávu o obnově."),
         {{"logs", nullptr, nullptr, QT_TRANSLATE_NOOP("veskctl", "Obnovit i záznamy (stránky 12–15).")},
          {"counters", nullptr, nullptr,
           QT_TRANSLATE_NOOP("veskctl", "Obnovit i počítadla a index záznamů (stránka 0, bajty 6–11).")}},
         1, 1, true, &RunRestore},
        {"compare", QT_TRANSLATE_NOOP("veskctl", "SOUBOR [SOUBOR2]"),
         QT_TRANSLATE_NOOP("veskctl", "Porovná zálohu s řídicí jednotkou, nebo dvě zálohy (starší napřed). Vypíše po "
                                      "stránkách odlišné bajty a změněná pole slovy okna. Končí kódem 1, když se něco "
                                      "liší."),
         {}, 1, 2, false, &RunCompare},
        {"logs", QT_TRANSLATE_NOOP("veskctl", "[-o SOUBOR] [--json]"),
         QT_TRANSLATE_NOOP("veskctl", "Přečte hodinové záznamy a vypíše je jako soubor CSV záložky Záznamy, bajt po "
                                      "bajtu stejný (Windows-1250, „;“, CR LF). S --json jako pole hodin v UTF-8, "
                                      "nejstarší první, s čísly."),
         {Output, Json}, 0, 0, false, &RunLogs},
        {"params save", QT_TRANSLATE_NOOP("veskctl", "SOUBOR --section SEKCE"),
         QT_TRANSLATE_NOOP("veskctl", "Přečte sekci nastavení z řídicí jednotky a uloží ji do souboru parametrů "
                                      "(*.vsk) jako „Uložit...“ na její záložce; ostatní řádky souboru zůstanou. "
                                      "Vstupy plnění ekvitermy a zdi se vezmou ze souboru nastavení, jak je okno "
                                      "ukazuje při startu."),
         {Section}, 1, 1, false, &RunParamsSave},
        {"params load", QT_TRANSLATE_NOOP("veskctl", "SOUBOR --section SEKCE [--yes]"),
         QT_TRANSLATE_NOOP("veskctl", "Zapíše sekci souboru parametrů do řídicí jednotky s pravidly její záložky: "
                                      "hodnoty omezené na svůj rozsah; bajty, které sekce nepopisuje, z čerstvě "
                                      "přečtené stránky; počet spuštění a doba běhu kotle, jak je řídicí jednotka má "
                                      "teď. Soubor bez sekce nebo s hodnotou, kterou nelze zapsat, se odmítne dřív, "
                                      "než se cokoli odešle."),
         {Section}, 1, 1, true, &RunParamsLoad},
        {"page read", QT_TRANSLATE_NOOP("veskctl", "N [-o SOUBOR]"),
         QT_TRANSLATE_NOOP("veskctl", "Přečte stránku EEPROM N (0 až 15) jako soubor obrazu (256 bajtů), do "
                                      "souboru nebo na standardní výstup; na terminál ji vypíše šestnáctkově jako "
                                      "mřížka okna."),
         {Output}, 1, 1, false, &RunPageRead},
        {"page write", QT_TRANSLATE_NOOP("veskctl", "N SOUBOR [--yes]"),
         QT_TRANSLATE_NOOP("veskctl", "Zapíše soubor obrazu do stránky EEPROM N (0 až 15). Soubor musí mít přesně 256 "
                                      "bajtů, jinak se odmítne: nic se nedoplní ani neořízne."),
         {}, 2, 2, true, &RunPageWrite},
        {"reset", "[--yes]", QT_TRANSLATE_NOOP("veskctl", "Resetuje řídicí jednotku (tlačítko RESET okna)."), {}, 0,
         0, true, &RunReset},
    };
    return verbs;
}

Invocation::Invocation(const Verb& verb, QCommandLineParser& options, Console& console, TerminalDialogs& dialogs)
    : verb(verb), arguments(options.positionalArguments()), console(console), dialogs(dialogs), options_(options)
{
}

Invocation::~Invocation()
{
    Serial::ClosePort();
}

QString Invocation::PortName() const
{
    if (!portOption.isEmpty())
        return portOption;
    const StoredSettings stored = ReadStoredSettings();
    if (!stored.ComDevice.isEmpty())
        return stored.ComDevice;
    return stored.ComPort >= 0 ? QStringLiteral("COM%1").arg(stored.ComPort + 1) : QString();
}

bool Invocation::OpenPort()
{
    Serial::SetPortMap(ReadPortMap());
    const QString name = PortName();
    if (name.isEmpty()) {
        console.Error(Text::NoPortChosen());
        return false;
    }
    if (Serial::OpenPort(name.toStdString(), Baud))
        return true;
    const Serial::OpenFailure& failure = Serial::LastOpenFailure();
    QString reason = PortFailureReason(failure, CurrentUserName());
    if (failure.reason == Serial::OpenFailure::Reason::NoSuchPort)
        reason = Text::NotAPortName();
    console.Error(Text::CannotOpenPort() + PortLabel(name) + u'\n' + reason);
    return false;
}

std::optional<Snapshot> Invocation::ReadPages(const PageSet& pages, int& exit)
{
    const auto progress = dialogs.StartProgress(Text::Reading());
    SnapshotRead read = ReadSnapshot(link, pages, {[&progress](int done, int total) { progress->Show(done, total); },
                                                   [&progress] { return progress->Cancelled(); }});
    if (read.end.Done())
        return std::move(read.snapshot);
    exit = read.end.kind == TransferEnd::Kind::Failed ? LinkFailed() : Interrupted();
    return std::nullopt;
}

int Invocation::WritePages(int firstPage, std::span<const std::uint8_t> bytes)
{
    const auto progress = dialogs.StartProgress(Text::Writing());
    const int count = int(bytes.size() / Page::Size);
    for (int done = 0; done < count; ++done) {
        progress->Show(done, count);
        if (progress->Cancelled())
            return Interrupted();
        PageBuffer page;
        std::copy_n(bytes.begin() + std::ptrdiff_t(done) * Page::Size, Page::Size, page.begin());
        if (!link.WritePage(firstPage + done, page))
            return LinkFailed();
    }
    return ExitDone;
}

int Invocation::WriteResult(const QByteArray& bytes)
{
    const QString path = Value("output");
    if (path.isEmpty())
        return console.Out(bytes) ? ExitDone : ExitFile;
    if (const auto failed = ReplaceFile(RealFileSystem(), path, bytes)) {
        console.Error(Text::CannotCreateFile(path, *failed));
        return ExitFile;
    }
    return ExitDone;
}

int Invocation::LinkFailed()
{
    console.Error(Text::LinkFailed(link.LastFailure()));
    return ExitLink;
}

int Invocation::Declined()
{
    if (Interrupt::Received())
        return Interrupted();
    console.Error(Text::NothingWritten());
    return ExitUsage;
}

int Invocation::Interrupted() const
{
    return ExitSignal + Interrupt::Received();
}

std::optional<int> PageNumber(const QString& text)
{
    bool ok = false;
    const int page = text.toInt(&ok);
    const bool digits = !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
    return ok && digits && page >= 0 && page < Page::Count ? std::optional(page) : std::nullopt;
}

QString IsoTime(const QDateTime& time)
{
    return time.toOffsetFromUtc(time.offsetFromUtc()).toString(Qt::ISODate);
}
