#include "shell/PortChoice.h"

#include <QFileInfo>
#include <pwd.h>
#include <unistd.h>

#include "shell/Texts.h"

std::vector<PortItem> PortItems(const std::vector<Serial::PortEntry>& present, const QString& keptDevice)
{
    std::vector<PortItem> items;
    for (int n = 1; n <= NamedPortCount; ++n)
        items.push_back({QStringLiteral("COM%1").arg(n), QStringLiteral("COM%1").arg(n)});
    bool keptFound = keptDevice.isEmpty();
    for (const Serial::PortEntry& entry : present) {
        const QString path = QString::fromStdString(entry.path);
        items.push_back({QString::fromStdString(entry.label), path});
        keptFound = keptFound || path == keptDevice;
    }
    if (!keptFound)
        items.push_back({QFileInfo(keptDevice).fileName(), keptDevice});
    return items;
}

int IndexOfPort(const std::vector<PortItem>& items, const QString& name)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (items[i].name == name)
            return int(i);
    return -1;
}

QString PortLabel(const QString& name)
{
    const std::vector<PortItem> items =
        PortItems(Serial::EnumeratePorts(), name.startsWith(u'/') ? name : QString());
    const int index = IndexOfPort(items, name);
    return index < 0 ? name : items[std::size_t(index)].label;
}

QString CurrentUserName()
{
    if (const passwd* user = ::getpwuid(::getuid()))
        return QString::fromLocal8Bit(user->pw_name);
    return QStringLiteral("$USER");
}

QString PortFailureReason(const Serial::OpenFailure& failure, const QString& userName)
{
    using Reason = Serial::OpenFailure::Reason;
    const QString path = QString::fromStdString(failure.path);
    switch (failure.reason) {
    case Reason::None:
    case Reason::NoSuchPort: return {};
    case Reason::Missing: return Text::PortMissing(path);
    case Reason::NotSerial: return Text::PortNotSerial(path);
    case Reason::AccessDenied:
        // A group is named only where joining it would help; never root's.
        return failure.group.empty()
                   ? Text::PortAccessByAdministrator(path)
                   : Text::PortAccessDenied(path, QString::fromStdString(failure.group), userName);
    case Reason::InUse:
        return failure.holderPid > 0
                   ? Text::PortInUseBy(path, QString::fromStdString(failure.holder), failure.holderPid)
                   : Text::PortInUse(path);
    case Reason::Other: return Text::PortOtherFailure(path, QString::fromStdString(failure.detail));
    }
    return {};
}
