// The modes of the tab "Přímý přístup" and what each does to the window:
// the EEPROM page editor, and the debug snapshot in its processed or its
// memory-only view.  One row per mode; picking a mode (or entering the tab)
// applies its row.
#pragma once

#include "shell/TabPolicy.h"

enum class DirectMode { Eeprom, DebugProcessed, DebugMemory };

// Rows are written with every member named, as the tab policies are.
struct DirectModeRow {
    DirectMode mode;
    TabPolicy policy;  // the common buttons and the file dialogs
    bool pageListEnabled = false;
    bool debugTypeEnabled = false;
    // Which views show.  A text view that a mode shows starts empty.
    bool gridShown = false;
    bool debugInfoShown = false;     // the processed view
    bool debugInfoExtShown = false;  // the register lines beside the memory-only grid
    // The grid starts at 00 everywhere: the buffer is cleared.
    bool clearsPageBuffer = false;
};

// debugType is the position in the list "zpracovaný", "pouze paměť".
DirectMode DirectModeOf(bool debug, int debugType);
const DirectModeRow& DirectModePolicy(DirectMode mode);
