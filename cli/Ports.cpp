// ports: the port list as the window offers it, each port with its state,
// found without opening any.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "cli/Console.h"
#include "cli/Verbs.h"
#include "link/PortAccess.h"
#include "link/PortEnumeration.h"
#include "shell/CommandLineTexts.h"
#include "shell/PortChoice.h"
#include "shell/StoredSettings.h"

namespace {

// The state as a script reads it.
QString StateKey(Serial::OpenFailure::Reason reason)
{
    using Reason = Serial::OpenFailure::Reason;
    switch (reason) {
    case Reason::None: return QStringLiteral("present");
    case Reason::NoSuchPort: return QStringLiteral("unmapped");
    case Reason::Missing: return QStringLiteral("missing");
    case Reason::NotSerial: return QStringLiteral("not-serial");
    case Reason::AccessDenied: return QStringLiteral("access-denied");
    case Reason::InUse: return QStringLiteral("in-use");
    case Reason::Other: return QStringLiteral("error");
    }
    return {};
}

QJsonObject JsonPort(const PortItem& item, const QString& path, const Serial::OpenFailure& state, bool chosen)
{
    using Reason = Serial::OpenFailure::Reason;
    QJsonObject port{
        {QStringLiteral("name"), item.name},
        {QStringLiteral("label"), item.label},
        {QStringLiteral("path"), path.isEmpty() ? QJsonValue() : QJsonValue(path)},
        {QStringLiteral("state"), StateKey(state.reason)},
        {QStringLiteral("chosen"), chosen},
    };
    if (state.reason == Reason::InUse && state.holderPid > 0) {
        port.insert(QStringLiteral("pid"), qint64(state.holderPid));
        port.insert(QStringLiteral("program"), QString::fromStdString(state.holder));
    }
    if (state.reason == Reason::AccessDenied && !state.group.empty())
        port.insert(QStringLiteral("group"), QString::fromStdString(state.group));
    if (state.reason == Reason::Other)
        port.insert(QStringLiteral("detail"), QString::fromStdString(state.detail));
    return port;
}

}  // namespace

int RunPorts(Invocation& invocation)
{
    const QString chosen = invocation.PortName();
    const Serial::PortMap map = ReadPortMap();
    const QString kept = chosen.startsWith(u'/') ? chosen : ReadStoredSettings().ComDevice;
    QJsonArray json;
    QString text;
    for (const PortItem& item : PortItems(Serial::EnumeratePorts(), kept)) {
        const auto path = Serial::ResolvePortName(item.name.toStdString(), map);
        Serial::OpenFailure state;
        if (path)
            state = Serial::ProbePort(*path);
        else
            state.reason = Serial::OpenFailure::Reason::NoSuchPort;
        const QString device = path ? QString::fromStdString(*path) : QString();
        const bool isChosen = item.name == chosen;
        json.append(JsonPort(item, device, state, isChosen));
        text += (isChosen ? QStringLiteral("* ") : QStringLiteral("  ")) + Text::PortLine(item.label, device, state) +
                u'\n';
    }
    const bool written = invocation.console.json
                             ? invocation.console.Out(QJsonDocument(json).toJson(QJsonDocument::Compact) + '\n')
                             : invocation.console.Out(text.toUtf8());
    return written ? ExitDone : ExitFile;
}
