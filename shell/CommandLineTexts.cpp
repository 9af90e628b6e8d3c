#include "shell/CommandLineTexts.h"

#include "shell/Texts.h"

namespace Text {
namespace {

QString Where(const LinkFailure& f)
{
    switch (f.step) {
    case LinkFailure::Step::Exchange: return {};
    case LinkFailure::Step::PageRead: return QStringLiteral("stránka %1, čtení, ").arg(f.page);
    case LinkFailure::Step::PageCommand: return QStringLiteral("stránka %1, příkaz zápisu, ").arg(f.page);
    case LinkFailure::Step::PageData: return QStringLiteral("stránka %1, bajt dat %2, ").arg(f.page).arg(f.index);
    case LinkFailure::Step::Sequence: return QStringLiteral("bajt %1 posloupnosti, ").arg(f.index);
    }
    return {};
}

QString What(const LinkFailure& f)
{
    const QString arrived = QStringLiteral(", přišlo %1 z %2 bajtů odpovědi").arg(f.arrived).arg(f.expected);
    switch (f.reason) {
    case LinkFailure::Reason::NoPort: return QStringLiteral("port není otevřen");
    case LinkFailure::Reason::WriteError: return QStringLiteral("chyba zápisu do portu");
    case LinkFailure::Reason::HungUp: return QStringLiteral("zařízení se odpojilo") + arrived;
    case LinkFailure::Reason::TimeOut: return QStringLiteral("vypršel čas") + arrived;
    }
    return {};
}

QString PortState(const Serial::OpenFailure& state)
{
    using Reason = Serial::OpenFailure::Reason;
    switch (state.reason) {
    case Reason::None: return QStringLiteral("připraven");
    case Reason::NoSuchPort: return QStringLiteral("nepřiřazen");
    case Reason::Missing: return QStringLiteral("chybí");
    case Reason::NotSerial: return QStringLiteral("není sériový port");
    case Reason::AccessDenied:
        return state.group.empty() ? QStringLiteral("přístup odepřen")
                                   : QStringLiteral("přístup odepřen (skupina %1)")
                                         .arg(QString::fromStdString(state.group));
    case Reason::InUse:
        return state.holderPid > 0 ? QStringLiteral("používá %1 (PID %2)")
                                         .arg(QString::fromStdString(state.holder))
                                         .arg(state.holderPid)
                                   : QStringLiteral("používá jiný program");
    case Reason::Other: return QStringLiteral("nelze otevřít: %1").arg(QString::fromStdString(state.detail));
    }
    return {};
}

}  // namespace

QString UnknownVerb(const QString& verb)
{
    return QStringLiteral("Neznámý příkaz „%1“. Seznam příkazů vypíše „veskctl --help“.").arg(verb);
}

QString WrongArguments(const QString& usage)
{
    return QStringLiteral("Chybné argumenty. Použití: %1").arg(usage);
}

QString BadPageNumber(const QString& text)
{
    return QStringLiteral("Stránka musí být číslo 0 až 15, ne „%1“.").arg(text);
}

QString UnknownSection(const QString& text, const QStringList& sections)
{
    return QStringLiteral("Neznámá sekce „%1“. Sekce jsou: %2.").arg(text, sections.join(QStringLiteral(", ")));
}

QString BadClockTime(const QString& text)
{
    return QStringLiteral("Čas musí mít tvar HH:MM:SS, ne „%1“.").arg(text);
}

QString BadWeekday(const QString& text)
{
    return QStringLiteral("Neznámý den „%1“. Zadejte název dne (pondělí … neděle) nebo jeho číslo 0 až 6.")
        .arg(text);
}

QStringList YesAnswers()
{
    return {QStringLiteral("a"), QStringLiteral("ano")};
}

QString LinkFailed(const LinkFailure& failure)
{
    return QStringLiteral("%1: %2požadavek 0x%3: %4")
        .arg(QString::fromUtf8(CommunicationError), Where(failure))
        .arg(int(failure.request), 2, 16, QLatin1Char('0'))
        .arg(What(failure));
}

QString NoSectionInFile(const QString& path, const QString& section)
{
    return QStringLiteral("Soubor „%1“ neobsahuje sekci [%2]. Nic nebylo zapsáno.").arg(path, section);
}

QString BadModeData(const QString& path, const QString& section)
{
    return QStringLiteral("Hodnota Data v sekci [%2] souboru „%1“ nemá 1344 šestnáctkových číslic. "
                          "Nic nebylo zapsáno.")
        .arg(path, section);
}

QString ValueOutOfRange(const QString& path, const QString& section)
{
    return QString::fromUtf8(RangeCheckError) +
           QStringLiteral("\nV sekci [%2] souboru „%1“ je hodnota mimo rozsah nebo položka mimo seznam. "
                          "Nic nebylo zapsáno.")
               .arg(path, section);
}

QString ImageNotOnePage(const QString& path, bool tooShort)
{
    return QString::fromUtf8(tooShort ? ImageTooShort : ImageTooLong) +
           QStringLiteral("\nSoubor „%1“ nemá přesně 256 bajtů. Nic nebylo zapsáno.").arg(path);
}

QString CannotWriteOutput(const QString& reason)
{
    return QStringLiteral("Nelze zapsat na standardní výstup: %1").arg(reason);
}

QString PortLine(const QString& label, const QString& path, const Serial::OpenFailure& state)
{
    return QStringLiteral("%1 (%2): %3").arg(label, path.isEmpty() ? QString::fromUtf8(PortNotMapped) : path,
                                             PortState(state));
}

QString OutputLine(const QString& key, bool on)
{
    QString output = key;
    if (key == u"Blr")
        output = QStringLiteral("Kotel");
    else if (key == u"Pump")
        output = QStringLiteral("Čerpadlo");
    else if (key == u"BlrPw")
        output = QStringLiteral("Modulátor (vyšší výkon)");
    return output + (on ? QStringLiteral(": zapnuto") : QStringLiteral(": vypnuto"));
}

QString RegulatorCaption(const QString& key)
{
    static const std::pair<const char16_t*, const char*> captions[] = {
        {u"Param", "Parametr:"},    {u"Dev", "Odchylka:"},  {u"Temp", "Temp:"},
        {u"Wall", "Korekce zdí:"},  {u"Ekv", "Ekv. teplota:"}, {u"Average", "Stř. tepl. minulá:"},
        {u"BlRate", "Běh kotle:"},
    };
    for (const auto& [name, caption] : captions)
        if (key == name)
            return QString::fromUtf8(caption);
    return key;
}

QString SensorLine(int sensor, const QString& name, const QString& value)
{
    return name.isEmpty() ? QStringLiteral("Čidlo %1: %2").arg(sensor).arg(value)
                          : QStringLiteral("Čidlo %1 (%2): %3").arg(sensor).arg(name, value);
}

}  // namespace Text
