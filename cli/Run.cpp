#include "cli/Run.h"

#include <QLoggingCategory>

#include "cli/Console.h"
#include "cli/Help.h"
#include "cli/Verbs.h"
#include "shell/CommandLineTexts.h"

namespace {

// Hidden: what the build takes the manual page's sections and the bash
// completion from.
const QString DumpMan = QStringLiteral("dump-man-sections");
const QString DumpCompletion = QStringLiteral("dump-bash-completion");

void AddOptions(QCommandLineParser& parser, const std::vector<OptionSpec>& options)
{
    for (const OptionSpec& spec : options) {
        QStringList names{QString::fromLatin1(spec.name)};
        if (spec.shortName)
            names.prepend(QString::fromLatin1(spec.shortName));
        QCommandLineOption option(names, HelpText(spec.help));
        if (spec.valueName)
            option.setValueName(HelpText(spec.valueName));
        parser.addOption(option);
    }
}

struct Found {
    const Verb* verb = nullptr;
    qsizetype words = 0;  // of the positional arguments, the verb's name takes these
};

// The verb whose name the first one or two words are.
Found FindVerb(const QStringList& words)
{
    Found found;
    for (const Verb& verb : Verbs()) {
        const QStringList name = QString::fromUtf8(verb.name).split(u' ');
        if (name.size() > found.words && words.size() >= name.size() && words.mid(0, name.size()) == name)
            found = {&verb, name.size()};
    }
    return found;
}

// The verbs named by a group's word ("params": save and load).
std::vector<const Verb*> Group(const QString& word)
{
    std::vector<const Verb*> group;
    for (const Verb& verb : Verbs())
        if (QString::fromUtf8(verb.name).startsWith(word + u' '))
            group.push_back(&verb);
    return group;
}

}  // namespace

int RunVeskctl(const QStringList& arguments)
{
    Console console;
    Interrupt::Install();
    // Each line of the trace with the moment it was made.
    qSetMessagePattern(QStringLiteral("%{time yyyy-MM-dd HH:mm:ss.zzz} %{category}: %{message}"));

    QCommandLineParser global;
    global.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    AddOptions(global, GlobalOptions());
    global.addOption(QCommandLineOption(DumpMan));
    global.addOption(QCommandLineOption(DumpCompletion));
    if (!global.parse(arguments)) {
        console.Error(global.errorText());
        return ExitUsage;
    }
    if (global.isSet(DumpMan))
        return console.Out(ManPageSections()) ? ExitDone : ExitFile;
    if (global.isSet(DumpCompletion))
        return console.Out(BashCompletion()) ? ExitDone : ExitFile;
    if (global.isSet(QStringLiteral("version")))
        return console.OutLine(QStringLiteral("veskctl ") + QStringLiteral(VESK_VERSION)) ? ExitDone : ExitFile;

    const QStringList positional = global.positionalArguments();
    const bool help = global.isSet(QString::fromLatin1(HelpOption().name));
    if (positional.isEmpty()) {
        if (help)
            return console.Out(GeneralHelp().toUtf8()) ? ExitDone : ExitFile;
        console.Error(Text::NoVerb());
        return ExitUsage;
    }
    const Found found = FindVerb(positional);
    if (!found.verb) {
        const std::vector<const Verb*> group = Group(positional.front());
        const bool asksHelp = help || positional.contains(QStringLiteral("--help")) ||
                              positional.contains(QStringLiteral("-h"));
        if (!group.empty() && asksHelp)
            return console.Out(VerbHelp(group).toUtf8()) ? ExitDone : ExitFile;
        console.Error(Text::UnknownVerb(positional.mid(0, group.empty() ? 1 : 2).join(u' ')));
        return ExitUsage;
    }
    const Verb& verb = *found.verb;

    QCommandLineParser local;
    AddOptions(local, OptionsOf(verb));
    AddOptions(local, {HelpOption()});
    if (!local.parse(QStringList{arguments.value(0)} + positional.mid(found.words))) {
        console.Error(local.errorText() + u'\n' + Text::WrongArguments(verb.Usage()));
        return ExitUsage;
    }
    if (help || local.isSet(QString::fromLatin1(HelpOption().name)))
        return console.Out(VerbHelp({&verb}).toUtf8()) ? ExitDone : ExitFile;
    const qsizetype count = local.positionalArguments().size();
    if (count < verb.minArguments || count > verb.maxArguments) {
        console.Error(Text::WrongArguments(verb.Usage()));
        return ExitUsage;
    }

    console.quiet = global.isSet(QStringLiteral("quiet"));
    console.json = local.optionNames().contains(QStringLiteral("json"));
    if (global.isSet(QStringLiteral("trace"))) {
        console.tracing = true;
        QLoggingCategory::setFilterRules(QStringLiteral("vesk.link.debug=true"));
    }
    TerminalDialogs dialogs(console);
    Invocation invocation(verb, local, console, dialogs);
    invocation.portOption = global.value(QStringLiteral("port"));
    dialogs.yes = invocation.Yes();
    // Before the port opens, so that nothing at all reaches the Controller.
    if (verb.writes && !dialogs.yes && !console.Interactive()) {
        console.Error(Text::ConfirmationNeeded());
        return ExitUsage;
    }
    return verb.run(invocation);
}
