#include "files/BackupFile.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <fcntl.h>
#include <map>
#include <set>

#include "files/AtomicFile.h"
#include "files/BoundedRead.h"
#include "files/KeyFile.h"

namespace {

using Kind = BackupRefusal::Kind;

constexpr QByteArrayView DigestKey = "SHA256=";
constexpr int PageDigits = 2 * Page::Size;

QString Section()
{
    return QString::fromLatin1(BackupSection);
}

QByteArray Header()
{
    return '[' + QByteArray(BackupSection) + ']';
}

QByteArray Digest(QByteArrayView bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex();
}

QString PageKey(int page)
{
    return QStringLiteral("Page%1").arg(page);
}

// A key file's value is one line.
QString OneLine(QString text)
{
    for (QChar& c : text)
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            c = u'?';
    return text;
}

QString LocalTimeText(const QDateTime& time)
{
    const QDateTime local = time.toLocalTime();
    // With its offset, so the file says which clock it was.
    return local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
}

BackupRead Refuse(Kind kind, QString detail = {}, int page = -1)
{
    return {std::nullopt, {kind, std::move(detail), page}};
}

// What a file that does not begin as a backup is.
BackupRead RefuseOther(QByteArrayView bytes)
{
    if (Header().startsWith(bytes))
        return Refuse(Kind::Truncated);
    if (bytes.size() == Page::Size)
        return Refuse(Kind::PageImage);
    const KeyFile file(Utf8KeyFormat(), bytes.toByteArray());
    for (const KeyEntry& entry : file.Entries())
        if (!entry.section.isEmpty())
            return Refuse(Kind::ParameterFile);
    return Refuse(Kind::NotABackup);
}

std::optional<int> PageNumber(const QString& text)
{
    bool ok = false;
    const int page = text.toInt(&ok, 10);
    if (!ok || page < 0 || page >= Page::Count || text != QString::number(page))
        return std::nullopt;
    return page;
}

std::optional<PageSet> ParsePageList(const QString& text)
{
    PageSet pages;
    for (const QString& item : text.split(u',')) {
        const auto page = PageNumber(item.trimmed());
        if (!page || pages.test(std::size_t(*page)))
            return std::nullopt;
        pages.set(std::size_t(*page));
    }
    return pages;
}

std::optional<PageBuffer> ParsePageBytes(const QString& digits)
{
    // A character beyond Latin-1 becomes "?", which is no digit either.
    const QByteArray latin = digits.toLatin1();
    if (latin.size() != PageDigits ||
        !std::all_of(latin.begin(), latin.end(), [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    const QByteArray raw = QByteArray::fromHex(latin);
    PageBuffer page;
    std::copy_n(reinterpret_cast<const std::uint8_t*>(raw.constData()), Page::Size, page.begin());
    return page;
}

// The entries of a file whose digest holds.
BackupRead ParseEntries(const std::vector<KeyEntry>& entries)
{
    std::map<QString, QString> header;  // lower-case key → value
    std::vector<std::pair<int, QString>> pageLines;
    std::set<QString> seen;
    for (const KeyEntry& entry : entries) {
        if (entry.section.compare(Section(), Qt::CaseInsensitive) != 0)
            continue;
        const QString key = entry.key.toLower();
        // "Page0" … "Page15"; any other key is the header's (or unknown).
        const int page = key.startsWith(u"page") ? PageNumber(key.mid(4)).value_or(-1) : -1;
        if (!seen.insert(key).second)
            return Refuse(Kind::Duplicate, entry.key, page);
        if (page >= 0)
            pageLines.emplace_back(page, entry.value);
        else
            header[key] = entry.value;
    }
    for (const char* key : {"Version", "TimeUtc", "TimeLocal", "Port", "Info", "Pages"})
        if (!header.count(QString::fromLatin1(key).toLower()))
            return Refuse(Kind::BadValue, QString::fromLatin1(key));
    if (header["version"] != QString::number(BackupVersion))
        return Refuse(Kind::OtherVersion, header["version"]);
    Backup backup;
    backup.time = QDateTime::fromString(header["timeutc"], Qt::ISODate);
    if (!backup.time.isValid())
        return Refuse(Kind::BadValue, QStringLiteral("TimeUtc"));
    backup.time = backup.time.toUTC();
    backup.localTime = header["timelocal"];
    backup.port = header["port"];
    backup.info = header["info"];
    const auto listed = ParsePageList(header["pages"]);
    if (!listed)
        return Refuse(Kind::BadValue, QStringLiteral("Pages"));
    for (const auto& [page, digits] : pageLines) {
        if (!listed->test(std::size_t(page)))
            return Refuse(Kind::UnlistedPage, {}, page);
        const auto bytes = ParsePageBytes(digits);
        if (!bytes)
            return Refuse(Kind::BadPageLine, {}, page);
        backup.pages.Put(page, *bytes);
    }
    if (const auto missing = PageList(*listed & ~backup.pages.present); !missing.empty())
        return Refuse(Kind::MissingPage, {}, missing.front());
    return {std::move(backup), {}};
}

}  // namespace

QByteArray BackupFileBytes(const Backup& backup)
{
    KeyFile file(Utf8KeyFormat());
    const auto set = [&](const QString& key, const QString& value) { file.Set({Section(), key, value}); };
    QStringList pages;
    for (int page : PageList(backup.pages.present))
        pages << QString::number(page);
    set(QStringLiteral("Version"), QString::number(BackupVersion));
    set(QStringLiteral("TimeUtc"), backup.time.toUTC().toString(Qt::ISODate));
    set(QStringLiteral("TimeLocal"), LocalTimeText(backup.time));
    set(QStringLiteral("Port"), OneLine(backup.port));
    set(QStringLiteral("Info"), OneLine(backup.info));
    set(QStringLiteral("Pages"), pages.join(u','));
    for (int page : PageList(backup.pages.present)) {
        const PageBuffer& bytes = backup.pages.pages[std::size_t(page)];
        set(PageKey(page),
            QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(bytes.data()), Page::Size).toHex().toUpper()));
    }
    QByteArray bytes = file.Bytes();
    bytes += DigestKey.toByteArray() + Digest(bytes) + '\n';
    return bytes;
}

BackupRead ParseBackup(QByteArrayView bytes)
{
    if (!bytes.startsWith(Header()))
        return RefuseOther(bytes);
    const KeyFile file(Utf8KeyFormat(), bytes.toByteArray());
    // Another version may be laid out otherwise: said before anything of
    // this one's layout is asked of it.  A file cut inside its version line
    // names no version.
    if (const auto version = file.Value(Section(), u"Version")) {
        bool number = false;
        if (version->toUInt(&number) != BackupVersion && number)
            return Refuse(Kind::OtherVersion, *version);
    }
    if (!bytes.endsWith('\n'))
        return Refuse(Kind::Truncated);
    const qsizetype digestLine = bytes.first(bytes.size() - 1).lastIndexOf('\n') + 1;
    const QByteArrayView last = bytes.sliced(digestLine, bytes.size() - 1 - digestLine);
    if (!last.startsWith(DigestKey))
        return Refuse(Kind::Truncated);
    const QByteArrayView covered = bytes.first(digestLine);
    if (last.sliced(DigestKey.size()) != Digest(covered))
        return Refuse(Kind::Damaged);
    return ParseEntries(KeyFile(Utf8KeyFormat(), covered.toByteArray()).Entries());
}

BackupRead ReadBackupFile(const QString& path, FileSystem& fs)
{
    const BoundedRead read = ReadBounded(path, BackupFileBound, BeyondBound::Refuse, fs);
    if (!read.Ok())
        return Refuse(Kind::Unreadable, read.reason);
    return ParseBackup(read.bytes);
}

std::optional<QString> SaveBackupFile(const QString& path, const Backup& backup, FileSystem& fs)
{
    return ReplaceFile(fs, path, BackupFileBytes(backup));
}

QString AutoBackupFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/VESK/backups");
}

QString AutoBackupFileName(const QString& info, const QDateTime& time)
{
    QString name;
    for (const QChar c : info) {
        const bool kept = c.isLetterOrNumber() || c == u'.' || c == u'-' || c == u'_';
        if (kept)
            name += c;
        else if (!name.endsWith(u'_'))
            name += u'_';
    }
    // No hidden file, no name of dots alone, no blank ends.
    while (name.startsWith(u'.') || name.startsWith(u'_'))
        name.remove(0, 1);
    while (name.endsWith(u'_'))
        name.chop(1);
    if (name.isEmpty())
        name = QStringLiteral("VESK");
    return name + u'_' + time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + u'.' +
           QLatin1StringView(BackupExtension);
}

AutoBackupSave SaveAutoBackup(const QString& folder, const Backup& backup, FileSystem& fs)
{
    AutoBackupSave save;
    if (!QDir().mkpath(folder)) {
        save.path = folder;
        save.error = QCoreApplication::translate("Files", "The folder cannot be created");
        return save;
    }
    const QString name = AutoBackupFileName(backup.info, backup.time);
    const QString stem = name.chopped(int(qstrlen(BackupExtension)) + 1);
    // The name is claimed by creating the file, so that no other backup of
    // the same second is ever replaced; the replace then fills it.
    for (int n = 1;; ++n) {
        save.path = folder + u'/' + (n == 1 ? name : QStringLiteral("%1-%2.%3").arg(stem).arg(n).arg(BackupExtension));
        const int fd = fs.Open(QFile::encodeName(save.path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            fs.Close(fd);
            break;
        }
        if (errno != EEXIST || n >= 1000) {
            save.error = SystemErrorText(errno);
            return save;
        }
    }
    save.error = SaveBackupFile(save.path, backup, fs);
    if (save.error)
        fs.Unlink(QFile::encodeName(save.path).constData());
    return save;
}
