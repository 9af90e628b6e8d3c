#include "shell/StoredSettings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>
#include <vector>

#include "controller/DecimalText.h"
#include "controller/FillInputs.h"
#include "controller/IntegerText.h"
#include "files/AtomicFile.h"
#include "files/FolderLock.h"
#include "files/KeyFile.h"
#include "shell/PortChoice.h"

namespace {

const QString Section = QStringLiteral("VESK");
// Another window's close holds the lock for a read and a replace: far less
// than this, unless it hangs.
constexpr std::chrono::milliseconds LockWait(2000);
const QString PortsSection = QStringLiteral("Ports");

enum class Rule { Decimal, Integer, Text };

// Where a value lives in StoredSettings.
enum class Place { Input, Port, Device };

struct StoredValue {
    QString name;
    Rule rule;
    double fallback;
    Place place;
};

// In the order of writing; the first that fails is the one reported: the
// fill inputs the file keeps, then the port.
const std::vector<StoredValue>& Values()
{
    static const std::vector<StoredValue> values = [] {
        std::vector<StoredValue> list;
        for (const FillInput& input : FillInputs)
            if (input.stored != StoredAs::None)
                list.push_back({input.Key(), input.stored == StoredAs::Decimal ? Rule::Decimal : Rule::Integer,
                                input.storedDefault, Place::Input});
        list.push_back({QStringLiteral("ComPort"), Rule::Integer, 0, Place::Port});
        list.push_back({QStringLiteral("ComDevice"), Rule::Text, 0, Place::Device});
        return list;
    }();
    return values;
}

QString TextOf(const StoredSettings& settings, const StoredValue& value)
{
    switch (value.place) {
    case Place::Input: return settings.Input(value.name);
    case Place::Port: return QString::number(settings.ComPort);
    case Place::Device: return settings.ComDevice;
    }
    return {};
}

QStringView Unquoted(QStringView text)
{
    if (text.size() >= 2 && text.front() == u'"' && text.back() == u'"')
        return text.sliced(1, text.size() - 2);
    return text;
}

std::optional<long double> NumberOf(Rule rule, QStringView text)
{
    text = Unquoted(text);
    if (rule == Rule::Decimal)
        return ParseDecimalText(text);
    if (const auto integer = ParseIntegerText(text.toString()))
        return *integer;
    return std::nullopt;
}

// The same text, or a text that reads as the same number.
bool Holds(Rule rule, const QString& stored, const QString& text)
{
    if (stored == text)
        return true;
    if (rule == Rule::Text)
        return Unquoted(stored).trimmed() == text;
    const auto a = NumberOf(rule, stored), b = NumberOf(rule, text);
    return a && b && *a == *b;
}

// The file is shared by whoever may write its folder: made by the first
// close, it must stay writable for the others (a replace needs the file
// writable as well as the folder), whatever the umask of the first one.
mode_t NewFileMode(const QString& folder)
{
    struct stat st {};
    if (::stat(QFile::encodeName(folder).constData(), &st) != 0)
        return 0644;
    return 0444 | (st.st_mode & 0222);
}

// The values the file does not hold yet, in the order of writing.
std::vector<KeyEntry> Changes(const KeyFile& file, const StoredSettings& settings,
                              const std::optional<StoredSettings>& shownAtStart)
{
    std::vector<KeyEntry> batch;
    for (const StoredValue& value : Values()) {
        const QString& name = value.name;
        const QString text = TextOf(settings, value);
        const auto stored = file.Value(Section, name);
        if (stored && Holds(value.rule, *stored, text))
            continue;
        // A text a file never held is empty: nothing to write for it.
        if (!stored && value.rule == Rule::Text && text.isEmpty())
            continue;
        const bool leftAsShown = shownAtStart && TextOf(*shownAtStart, value) == text;
        if (leftAsShown && stored && (value.rule == Rule::Text || NumberOf(value.rule, *stored)))
            continue;
        batch.push_back({Section, name, text});
    }
    return batch;
}

KeyFile ReadFile()
{
    KeyFile file(Utf8KeyFormat());
    file.Load(StoredSettingsPath());
    return file;
}

}  // namespace

QString StoredSettings::Input(const QString& key) const
{
    const auto it = inputs.find(key);
    return it == inputs.end() ? QString() : it->second;
}

QString StoredSettingsPath()
{
    // The folder QSettings' system scope uses, except that an empty or
    // relative entry is passed over (the base directory rules ignore them)
    // rather than putting the file in "/" or the working directory.
    QString folder = QStringLiteral("/etc/xdg");
    for (const QString& dir : QFile::decodeName(qgetenv("XDG_CONFIG_DIRS")).split(u':', Qt::SkipEmptyParts)) {
        if (QDir::isAbsolutePath(dir)) {
            folder = dir;
            break;
        }
    }
    return QDir::cleanPath(folder + QStringLiteral("/VESK/VESK.ini"));
}

StoredSettings ReadStoredSettings(const QLocale& locale)
{
    const KeyFile file = ReadFile();
    StoredSettings s;
    for (const StoredValue& value : Values()) {
        const auto stored = file.Value(Section, value.name);
        if (value.rule == Rule::Text) {
            s.ComDevice = stored ? Unquoted(*stored).trimmed().toString() : QString();
            continue;
        }
        const long double number = (stored ? NumberOf(value.rule, *stored) : std::nullopt).value_or(value.fallback);
        if (value.place == Place::Port) {
            // An index outside the list chooses no port at all.
            s.ComPort = number >= 0 && number < NamedPortCount ? int(number) : -1;
        } else if (value.rule == Rule::Decimal) {
            s.inputs[value.name] = FormatDecimal(double(number), locale);
        } else {
            s.inputs[value.name] = QString::number(int(number));
        }
    }
    return s;
}

Serial::PortMap ReadPortMap()
{
    const KeyFile file = ReadFile();
    Serial::PortMap map;
    for (int n = 1; n <= NamedPortCount; ++n) {
        const QString name = QStringLiteral("COM%1").arg(n);
        if (const auto path = file.Value(PortsSection, name); path && !Unquoted(*path).isEmpty())
            map[name.toStdString()] = QFile::encodeName(Unquoted(*path).toString()).toStdString();
    }
    return map;
}

std::optional<QString> WriteStoredSettings(const StoredSettings& settings,
                                           const std::optional<StoredSettings>& shownAtStart, FileSystem& fs)
{
    const QString path = StoredSettingsPath();
    KeyFile file(Utf8KeyFormat());
    // A first look, unlocked: a close that has nothing to store touches
    // nothing, not even the folder.
    file.Load(path, fs);
    if (Changes(file, settings, shownAtStart).empty())
        return std::nullopt;

    const QString folder = QFileInfo(path).absolutePath();
    QDir().mkpath(folder);
    const mode_t mode = NewFileMode(folder);
    // Read back and replaced under the lock, so that what another window
    // stored a moment ago is in the file this one writes.
    const FolderLock lock(folder, LockWait, fs);
    // Unreadable, every value counts as missing, and the write must fail.
    const bool readable = !file.Load(path, fs).has_value();
    const std::vector<KeyEntry> batch = Changes(file, settings, shownAtStart);
    if (batch.empty())
        return std::nullopt;
    const QString first = batch.front().key;
    if (!readable || lock.Failure())
        return first;

    // A text the file cannot hold (a line break) is not stored; the others
    // still are.
    std::optional<QString> refused;
    for (const KeyEntry& entry : batch) {
        if (file.Set(entry) && !refused)
            refused = entry.key;
    }
    if (!file.Changed())
        return refused;
    if (ReplaceFile(fs, path, file.Bytes(), mode))
        return first;
    return refused;
}
