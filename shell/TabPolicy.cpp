#include "shell/TabPolicy.h"

#include "shell/Texts.h"

namespace Policy {

TabPolicy SettingsTab()
{
    const QString filter = QString::fromUtf8(Text::Filter::Configuration);
    return {true, true, true, true, filter, FileDialogSettings{filter, QStringLiteral("vsk")}, false};
}

TabPolicy StatusTab()
{
    return {false, false, false, false, std::nullopt, std::nullopt, true};
}

TabPolicy LogsTab()
{
    return {true,  false, false, true, std::nullopt,
            FileDialogSettings{QString::fromUtf8(Text::Filter::Csv), QStringLiteral("csv")}, false};
}

}  // namespace Policy
