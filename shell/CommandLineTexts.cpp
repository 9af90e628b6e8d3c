#include "shell/CommandLineTexts.h"

#include "controller/StatusBlocks.h"

namespace Text {
namespace {

QString Where(const LinkFailure& f)
{
    switch (f.step) {
    case LinkFailure::Step::Exchange: return {};
    case LinkFailure::Step::PageRead: return Tr::tr("stránka %1, čtení, ").arg(f.page);
    case LinkFailure::Step::PageCommand: return Tr::tr("stránka %1, příkaz zápisu, ").arg(f.page);
    case LinkFailure::Step::PageData: return Tr::tr("stránka %1, bajt dat %2, ").arg(f.page).arg(f.index);
    case LinkFailure::Step::Sequence: return Tr::tr("bajt %1 posloupnosti, ").arg(f.index);
    }
    return {};
}

QString What(const LinkFailure& f)
{
    const QString arrived = Tr::tr(", přišlo %1 z %2 bajtů odpovědi").arg(f.arrived).arg(f.expected);
    switch (f.reason) {
    case LinkFailure::Reason::NoPort: return Tr::tr("port není otevřen");
    case LinkFailure::Reason::WriteError: return Tr::tr("chyba zápisu do portu");
    case LinkFailure::Reason::HungUp: return Tr::tr("zařízení se odpojilo") + arrived;
    case LinkFailure::Reason::TimeOut: return Tr::tr("vypršel čas") + arrived;
    }
    return {};
}

QString PortState(const Serial::OpenFailure& state)
{
    using Reason = Serial::OpenFailure::Reason;
    switch (state.reason) {
    case Reason::None: return Tr::tr("připraven");
    case Reason::NoSuchPort: return Tr::tr("nepřiřazen");
    case Reason::Missing: return Tr::tr("chybí");
    case Reason::NotSerial: return Tr::tr("není sériový port");
    case Reason::AccessDenied:
        return state.group.empty() ? Tr::tr("přístup odepřen")
                                   : Tr::tr("přístup odepřen (skupina %1)")
                                         .arg(QString::fromStdString(state.group));
    case Reason::InUse:
        return state.holderPid > 0 ? Tr::tr("používá %1 (PID %2)")
                                         .arg(QString::fromStdString(state.holder))
                                         .arg(state.holderPid)
                                   : Tr::tr("používá jiný program");
    case Reason::Other: return Tr::tr("nelze otevřít: %1").arg(QString::fromStdString(state.detail));
    }
    return {};
}

}  // namespace

QString UnknownVerb(const QString& verb)
{
    return Tr::tr("Neznámý příkaz „%1“. Seznam příkazů vypíše „veskctl --help“.").arg(verb);
}

QString WrongArguments(const QString& usage)
{
    return Tr::tr("Chybné argumenty. Použití: %1").arg(usage);
}

QString BadPageNumber(const QString& text)
{
    return Tr::tr("Stránka musí být číslo 0 až 15, ne „%1“.").arg(text);
}

QString UnknownSection(const QString& text, const QStringList& sections)
{
    return Tr::tr("Neznámá sekce „%1“. Sekce jsou: %2.").arg(text, sections.join(QStringLiteral(", ")));
}

QString BadClockTime(const QString& text)
{
    return Tr::tr("Čas musí mít tvar HH:MM:SS, ne „%1“.").arg(text);
}

QString BadWeekday(const QString& text)
{
    return Tr::tr("Neznámý den „%1“. Zadejte název dne (pondělí … neděle) nebo jeho číslo 0 až 6.")
        .arg(text);
}

QStringList YesAnswers()
{
    //: What counts as yes to a question ending in " [a/N] ": lower case,
    //: separated by spaces.
    const char* answers = QT_TRANSLATE_NOOP("Text", "a ano");
    return (QString::fromUtf8(answers) + u' ' + Tr::tr(answers)).split(u' ', Qt::SkipEmptyParts);
}

QString LinkFailed(const LinkFailure& failure)
{
    //: The communication error, where it happened ("stránka 5, čtení, "),
    //: the request and what went wrong.
    return Tr::tr("%1: %2požadavek 0x%3: %4")
        .arg(CommunicationError(), Where(failure))
        .arg(int(failure.request), 2, 16, QLatin1Char('0'))
        .arg(What(failure));
}

QString NoSectionInFile(const QString& path, const QString& section)
{
    return Tr::tr("Soubor „%1“ neobsahuje sekci [%2]. Nic nebylo zapsáno.").arg(path, section);
}

QString BadModeData(const QString& path, const QString& section)
{
    return Tr::tr("Hodnota Data v sekci [%2] souboru „%1“ nemá 1344 šestnáctkových číslic. "
                          "Nic nebylo zapsáno.")
        .arg(path, section);
}

QString ValueOutOfRange(const QString& path, const QString& section)
{
    return RangeCheckError() + u'\n' +
           Tr::tr("V sekci [%2] souboru „%1“ je hodnota mimo rozsah nebo položka mimo seznam. "
                          "Nic nebylo zapsáno.")
               .arg(path, section);
}

QString ImageNotOnePage(const QString& path, bool tooShort)
{
    return (tooShort ? ImageTooShort() : ImageTooLong()) + u'\n' +
           Tr::tr("Soubor „%1“ nemá přesně 256 bajtů. Nic nebylo zapsáno.").arg(path);
}

QString CannotWriteOutput(const QString& reason)
{
    return Tr::tr("Nelze zapsat na standardní výstup: %1").arg(reason);
}

QString PortLine(const QString& label, const QString& path, const Serial::OpenFailure& state)
{
    return QStringLiteral("%1 (%2): %3").arg(label, path.isEmpty() ? PortNotMapped() : path,
                                             PortState(state));
}

QString OutputLine(const QString& key, bool on)
{
    QString output = key;
    if (key == u"Blr")
        output = Tr::tr("Kotel");
    else if (key == u"Pump")
        output = Tr::tr("Čerpadlo");
    else if (key == u"BlrPw")
        output = Tr::tr("Modulátor (vyšší výkon)");
    return output + QStringLiteral(": ") + OutputStateText(on);
}

QString RegulatorCaption(const QString& key)
{
    static const std::pair<const char16_t*, const char*> captions[] = {
        {u"Param", QT_TRANSLATE_NOOP("Text", "Parametr:")},
        {u"Dev", QT_TRANSLATE_NOOP("Text", "Odchylka:")},
        {u"Temp", QT_TRANSLATE_NOOP("Text", "Temp:")},
        {u"Wall", QT_TRANSLATE_NOOP("Text", "Korekce zdí:")},
        {u"Ekv", QT_TRANSLATE_NOOP("Text", "Ekv. teplota:")},
        {u"Average", QT_TRANSLATE_NOOP("Text", "Stř. tepl. minulá:")},
        {u"BlRate", QT_TRANSLATE_NOOP("Text", "Běh kotle:")},
    };
    for (const auto& [name, caption] : captions)
        if (key == name)
            return Tr::tr(caption);
    return key;
}

QString SensorLine(int sensor, const QString& name, const QString& value)
{
    return name.isEmpty() ? Tr::tr("Čidlo %1: %2").arg(sensor).arg(value)
                          : Tr::tr("Čidlo %1 (%2): %3").arg(sensor).arg(name, value);
}

}  // namespace Text
