// veskctl's verbs, described once: each with its synopsis, its help text,
// its options and the handler that runs it.  The general help, each verb's
// help, the parsing of its options and arguments, the manual page's list of
// commands and the bash completion are all made from this table
// (cli/Help.h); the exit codes too have one table.
//
// The tables' texts (help, value names, synopses, exit meanings) are marked
// QT_TRANSLATE_NOOP("veskctl", …) where they stand and shown through
// HelpText(); names of verbs and options are never translated.
#pragma once

#include <QCommandLineParser>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <vector>

#include "controller/Snapshot.h"
#include "link/Transaction.h"

class Console;
class TerminalDialogs;

// What veskctl exits with.  A signal that stopped a transfer gives 128 + its
// number, as a shell reports a program that a signal ended.
enum Exit : int {
    ExitDone = 0,
    ExitDiffers = 1,     // compare: the two sides differ
    ExitUsage = 2,       // bad command line, or a write not confirmed
    ExitPort = 3,        // the port cannot be opened
    ExitLink = 4,        // an exchange with the Controller failed
    ExitFile = 5,        // a file cannot be read or written, or holds what cannot be written
    ExitSignal = 128,    // + the signal's number
};

// A text of the tables as the user reads it.
QString HelpText(const char* text);

struct ExitCode {
    int code;
    const char* meaning;
};
const std::vector<ExitCode>& ExitCodes();

struct OptionSpec {
    const char* name;              // long name, without "--"
    const char* shortName;         // one letter, or nullptr
    const char* valueName;         // the value's name in the help; nullptr for a flag
    const char* help;
    QStringList (*values)() = nullptr;  // the values to complete, where there is a fixed set
    bool path = false;                   // the value may be a path, to complete as one
};

class Invocation;

struct Verb {
    const char* name;      // one word, or a group and a word ("params load")
    const char* synopsis;  // what follows the name
    const char* help;
    std::vector<OptionSpec> options;
    int minArguments, maxArguments;
    // Writes to the Controller: asks first on a terminal, needs --yes
    // elsewhere (an option every such verb gets).
    bool writes;
    int (*run)(Invocation&);

    QString Usage() const;
};

const std::vector<Verb>& Verbs();
// The options given before the verb.
const std::vector<OptionSpec>& GlobalOptions();
// --help, before the verb and after it.
const OptionSpec& HelpOption();
// The option every writing verb has.
const OptionSpec& YesOption();
// The verb's options, with --yes where it writes.
std::vector<OptionSpec> OptionsOf(const Verb& verb);

// A verb being run: its options and arguments, the console, the dialog
// service answered on the terminal, and the link to the Controller, whose
// port the handler opens when it needs it.
class Invocation {
public:
    Invocation(const Verb& verb, QCommandLineParser& options, Console& console, TerminalDialogs& dialogs);
    ~Invocation();

    // Counts the failed exchanges: a status tick says only what it showed.
    struct FailureCount final : LinkObserver {
        int count = 0;
        void ExchangeFailed(const LinkFailure&) override { ++count; }
    };

    const Verb& verb;
    const QStringList arguments;
    Console& console;
    TerminalDialogs& dialogs;
    FailureCount failures;
    ControllerLink link{&failures};
    // --port, or empty for the settings file's choice.
    QString portOption;

    bool Flag(const char* name) const { return options_.isSet(QString::fromLatin1(name)); }
    QString Value(const char* name) const { return options_.value(QString::fromLatin1(name)); }
    bool Yes() const { return verb.writes && Flag(YesOption().name); }

    // The port as the window names it: --port, else the settings file's
    // choice (a device kept by its path first, then "COM1" … "COM8").
    QString PortName() const;
    // Opens it; false once the failure has been said (ExitPort).
    bool OpenPort();

    // Reads the pages in ascending order, with progress on the terminal;
    // nothing when the transfer did not finish, `exit` then saying how it
    // ended, its reason said.
    std::optional<Snapshot> ReadPages(const PageSet& pages, int& exit);
    // Writes the pages from firstPage with progress; the exit code.
    int WritePages(int firstPage, std::span<const std::uint8_t> bytes);

    // The result to standard output, or into the file of --output (whole
    // or not at all); the exit code.
    int WriteResult(const QByteArray& bytes);

    // Says the link's reason of its last failure; ExitLink.
    int LinkFailed();
    // A write the user did not confirm (or a signal answered): says so; the
    // exit code.
    int Declined();
    // 128 + the signal that stopped the transfer.
    int Interrupted() const;

private:
    QCommandLineParser& options_;
};

// The handlers, one per verb.
int RunPorts(Invocation&);
int RunInfo(Invocation&);
int RunStatus(Invocation&);
int RunClockSet(Invocation&);
int RunBackup(Invocation&);
int RunRestore(Invocation&);
int RunCompare(Invocation&);
int RunLogs(Invocation&);
int RunParamsSave(Invocation&);
int RunParamsLoad(Invocation&);
int RunPageRead(Invocation&);
int RunPageWrite(Invocation&);
int RunReset(Invocation&);

// The names of the parameter file's sections, as --section takes them.
QStringList SectionNames();

// A page number as the command line gives it: 0 to 15, digits only.
std::optional<int> PageNumber(const QString& text);
// A moment with its offset from UTC, as a script reads it:
// "2025-03-01T10:15:30+01:00".
QString IsoTime(const QDateTime& time);
