#include "ui/OutdoorTab.h"

#include "shell/Dialogs.h"
#include "shell/Texts.h"

OutdoorTab::OutdoorTab(const TabContext& context, OutdoorTransfers transfers, QWidget* parent)
    : TabPage(parent), context_(context), transfers_(transfers)
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
    if (transfers_.read(context_.link, table) == Transfer::Done)
        SetTable(table);
}

void OutdoorTab::Write()
{
    if (transfers_.write(context_.link, Table()) == Transfer::RangeCheckError)
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
