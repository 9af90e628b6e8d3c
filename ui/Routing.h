// Where the four common buttons go on each tab.  A plain table; the window
// runs the action it names.
#pragma once

#include "ui/TabPolicy.h"

enum class CommonButton { Read, Write, Load, Save };

enum class TabAction {
    Nothing,
    ReadConstants,
    WriteConstants,
    ReadCurve,
    WriteCurve,
    ReadTimeProgram,
    WriteTimeProgram,
    ReadWallTable,
    WriteWallTable,
    LoadParameterFile,  // the active settings tab's sections of a parameter file
    SaveParameterFile,
    ReadLogs,
    SaveLogs,           // CSV file
    ReadDirect,         // page read or debug dump, by the editor's mode
    WriteDirect,
    LoadDirect,         // image file
    SaveDirect,         // image file or debug text, by the editor's mode
};

TabAction RouteFor(Tab tab, CommonButton button);

// Actions that first ask the user for a file: the open dialog for loads,
// the save dialog for saves.
bool OpensFile(TabAction action);
bool SavesFile(TabAction action);
