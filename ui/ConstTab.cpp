#include "ui/ConstTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

#include "SpinEdit.h"
#include "files/ParameterSections.h"
#include "shell/Dialogs.h"
#include "shell/ParameterFileOpen.h"
#include "shell/Texts.h"
#include "ui_ConstTab.h"

namespace {

constexpr int TypedNameLength = 15;

}  // namespace

ConstTab::ConstTab(const TabContext& context, QWidget* parent)
    : TabPage(parent), ui_(std::make_unique<Ui::ConstTab>()), context_(context)
{
    ui_->setupUi(this);
    for (const auto& field : ConstantsFields()) {
        if (field.kind == FieldKind::Spin)
            static_cast<SpinEdit*>(WidgetOf(field))->setRange(field.minimum, field.maximum);
        else if (field.kind == FieldKind::List)
            static_cast<QComboBox*>(WidgetOf(field))->addItems(*field.items);
    }
    for (QToolButton* button : {ui_->sbClearRunCount, ui_->sbClearBlrCounter}) {
        QFont font = button->font();
        font.setBold(true);
        font.setPixelSize(16);
        button->setFont(font);
    }
    for (const auto& field : ConstantsFields()) {
        if (field.kind == FieldKind::Text) {
            auto* edit = static_cast<QLineEdit*>(WidgetOf(field));
            // Typing never makes a name longer than 15 characters, nor a
            // longer name longer than it came.
            connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
                edit->setMaxLength(std::max<int>(int(text.size()), TypedNameLength));
            });
        }
    }
    connect(ui_->sbClearRunCount, &QToolButton::clicked, this, &ConstTab::sbClearRunCountClick);
    connect(ui_->sbClearBlrCounter, &QToolButton::clicked, this, &ConstTab::sbClearBlrCounterClick);
    ShowConstants();
}

ConstTab::~ConstTab() = default;

TabPolicy ConstTab::Policy() const
{
    return Policy::SettingsTab();
}

QWidget* ConstTab::WidgetOf(const FieldSpec& field) const
{
    QWidget* widget = findChild<QWidget*>(field.WidgetName());
    Q_ASSERT_X(widget, "ConstTab", qPrintable(field.WidgetName()));
    return widget;
}

void ConstTab::ShowConstants()
{
    for (const auto& field : ConstantsFields())
        ShowField(field);
}

void ConstTab::ShowCounters()
{
    for (const auto& field : ConstantsFields())
        if (field.kind == FieldKind::Counter)
            ShowField(field);
}

void ConstTab::ShowField(const Field<RegulationConstants>& field)
{
    const FieldRef value = field.Of(constants_);
    QWidget* widget = WidgetOf(field);
    switch (field.kind) {
    case FieldKind::Spin: static_cast<SpinEdit*>(widget)->setValue(*std::get<int*>(value)); break;
    case FieldKind::List: static_cast<QComboBox*>(widget)->setCurrentIndex(*std::get<int*>(value)); break;
    case FieldKind::Check: static_cast<QCheckBox*>(widget)->setChecked(*std::get<bool*>(value)); break;
    case FieldKind::Text: {
        // A typed name has at most 15 characters, so it fits its slot with
        // the end byte.  A longer name (all 16 characters of a slot without
        // an end byte, or any length from a parameter file) is shown whole,
        // so that saving it again keeps it; typing may shorten it but never
        // lengthen it (see the constructor).
        const QString& name = *std::get<QString*>(value);
        auto* edit = static_cast<QLineEdit*>(widget);
        edit->setMaxLength(std::max<int>(int(name.size()), TypedNameLength));
        edit->setText(name);
        edit->setCursorPosition(0);  // the edit is narrow: show a long name's start
        break;
    }
    case FieldKind::Counter: {
        const QString text = std::holds_alternative<std::uint32_t*>(value)
                                 ? FormatRunTime(*std::get<std::uint32_t*>(value))
                                 : QString::number(*std::get<int*>(value));
        static_cast<QLineEdit*>(widget)->setText(text);
        break;
    }
    }
}

void ConstTab::CollectConstants()
{
    for (const auto& field : ConstantsFields()) {
        const FieldRef value = field.Of(constants_);
        QWidget* widget = WidgetOf(field);
        switch (field.kind) {
        // SpinEdit's value is already limited to its range, and a text that
        // is not a number has made it the minimum.
        case FieldKind::Spin: *std::get<int*>(value) = static_cast<SpinEdit*>(widget)->value(); break;
        case FieldKind::List: *std::get<int*>(value) = static_cast<QComboBox*>(widget)->currentIndex(); break;
        case FieldKind::Check: *std::get<bool*>(value) = static_cast<QCheckBox*>(widget)->isChecked(); break;
        case FieldKind::Text: *std::get<QString*>(value) = static_cast<QLineEdit*>(widget)->text(); break;
        case FieldKind::Counter: break;  // shown only: the model holds them
        }
    }
}

void ConstTab::Read()
{
    if (ReadConstants(context_.link, constants_) == Transfer::Done)
        ShowConstants();
}

void ConstTab::Write()
{
    CollectConstants();
    if (WriteConstants(context_.link, constants_) == Transfer::RangeCheckError)
        context_.dialogs.Error(QString::fromUtf8(Text::RangeCheckError));
}

void ConstTab::Load(const QString& path)
{
    const auto file = OpenParameterFile(path, context_.dialogs, context_.files);
    if (!file)
        return;
    LoadConstSection(*file, constants_);
    ShowConstants();
}

void ConstTab::Save(const QString& path)
{
    CollectConstants();
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
