#include "ui/ModeTab.h"

#include "files/ParameterSections.h"
#include "shell/Dialogs.h"
#include "shell/ParameterFileOpen.h"
#include "shell/Texts.h"
#include "ui_ModeTab.h"

ModeTab::ModeTab(const TabContext& context, QWidget* parent)
    : TabPage(parent), ui_(std::make_unique<Ui::ModeTab>()), context_(context)
{
    ui_->setupUi(this);
    ui_->dgMode->SetProgram(program_);
}

ModeTab::~ModeTab() = default;

TabPolicy ModeTab::Policy() const
{
    return Policy::SettingsTab();
}

ModeProgramId ModeTab::SelectedProgram() const
{
    if (ui_->rbModeA->isChecked())
        return ModeProgramId::A;
    if (ui_->rbModeB->isChecked())
        return ModeProgramId::B;
    return ModeProgramId::C;
}

void ModeTab::ReplaceProgram(const ModeProgram& program)
{
    program_ = program;
    ui_->dgMode->ProgramReplaced();
}

void ModeTab::Read()
{
    if (ReadModeProgram(context_.link, SelectedProgram(), program_))
        ui_->dgMode->ProgramReplaced();
}

void ModeTab::Write()
{
    WriteModeProgram(context_.link, SelectedProgram(), program_);
}

void ModeTab::Load(const QString& path)
{
    const auto file = OpenParameterFile(path, context_.dialogs, context_.files);
    if (file && LoadModeSection(*file, SelectedProgram(), program_))
        ui_->dgMode->ProgramReplaced();
}

void ModeTab::Save(const QString& path)
{
    if (SaveModeSection(path, SelectedProgram(), program_, context_.files))
        context_.dialogs.Error(Text::UnableToWrite(path));
}
