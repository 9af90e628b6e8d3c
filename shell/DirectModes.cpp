#include "shell/DirectModes.h"

#include <array>

#include "shell/Texts.h"

namespace {

FileDialogSettings ImageSave()
{
    return {QString::fromUtf8(Text::Filter::Image), QStringLiteral("bin")};
}

const std::array<DirectModeRow, 3>& Rows()
{
    static const std::array<DirectModeRow, 3> rows{{
        // The open dialog keeps its filter in debug mode: nothing is loaded there.
        {DirectMode::Eeprom,
         {true, true, true, true, QString::fromUtf8(Text::Filter::Image), ImageSave(), false},
         true, false, true, false, false, true},
        {DirectMode::DebugProcessed,
         {true, false, false, true, std::nullopt,
          FileDialogSettings{QString::fromUtf8(Text::Filter::Text), QStringLiteral("txt")}, false},
         false, true, false, true, false, false},
        {DirectMode::DebugMemory,
         {true, false, false, true, std::nullopt, ImageSave(), false},
         false, true, true, false, true, true},
    }};
    return rows;
}

}  // namespace

DirectMode DirectModeOf(bool debug, int debugType)
{
    if (!debug)
        return DirectMode::Eeprom;
    return debugType == 1 ? DirectMode::DebugMemory : DirectMode::DebugProcessed;
}

const DirectModeRow& DirectModePolicy(DirectMode mode)
{
    for (const DirectModeRow& row : Rows())
        if (row.mode == mode)
            return row;
    return Rows().front();
}
