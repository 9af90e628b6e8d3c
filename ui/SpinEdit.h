// A spin edit for integers that lets the user type anything.  A number
// outside the range is brought into it when the field loses the focus; a
// text that is not a number counts as the minimum and stays as typed, so
// it is written back as it stands (stored settings) while every value taken
// from the field lies in its range.
#pragma once

#include <QSpinBox>

class SpinEdit : public QSpinBox {
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

protected:
    QValidator::State validate(QString& input, int& pos) const override;
    int valueFromText(const QString& text) const override;
    void focusOutEvent(QFocusEvent* event) override;
};
