// What the active tab makes of the common buttons, the file dialogs and the
// status timer.  Each tab states its own policy; the window applies it on
// every tab change and whenever the tab says its policy changed.
#pragma once

#include <QString>
#include <optional>

#include "shell/Dialogs.h"

// Every policy is written with its members named ({.read = true,
// .write = false, ...}): a row of bare booleans cannot be read.
struct TabPolicy {
    // "Načíst", "Zapsat", "Otevřít...", "Uložit...": enabled, and routed to
    // the tab.  A disabled button does nothing on this tab.
    bool read = false, write = false, load = false, save = false;
    // Empty: that dialog keeps what it had.  The open dialog never gets a
    // default extension.
    std::optional<QString> openFilter;
    std::optional<FileDialogSettings> saveDialog;
    // The once-a-second status poll runs while the tab is active.
    bool statusTimer = false;

    friend bool operator==(const TabPolicy&, const TabPolicy&) = default;
};

namespace Policy {
// "Kalorest", "Ekviterma", "Režim", "Zeď": everything on, parameter files.
TabPolicy SettingsTab();
// "Hodiny + čidla": every common button off, the status timer on.
TabPolicy StatusTab();
// "Záznamy": read and save as CSV.
TabPolicy LogsTab();
}  // namespace Policy
