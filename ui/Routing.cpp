#include "ui/Routing.h"

TabAction RouteFor(Tab tab, CommonButton button)
{
    using enum TabAction;
    struct Row {
        TabAction read, write, load, save;
    };
    Row row{Nothing, Nothing, Nothing, Nothing};
    switch (tab) {
    case Tab::Const: row = {ReadConstants, WriteConstants, LoadParameterFile, SaveParameterFile}; break;
    case Tab::Ekvith: row = {ReadCurve, WriteCurve, LoadParameterFile, SaveParameterFile}; break;
    case Tab::Mode: row = {ReadTimeProgram, WriteTimeProgram, LoadParameterFile, SaveParameterFile}; break;
    case Tab::Wall: row = {ReadWallTable, WriteWallTable, LoadParameterFile, SaveParameterFile}; break;
    case Tab::Logs: row = {ReadLogs, Nothing, Nothing, SaveLogs}; break;
    case Tab::Direct: row = {ReadDirect, WriteDirect, LoadDirect, SaveDirect}; break;
    case Tab::ClockSensors:
    case Tab::None: break;
    }
    switch (button) {
    case CommonButton::Read: return row.read;
    case CommonButton::Write: return row.write;
    case CommonButton::Load: return row.load;
    case CommonButton::Save: return row.save;
    }
    return Nothing;
}

bool OpensFile(TabAction action)
{
    return action == TabAction::LoadParameterFile || action == TabAction::LoadDirect;
}

bool SavesFile(TabAction action)
{
    return action == TabAction::SaveParameterFile || action == TabAction::SaveLogs || action == TabAction::SaveDirect;
}
