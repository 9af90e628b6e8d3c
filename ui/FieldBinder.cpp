#include "ui/FieldBinder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <algorithm>

#include "controller/IntegerText.h"

namespace {

// A typed name has at most 15 characters, so it fits its slot with the end
// byte.
constexpr int TypedNameLength = NameSlotSize - 1;

long long NumberIn(const FieldValue& value)
{
    if (const auto* n = std::get_if<long long>(&value))
        return *n;
    return std::get_if<bool>(&value) && std::get<bool>(value);
}

QString TextIn(const FieldValue& value)
{
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    if (const auto* n = std::get_if<long long>(&value))
        return QString::number(*n);
    return {};
}

// What a user sees of an input: a spin edit's text, not its value, so that
// typing a text that is not a number is a change too.
FieldValue ShownState(const QWidget* widget)
{
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(widget))
        return spin->text();
    return WidgetValue(widget);
}

// The label that names an input: the one whose buddy it is.
QLabel* OwnLabel(const QWidget* form, const QWidget* input)
{
    for (QLabel* label : form->findChildren<QLabel*>())
        if (label->buddy() == input)
            return label;
    return nullptr;
}

}  // namespace

void ShowValue(QWidget* widget, const FieldValue& value)
{
    if (auto* spin = qobject_cast<QSpinBox*>(widget))
        spin->setValue(int(NumberIn(value)));
    else if (auto* list = qobject_cast<QComboBox*>(widget))
        list->setCurrentIndex(int(NumberIn(value)));
    else if (auto* check = qobject_cast<QCheckBox*>(widget))
        check->setChecked(NumberIn(value) != 0);
    else if (auto* edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(TextIn(value));
    else if (auto* label = qobject_cast<QLabel*>(widget))
        label->setText(TextIn(value));
}

FieldValue WidgetValue(const QWidget* widget)
{
    if (const auto* spin = qobject_cast<const QSpinBox*>(widget))
        return (long long)spin->value();
    if (const auto* list = qobject_cast<const QComboBox*>(widget))
        return (long long)list->currentIndex();
    if (const auto* check = qobject_cast<const QCheckBox*>(widget))
        return check->isChecked();
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    return {};
}

QString WidgetText(const QWidget* widget)
{
    if (const auto* spin = qobject_cast<const QAbstractSpinBox*>(widget))
        return spin->text();
    return TextIn(WidgetValue(widget));
}

void ShowText(QWidget* widget, const QString& text)
{
    if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
        if (const auto value = ParseIntegerText(text))
            spin->setValue(*value);
        else
            spin->findChild<QLineEdit*>()->setText(text);
    } else {
        ShowValue(widget, text);
    }
}

QWidget* FindWidget(const QWidget* form, const QString& name)
{
    for (QWidget* widget : form->findChildren<QWidget*>())
        if (widget->objectName().compare(name, Qt::CaseInsensitive) == 0)
            return widget;
    return nullptr;
}

FieldBinder::FieldBinder(QWidget* form, std::vector<const FieldSpec*> rows) : QObject(form), rows_(std::move(rows))
{
    for (const FieldSpec* row : rows_) {
        QWidget* widget = FindWidget(form, row->WidgetName());
        Q_ASSERT_X(widget, "FieldBinder", qPrintable(row->WidgetName()));
        widgets_.push_back(widget);

        if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
            spin->setRange(row->Minimum(), row->Maximum());
            connect(spin, &QSpinBox::textChanged, this, &FieldBinder::Recheck);
        } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
            for (const char* item : row->items)
                list->addItem(FieldWord(item));
            connect(list, &QComboBox::currentIndexChanged, this, &FieldBinder::Recheck);
        } else if (auto* check = qobject_cast<QCheckBox*>(widget)) {
            connect(check, &QCheckBox::toggled, this, &FieldBinder::Recheck);
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            if (row->kind == RowKind::NameSlot) {
                // Typing never makes a name longer than 15 characters, nor a
                // longer name longer than it came.
                connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
                    edit->setMaxLength(std::max<int>(int(text.size()), TypedNameLength));
                });
            }
            connect(edit, &QLineEdit::textChanged, this, &FieldBinder::Recheck);
        }

        if (row->label) {
            if (auto* check = qobject_cast<QCheckBox*>(widget))
                check->setText(row->Label());
            else if (QLabel* label = OwnLabel(form, widget))
                label->setText(row->Label());
        }
        widget->setAccessibleName(row->AccessibleName());
    }
}

void FieldBinder::ShowRow(std::size_t i, const FieldValue& value)
{
    const FieldSpec& row = *rows_[i];
    QWidget* widget = widgets_[i];
    const FieldValue limited = LimitRow(row, value);
    if (row.kind == RowKind::NameSlot) {
        // A longer name (all 16 characters of a slot without an end byte, or
        // any length from a parameter file) is shown whole, so that saving
        // it again keeps it; typing may shorten it but never lengthen it.
        const QString name = TextIn(limited);
        auto* edit = static_cast<QLineEdit*>(widget);
        edit->setMaxLength(std::max<int>(int(name.size()), TypedNameLength));
        edit->setText(name);
        edit->setCursorPosition(0);  // the edit is narrow: show a long name's start
    } else if (row.kind == RowKind::Counter) {
        ShowValue(widget, RowText(row, limited));
    } else {
        ShowValue(widget, limited);
    }
}

FieldValue FieldBinder::CollectRow(std::size_t i) const
{
    // A counter is shown only: the model holds it.
    if (rows_[i]->kind == RowKind::Counter)
        return {};
    // SpinEdit's value is already limited to its range, and a text that is
    // not a number has made it the minimum.
    return WidgetValue(widgets_[i]);
}

std::vector<FieldValue> FieldBinder::States() const
{
    std::vector<FieldValue> states;
    for (const QWidget* widget : widgets_)
        states.push_back(ShownState(widget));
    return states;
}

void FieldBinder::MarkShown()
{
    shown_ = States();
    Recheck();
}

void FieldBinder::MarkDefaults()
{
    defaults_ = States();
}

bool FieldBinder::Changed() const
{
    return States() != shown_;
}

bool FieldBinder::AtDefaults() const
{
    return States() == defaults_;
}

void FieldBinder::Recheck()
{
    // Showing a whole model changes every input one by one: only the state
    // after MarkShown counts.
    if (shown_.size() != widgets_.size())
        return;
    const bool changed = Changed();
    if (changed != changed_) {
        changed_ = changed;
        emit ChangedSinceShown(changed);
    }
}
