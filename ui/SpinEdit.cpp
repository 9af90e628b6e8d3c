#include "SpinEdit.h"

#include <QLineEdit>

#include "controller/IntegerText.h"

SpinEdit::SpinEdit(QWidget* parent) : QSpinBox(parent) {}

QValidator::State SpinEdit::validate(QString&, int&) const
{
    // Every text is taken: valueFromText decides what it is worth.
    return QValidator::Acceptable;
}

int SpinEdit::valueFromText(const QString& text) const
{
    // QSpinBox limits whatever this returns to the range.
    return ParseIntegerText(text).value_or(minimum());
}

void SpinEdit::focusOutEvent(QFocusEvent* event)
{
    const QString typed = text();
    const bool isNumber = ParseIntegerText(typed).has_value();
    // The base class rewrites the text from the value: right for a number
    // out of range, but a non-number keeps its text (its value is already
    // the minimum).
    QSpinBox::focusOutEvent(event);
    if (!isNumber)
        lineEdit()->setText(typed);
}
