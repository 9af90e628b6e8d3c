#include "ui/OutdoorTab.h"

#include "files/ParameterSections.h"
#include "shell/Dialogs.h"
#include "shell/ParameterFileOpen.h"
#include "shell/StoredSettings.h"
#include "shell/Texts.h"
#include "ui/FieldBinder.h"

OutdoorTab::OutdoorTab(const TabContext& context, const OutdoorPage& page, QWidget* parent)
    : TabPage(parent), context_(context), page_(page)
{
}

void OutdoorTab::SetList(OutdoorList* list)
{
    list_ = list;
    list_->ShowPage(page_);
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

void OutdoorTab::ShowRead(const OutdoorTable& table)
{
    shown_ = table;
    SetTable(table);
}

void OutdoorTab::Read()
{
    OutdoorTable table;
    if (ReadOutdoor(context_.link, page_, table) == Transfer::Done)
        ShowRead(table);
}

void OutdoorTab::Write()
{
    if (WriteOutdoor(context_.link, page_, Table()) == Transfer::RangeCheckError)
        context_.dialogs.Error(Text::RangeCheckError());
}

void OutdoorTab::Load(const QString& path)
{
    const auto file = OpenParameterFile(path, context_.dialogs, context_.files);
    if (!file)
        return;
    const OutdoorSectionValues section = LoadOutdoorSection(*file, page_);
    SetInputs(section.inputs);
    ShowRead(section.table);
}

void OutdoorTab::Save(const QString& path)
{
    if (SaveOutdoorSection(path, page_, {Table(), Inputs()}, context_.files))
        context_.dialogs.Error(Text::UnableToWrite(path));
}

InputValues OutdoorTab::Inputs() const
{
    InputValues inputs;
    for (const FillInput* input : SectionInputs(page_.page))
        inputs[input->Key()] = WidgetValue(FindWidget(this, QString::fromLatin1(input->widget)));
    return inputs;
}

void OutdoorTab::SetInputs(const InputValues& inputs)
{
    for (const FillInput* input : SectionInputs(page_.page))
        if (const auto value = inputs.find(input->Key()); value != inputs.end())
            ShowValue(FindWidget(this, QString::fromLatin1(input->widget)), value->second);
}

void OutdoorTab::ShowStored(const StoredSettings& settings)
{
    for (const FillInput* input : SectionInputs(page_.page))
        if (const QString key = input->StoredKey(); !key.isEmpty())
            ShowText(FindWidget(this, QString::fromLatin1(input->widget)), settings.Input(key));
}

void OutdoorTab::CollectStored(StoredSettings& settings) const
{
    // The texts as they stand, numbers or not.  A copy of another tab's
    // value (the wall's B) is never stored.
    for (const FillInput* input : SectionInputs(page_.page))
        if (input->stored != StoredAs::None)
            settings.inputs[input->Key()] = WidgetText(FindWidget(this, QString::fromLatin1(input->widget)));
}

void OutdoorTab::Report(FloatFault fault) const
{
    context_.dialogs.Error(fault == FloatFault::DivisionByZero ? Text::DivisionByZero()
                                                               : Text::InvalidFloatingPointOperation());
}
