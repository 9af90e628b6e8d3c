// A spin edit with no limits of its own: any 32-bit integer, and 0 for a
// text that is not a number (which stays as typed, as in every SpinEdit).
// The wall fill's inputs are such edits; the fill reads their texts.
#pragma once

#include "SpinEdit.h"

class UnlimitedSpinEdit : public SpinEdit {
    Q_OBJECT
public:
    explicit UnlimitedSpinEdit(QWidget* parent = nullptr);

protected:
    // SpinEdit counts a non-number as its minimum, which here would be the
    // most negative integer.
    int valueFromText(const QString& text) const override;
};
