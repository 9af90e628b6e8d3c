#include "ui/OutdoorTab.h"

#include "shell/Dialogs.h"
#include "shell/Texts.h"

OutdoorTab::OutdoorTab(const TabContext& context, const PageCodec<OutdoorTable>& codec, QWidget* parent)
    : TabPage(parent), context_(context), codec_(codec)
{
}

TabPolicy OutdoorTab::Policy() const
{
    return Policy::SettingsTab();
}

const OutdoorTable& OutdoorTab::Table() const
{
    return list_->Table();
}

void OutdoorTab::SetTable(const OutdoorTable& table)
{
    list_->SetTable(table);
}

void OutdoorTab::Read()
{
    OutdoorTable table;
    if (ReadBlock(context_.link, codec_, table) == Transfer::Done)
        SetTable(table);
}

void OutdoorTab::Write()
{
    if (WriteBlock(context_.link, codec_, Table()) == Transfer::RangeCheckError)
        context_.dialogs.Error(QString::fromUtf8(Text::RangeCheckError));
}

void OutdoorTab::Report(FloatFault fault) const
{
    context_.dialogs.Error(QString::fromUtf8(fault == FloatFault::DivisionByZero ? Text::DivisionByZero
                                                                                 : Text::InvalidFloatingPointOperation));
}

void OutdoorTab::ReportUnableToWrite(const QString& path) const
{
    context_.dialogs.Error(Text::UnableToWrite(path));
}
