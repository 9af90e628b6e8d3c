#include "shell/DirectModes.h"

#include <array>

#include "shell/Texts.h"

namespace {

FileDialogSettings ImageSave()
{
    return {Text::Filter::Image(), QStringLiteral("bin")};
}

const std::array<DirectModeRow, 3>& Rows()
{
    static const std::array<DirectModeRow, 3> rows{{
        {.mode = DirectMode::Eeprom,
         .policy = {.read = true,
                    .write = true,
                    .load = true,
                    .save = true,
                    .openFilter = Text::Filter::Image(),
                    .saveDialog = ImageSave(),
                    .statusTimer = false},
         .pageListEnabled = true,
         .debugTypeEnabled = false,
         .gridShown = true,
         .debugInfoShown = false,
         .debugInfoExtShown = false,
         .clearsPageBuffer = true},
        // The open dialog keeps its filter in debug mode: nothing is loaded there.
        {.mode = DirectMode::DebugProcessed,
         .policy = {.read = true,
                    .write = false,
                    .load = false,
                    .save = true,
                    .openFilter = std::nullopt,
                    .saveDialog = FileDialogSettings{Text::Filter::Text(), QStringLiteral("txt")},
                    .statusTimer = false},
         .pageListEnabled = false,
         .debugTypeEnabled = true,
         .gridShown = false,
         .debugInfoShown = true,
         .debugInfoExtShown = false,
         .clearsPageBuffer = false},
        {.mode = DirectMode::DebugMemory,
         .policy = {.read = true,
                    .write = false,
                    .load = false,
                    .save = true,
                    .openFilter = std::nullopt,
                    .saveDialog = ImageSave(),
                    .statusTimer = false},
         .pageListEnabled = false,
         .debugTypeEnabled = true,
         .gridShown = true,
         .debugInfoShown = false,
         .debugInfoExtShown = true,
         .clearsPageBuffer = true},
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
