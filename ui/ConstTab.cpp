#include "ui/ConstTab.h"

#include <QToolButton>

#include "files/ParameterSections.h"
#include "shell/Dialogs.h"
#include "shell/ParameterFileOpen.h"
#include "shell/Texts.h"
#include "ui_ConstTab.h"

ConstTab::ConstTab(const TabContext& context, QWidget* parent)
    : TabPage(parent), ui_(std::make_unique<Ui::ConstTab>()), context_(context)
{
    ui_->setupUi(this);
    fields_ = new ModelBinder<RegulationConstants>(this, ConstantsTable);
    for (QToolButton* button : {ui_->sbClearRunCount, ui_->sbClearBlrCounter}) {
        QFont font = button->font();
        font.setBold(true);
        font.setPixelSize(16);
        button->setFont(font);
    }
    connect(ui_->sbClearRunCount, &QToolButton::clicked, this, &ConstTab::sbClearRunCountClick);
    connect(ui_->sbClearBlrCounter, &QToolButton::clicked, this, &ConstTab::sbClearBlrCounterClick);
}

ConstTab::~ConstTab() = default;

TabPolicy ConstTab::Policy() const
{
    return Policy::SettingsTab();
}

void ConstTab::ShowCounters()
{
    fields_->ShowRows(constants_, [](const FieldSpec& row) { return row.kind == RowKind::Counter; });
}

void ConstTab::Read()
{
    if (ReadConstants(context_.link, constants_) == Transfer::Done)
        fields_->Show(constants_);
}

void ConstTab::Write()
{
    fields_->Collect(constants_);
    if (WriteConstants(context_.link, constants_) == Transfer::RangeCheckError)
        context_.dialogs.Error(Text::RangeCheckError());
}

void ConstTab::Load(const QString& path)
{
    const auto file = OpenParameterFile(path, context_.dialogs, context_.files);
    if (!file)
        return;
    LoadConstSection(*file, constants_);
    fields_->Show(constants_);
}

void ConstTab::Save(const QString& path)
{
    fields_->Collect(constants_);
    if (SaveConstSection(path, constants_, context_.files))
        context_.dialogs.Error(Text::UnableToWrite(path));
}

void ConstTab::sbClearRunCountClick()
{
    ClearRunCount(constants_);
    ShowCounters();
}

void ConstTab::sbClearBlrCounterClick()
{
    ClearBlrCounter(constants_);
    ShowCounters();
}
