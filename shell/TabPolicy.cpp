#include "shell/TabPolicy.h"

#include "shell/Texts.h"

namespace Policy {

TabPolicy SettingsTab()
{
    const QString filter = Text::Filter::Configuration();
    return {.read = true,
            .write = true,
            .load = true,
            .save = true,
            .openFilter = filter,
            .saveDialog = FileDialogSettings{filter, QStringLiteral("vsk")},
            .statusTimer = false};
}

TabPolicy StatusTab()
{
    return {.read = false,
            .write = false,
            .load = false,
            .save = false,
            .openFilter = std::nullopt,
            .saveDialog = std::nullopt,
            .statusTimer = true};
}

TabPolicy LogsTab()
{
    return {.read = true,
            .write = false,
            .load = false,
            .save = true,
            .openFilter = std::nullopt,
            .saveDialog = FileDialogSettings{Text::Filter::Csv(), QStringLiteral("csv")},
            .statusTimer = false};
}

}  // namespace Policy
