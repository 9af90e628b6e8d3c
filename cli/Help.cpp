#include "cli/Help.h"

#include <QCoreApplication>
#include <QStringList>
#include <map>

namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(veskctl)
};

constexpr int Width = 79;
constexpr int TextIndent = 6;

// The text in lines of at most Width columns, each indented.
QString Wrapped(const QString& text, int indent)
{
    const QString margin(indent, u' ');
    QStringList lines;
    QString line;
    for (const QString& word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && margin.size() + line.size() + 1 + word.size() > Width) {
            lines << margin + line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty())
        lines << margin + line;
    return lines.join(u'\n') + u'\n';
}

QString OptionTag(const OptionSpec& option)
{
    QString tag = QStringLiteral("--") + QString::fromLatin1(option.name);
    if (option.shortName)
        tag = QStringLiteral("-%1, ").arg(QString::fromLatin1(option.shortName)) + tag;
    if (option.valueName)
        tag += u' ' + HelpText(option.valueName);
    return tag;
}

QString OptionList(const std::vector<OptionSpec>& options)
{
    QString text;
    for (const OptionSpec& option : options)
        text += QStringLiteral("  ") + OptionTag(option) + u'\n' + Wrapped(HelpText(option.help), TextIndent);
    return text;
}

QString Synopsis(const Verb& verb)
{
    return *verb.synopsis ? QString::fromUtf8(verb.name) + u' ' + HelpText(verb.synopsis)
                          : QString::fromUtf8(verb.name);
}

// ---- roff ----------------------------------------------------------------

// Text as roff shows it: backslashes and hyphens escaped, no line taken for
// a request.
QString Roff(const QString& text)
{
    QString escaped = text;
    escaped.replace(u'\\', QStringLiteral("\\e"));
    escaped.replace(u'-', QStringLiteral("\\-"));
    if (escaped.startsWith(u'.') || escaped.startsWith(u'\''))
        escaped.prepend(QStringLiteral("\\&"));
    return escaped;
}

QString RoffOption(const OptionSpec& option)
{
    QString tag = QStringLiteral("\\fB") + Roff(QStringLiteral("--") + QString::fromLatin1(option.name)) + "\\fR";
    if (option.shortName)
        tag = QStringLiteral("\\fB\\-%1\\fR, ").arg(QString::fromLatin1(option.shortName)) + tag;
    if (option.valueName)
        tag += QStringLiteral(" \\fI") + Roff(HelpText(option.valueName)) + "\\fR";
    return QStringLiteral(".TP\n") + tag + u'\n' + Roff(HelpText(option.help)) + u'\n';
}

// ---- bash ----------------------------------------------------------------

QString Words(const QStringList& words)
{
    return u'"' + words.join(u' ') + u'"';
}

QStringList OptionWords(const std::vector<OptionSpec>& options)
{
    QStringList words;
    for (const OptionSpec& option : options) {
        words << QStringLiteral("--") + QString::fromLatin1(option.name);
        if (option.shortName)
            words << QStringLiteral("-") + QString::fromLatin1(option.shortName);
    }
    return words;
}

// The verbs by their first word: one verb, or a group ("params": save, load).
std::map<QString, QStringList> VerbWords()
{
    std::map<QString, QStringList> words;
    for (const Verb& verb : Verbs()) {
        const QStringList parts = QString::fromUtf8(verb.name).split(u' ');
        QStringList& second = words[parts.front()];
        if (parts.size() > 1)
            second << parts[1];
    }
    return words;
}

}  // namespace

QString ExitCodeText(int code)
{
    return code == ExitSignal ? QStringLiteral("%1+N").arg(code) : QString::number(code);
}

QString GeneralHelp()
{
    QString text = Tr::tr("Použití: veskctl [společné volby] PŘÍKAZ [volby a argumenty]") + u'\n' +
                   Wrapped(Tr::tr("Řídicí jednotka VESK z příkazové řádky: záloha a obnova, stav, hodiny, záznamy, "
                                  "soubory parametrů a stránky EEPROM."),
                           0) +
                   u'\n' + Tr::tr("Příkazy:") + u'\n';
    for (const Verb& verb : Verbs())
        text += QStringLiteral("  ") + Synopsis(verb) + u'\n' + Wrapped(HelpText(verb.help), TextIndent);
    text += u'\n' + Tr::tr("Společné volby (před příkazem):") + u'\n' + OptionList(GlobalOptions());
    text += u'\n' + Tr::tr("Návratové kódy:") + u'\n';
    for (const ExitCode& exit : ExitCodes()) {
        // The code in the margin of its wrapped meaning.
        const QString code = QStringLiteral("  %1").arg(ExitCodeText(exit.code), -7);
        text += code + Wrapped(HelpText(exit.meaning), int(code.size())).mid(code.size());
    }
    return text + u'\n' + Tr::tr("Nápověda k příkazu: veskctl PŘÍKAZ --help") + u'\n';
}

QString VerbHelp(const std::vector<const Verb*>& verbs)
{
    QStringList parts;
    for (const Verb* verb : verbs) {
        std::vector<OptionSpec> options = OptionsOf(*verb);
        options.push_back(HelpOption());
        parts << Tr::tr("Použití: %1").arg(verb->Usage()) + QStringLiteral("\n\n") + Wrapped(HelpText(verb->help), 0) +
                     u'\n' + Tr::tr("Volby:") + u'\n' + OptionList(options);
    }
    return parts.join(u'\n');
}

QByteArray ManPageSections()
{
    QString roff = QStringLiteral(".SH COMMANDS\n");
    for (const Verb& verb : Verbs()) {
        roff += QStringLiteral(".TP\n\\fB") + Roff(QString::fromUtf8(verb.name)) + QStringLiteral("\\fR");
        if (*verb.synopsis)
            roff += u' ' + Roff(HelpText(verb.synopsis));
        roff += u'\n' + Roff(HelpText(verb.help)) + u'\n';
        const std::vector<OptionSpec> options = OptionsOf(verb);
        if (options.empty())
            continue;
        roff += QStringLiteral(".RS\n");
        for (const OptionSpec& option : options)
            roff += RoffOption(option);
        roff += QStringLiteral(".RE\n");
    }
    roff += QStringLiteral(".SH GLOBAL OPTIONS\nThese come before the command.\n");
    for (const OptionSpec& option : GlobalOptions())
        roff += RoffOption(option);
    roff += QStringLiteral(".SH EXIT STATUS\n");
    for (const ExitCode& exit : ExitCodes())
        roff += QStringLiteral(".TP\n.B ") + ExitCodeText(exit.code) + u'\n' + Roff(HelpText(exit.meaning)) + u'\n';
    return roff.toUtf8();
}

QByteArray BashCompletion()
{
    // Options that take a value: the fixed values, files, or both.
    QString values;
    std::vector<OptionSpec> all = GlobalOptions();
    for (const Verb& verb : Verbs())
        for (const OptionSpec& option : OptionsOf(verb))
            all.push_back(option);
    QStringList seen;
    for (const OptionSpec& option : all) {
        const QString name = QString::fromLatin1(option.name);
        if (!option.valueName || seen.contains(name))
            continue;
        seen << name;
        QString patterns = QStringLiteral("--") + name;
        if (option.shortName)
            patterns += QStringLiteral("|-") + QString::fromLatin1(option.shortName);
        values += QStringLiteral("    %1)\n").arg(patterns);
        if (option.values)
            values += QStringLiteral("        COMPREPLY+=($(compgen -W %1 -- \"$cur\"))\n").arg(Words(option.values()));
        if (option.path)
            values += QStringLiteral("        compopt -o filenames 2>/dev/null\n"
                                     "        COMPREPLY+=($(compgen -f -- \"$cur\"))\n");
        values += QStringLiteral("        return ;;\n");
    }

    QString groups, verbs;
    QStringList firstWords;
    for (const auto& [first, second] : VerbWords()) {
        firstWords << first;
        if (!second.isEmpty())
            groups += QStringLiteral("    %1) subverbs=%2 ;;\n").arg(first, Words(second));
    }
    for (const Verb& verb : Verbs()) {
        QStringList words = OptionWords(OptionsOf(verb));
        words << QStringLiteral("--help");
        verbs += QStringLiteral("    \"%1\") options=%2 ;;\n").arg(QString::fromUtf8(verb.name), Words(words));
    }

    const QString script = QStringLiteral(
        "# bash completion for veskctl, made from its table of verbs when it was built.\n"
        "_veskctl()\n"
        "{\n"
        "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}\n"
        "    COMPREPLY=()\n"
        "    case $prev in\n"
        "%1"
        "    esac\n"
        "    # The global options before the verb; --port takes a value.\n"
        "    local i=1\n"
        "    while [ \"$i\" -lt \"$COMP_CWORD\" ]; do\n"
        "        case ${COMP_WORDS[i]} in\n"
        "        --port) i=$((i + 2)) ;;\n"
        "        -*) i=$((i + 1)) ;;\n"
        "        *) break ;;\n"
        "        esac\n"
        "    done\n"
        "    if [ \"$i\" -ge \"$COMP_CWORD\" ]; then\n"
        "        if [[ $cur == -* ]]; then\n"
        "            COMPREPLY=($(compgen -W %2 -- \"$cur\"))\n"
        "        else\n"
        "            COMPREPLY=($(compgen -W %3 -- \"$cur\"))\n"
        "        fi\n"
        "        return\n"
        "    fi\n"
        "    local verb=${COMP_WORDS[i]} subverbs=\"\"\n"
        "    case $verb in\n"
        "%4"
        "    esac\n"
        "    if [ -n \"$subverbs\" ]; then\n"
        "        if [ \"$COMP_CWORD\" -eq $((i + 1)) ]; then\n"
        "            COMPREPLY=($(compgen -W \"$subverbs\" -- \"$cur\"))\n"
        "            return\n"
        "        fi\n"
        "        verb=\"$verb ${COMP_WORDS[i+1]}\"\n"
        "    fi\n"
        "    local options=\"\"\n"
        "    case $verb in\n"
        "%5"
        "    esac\n"
        "    if [[ $cur == -* ]]; then\n"
        "        COMPREPLY=($(compgen -W \"$options\" -- \"$cur\"))\n"
        "    else\n"
        "        compopt -o filenames 2>/dev/null\n"
        "        COMPREPLY=($(compgen -f -- \"$cur\"))\n"
        "    fi\n"
        "}\n"
        "complete -F _veskctl veskctl\n");
    return script.arg(values, Words(OptionWords(GlobalOptions())), Words(firstWords), groups, verbs).toUtf8();
}
