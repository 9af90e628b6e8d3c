#include "UnlimitedSpinEdit.h"

#include <limits>

#include "controller/IntegerText.h"

UnlimitedSpinEdit::UnlimitedSpinEdit(QWidget* parent) : SpinEdit(parent)
{
    setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

int UnlimitedSpinEdit::valueFromText(const QString& text) const
{
    return ParseIntegerText(text).value_or(0);
}
