#include "shell/BackupTexts.h"

#include <QFileInfo>

#include "shell/Texts.h"

namespace Text {
namespace {

// One page caption a line, indented; "žádné" for none.
QString PageLines(const PageSet& pages)
{
    QStringList lines;
    for (int page : PageList(pages))
        lines << QStringLiteral("  ") + PageCaption(page);
    return lines.isEmpty() ? QStringLiteral("  ") + Tr::tr("žádné") : lines.join(u'\n');
}

QString PageNumbers(const PageSet& pages)
{
    QStringList numbers;
    for (int page : PageList(pages))
        numbers << QString::number(page);
    return numbers.join(QStringLiteral(", "));
}

// "1 bajt", "3 bajty", "12 bajtů": the Czech forms of a count, each an entry
// of its own, which English gives as "byte" and "bytes".
QString Bytes(int count)
{
    const QString word = count == 1 ? Tr::tr("bajt") : count >= 2 && count <= 4 ? Tr::tr("bajty") : Tr::tr("bajtů");
    return QStringLiteral("%1 %2").arg(count).arg(word);
}

QString Hex(int value)
{
    return QStringLiteral("%1").arg(value, 2, 16, QLatin1Char('0')).toUpper();
}

}  // namespace

QString TransferProgress(int done, int total, std::optional<int> secondsLeft)
{
    QString text = Tr::tr("Stránka %1 z %2").arg(done).arg(total);
    if (secondsLeft)
        text += Tr::tr(", zbývá asi %1 s").arg(*secondsLeft);
    return text;
}

QString ConfirmRestore(const PageSet& changing)
{
    return Tr::tr("Opravdu obnovit?\n\nZmění se tyto stránky:") + u'\n' + PageLines(changing);
}

QString AutoBackupFailed(const QString& path, const QString& reason)
{
    return Tr::tr("Automatickou zálohu nelze uložit, obnova se neprovede.") + u'\n' + CannotCreateFile(path, reason);
}

QString RestoreResult(const PageSet& changing, const ::RestoreReport& report, const QString& autoBackup)
{
    QString text;
    switch (report.end.kind) {
    case TransferEnd::Kind::Done:
        text = report.stillDiffering.none()
                   ? Tr::tr("Obnova je hotová.")
                   : Tr::tr("Obnova je hotová, ale tyto stránky se po zápisu liší od zálohy:") + u'\n' +
                         PageLines(report.stillDiffering);
        break;
    case TransferEnd::Kind::Failed: text = Tr::tr("Obnova se nedokončila, komunikace selhala."); break;
    case TransferEnd::Kind::Cancelled: text = Tr::tr("Obnova byla zrušena."); break;
    }
    text += QStringLiteral("\n\n") + Tr::tr("Zapsané stránky:") + u'\n' + PageLines(report.written);
    if (const PageSet left = changing & ~report.written; left.any())
        text += QStringLiteral("\n\n") + Tr::tr("Nezapsané nebo nedokončené stránky:") + u'\n' + PageLines(left);
    return text + QStringLiteral("\n\n") + Tr::tr("Předchozí stav je v automatické záloze:") + u'\n' + autoBackup;
}

QString BackupRefused(const QString& path, const BackupRefusal& refusal)
{
    using Kind = BackupRefusal::Kind;
    const QString damaged = Tr::tr("Záloha „%1“ je poškozená: ").arg(path);
    switch (refusal.kind) {
    case Kind::Unreadable: return CannotOpenFile(path, refusal.detail);
    case Kind::NotABackup: return Tr::tr("Soubor „%1“ není záloha řídicí jednotky (*.vskb).").arg(path);
    case Kind::ParameterFile:
        return Tr::tr("Soubor „%1“ je soubor parametrů nebo nastavení, ne záloha řídicí jednotky (*.vskb).")
            .arg(path);
    case Kind::PageImage:
        return Tr::tr("Soubor „%1“ je obraz jedné stránky EEPROM (*.bin), ne záloha řídicí jednotky (*.vskb).")
            .arg(path);
    case Kind::Truncated: return Tr::tr("Záloha „%1“ je neúplná: soubor končí předčasně.").arg(path);
    case Kind::OtherVersion:
        return Tr::tr("Záloha „%1“ má verzi %2, tento program čte jen verzi %3.")
            .arg(path, refusal.detail)
            .arg(BackupVersion);
    case Kind::Damaged: return damaged + Tr::tr("kontrolní součet nesouhlasí, některý bajt se změnil.");
    case Kind::BadValue: return damaged + Tr::tr("chybí nebo je neplatná hodnota %1.").arg(refusal.detail);
    case Kind::BadPageLine:
        return damaged + Tr::tr("řádek stránky %1 nemá 512 šestnáctkových číslic.").arg(refusal.page);
    case Kind::MissingPage: return damaged + Tr::tr("chybí stránka %1.").arg(refusal.page);
    case Kind::UnlistedPage: return damaged + Tr::tr("stránka %1 není v seznamu stránek.").arg(refusal.page);
    case Kind::Duplicate:
        return damaged + (refusal.page >= 0 ? Tr::tr("stránka %1 je v ní dvakrát.").arg(refusal.page)
                                            : Tr::tr("hodnota %1 je v ní dvakrát.").arg(refusal.detail));
    }
    return {};
}

QString BackupSide(const QString& path, const Backup& backup)
{
    return Tr::tr("záloha %1 (%2, %3)").arg(QFileInfo(path).fileName(), backup.localTime, backup.info);
}

QString ControllerSide(const QString& port)
{
    return Tr::tr("řídicí jednotka na %1").arg(port);
}

QString ComparisonReport(const QString& before, const QString& after, const Comparison& comparison)
{
    QStringList lines{Tr::tr("Porovnání: %1 → %2").arg(before, after)};
    if (comparison.Equal()) {
        lines << QString() << Tr::tr("Žádné rozdíly: všechny stránky jsou stejné.");
        return lines.join(u'\n');
    }
    for (const PageDifference& page : comparison.differing) {
        lines << QString()
              << Tr::tr("%1: liší se %2").arg(PageCaption(page.page), Bytes(int(page.bytes.size())));
        for (const QString& field : page.fields)
            lines << QStringLiteral("  ") + field;
        for (const ByteChange& change : page.bytes)
            lines << QStringLiteral("  $%1: %2 → %3").arg(Hex(change.offset), Hex(change.before), Hex(change.after));
    }
    lines << QString();
    if (comparison.same.any())
        lines << Tr::tr("Stejné stránky: %1").arg(PageNumbers(comparison.same));
    if (comparison.onlyBefore.any())
        lines << Tr::tr("Jen v první záloze: %1").arg(PageNumbers(comparison.onlyBefore));
    if (comparison.onlyAfter.any())
        lines << Tr::tr("Jen ve druhé záloze: %1").arg(PageNumbers(comparison.onlyAfter));
    return lines.join(u'\n');
}

}  // namespace Text
