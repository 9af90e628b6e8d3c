// What a tab change does to the common buttons, the file dialogs and the
// status timer.  A plain function of the tab; the window applies it.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>

#include "ui/Dialogs.h"

// The seven tabs in their order on the window; None for a page this
// program does not know (nothing is routed there).
enum class Tab { Const, Ekvith, Mode, ClockSensors, Logs, Wall, Direct, None };
inline constexpr int TabCount = 7;

// Tabs are told apart by their object names ("tsConst" … "tsDirect").
Tab TabFromName(QStringView name);
const char* TabName(Tab tab);

namespace FileFilter {
inline constexpr const char* Configuration = "Soubory konfigurace (*.vsk)|*.vsk|Všechny soubory (*.*)|*.*";
inline constexpr const char* Csv = "Soubory formátu CSV (*.csv)|*.csv|Všechny soubory (*.*)|*.*";
inline constexpr const char* Image = "Binární soubory (*.bin)|*.bin|Všechny soubory (*.*)|*.*";
inline constexpr const char* Text = "Textové soubory (*.txt)|*.txt|Všechny soubory (*.*)|*.*";
}  // namespace FileFilter

struct TabPolicy {
    bool read = false, write = false, load = false, save = false;
    // Empty: that dialog keeps what it had.  The open dialog never gets a
    // default extension.
    std::optional<QString> openFilter;
    std::optional<FileDialogSettings> saveDialog;
    bool statusTimer = false;
};

// The direct-access tab gets the row of its page editor's EEPROM mode.
TabPolicy PolicyFor(Tab tab);
