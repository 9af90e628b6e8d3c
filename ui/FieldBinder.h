// Between the rows of a field table (controller/FieldTable.h) and the
// widgets that show them.  A row's input is found by its widget name ("se",
// "cb" or "ed" and the key); the binder gives it its range or items, puts
// the row's label on the row's own label (the QLabel whose buddy the input
// is, or the check box itself) and its name on the input for screen
// readers, then shows, collects and limits values.  It knows whether the
// user changed a field since the values were last shown from a read or a
// load, and whether the fields show the model's defaults.
#pragma once

#include <QObject>
#include <QString>
#include <QWidget>
#include <span>
#include <vector>

#include "controller/FieldTable.h"

class QLabel;

// One widget's value, whatever the widget: a spin edit's value, a list's
// position, a check box's state, an edit's or a label's text.
void ShowValue(QWidget* widget, const FieldValue& value);
FieldValue WidgetValue(const QWidget* widget);
// The text a user left in a spin edit or an edit, numbers or not; a spin
// edit shows a text that is an integer as its value and keeps any other as
// it stands.
QString WidgetText(const QWidget* widget);
void ShowText(QWidget* widget, const QString& text);

// A child of form by its object name, compared without regard to case: one
// of the window's labels is spelled lbSens2name.  Null when there is none.
QWidget* FindWidget(const QWidget* form, const QString& name);

class FieldBinder : public QObject {
    Q_OBJECT
public:
    // The rows each have an input in form, or are left out by the caller.
    FieldBinder(QWidget* form, std::vector<const FieldSpec*> rows);

    std::size_t Size() const { return rows_.size(); }
    const FieldSpec& Row(std::size_t i) const { return *rows_[i]; }

    // A value into row i's input, limited as the window shows it.
    void ShowRow(std::size_t i, const FieldValue& value);
    // Row i's value as the user left it, within the input's limits (a spin
    // text that is not a number counts as the minimum).  Nothing for a row
    // the user cannot edit (a counter).
    FieldValue CollectRow(std::size_t i) const;

    // What the inputs show now is what the user has not changed.
    void MarkShown();
    // Whether any input differs from what was shown when last marked.
    bool Changed() const;
    // Whether every input shows what it shows for a model never read.
    bool AtDefaults() const;

signals:
    // The user changed a field since the last read or load, or changed it
    // back.
    void ChangedSinceShown(bool changed);

protected:
    // No change is reported while a whole model is shown, input by input.
    void BeginShow() { shown_.clear(); }
    // What each input showed for a model never read, once the subclass has
    // shown it.
    void MarkDefaults();

private:
    std::vector<FieldValue> States() const;
    void Recheck();

    std::vector<const FieldSpec*> rows_;
    std::vector<QWidget*> widgets_;
    std::vector<FieldValue> shown_, defaults_;
    bool changed_ = false;
};

// The binder of one model's table: every row with a member and an input.
template <typename Model>
class ModelBinder : public FieldBinder {
public:
    template <std::size_t N, std::size_t Bytes>
    ModelBinder(QWidget* form, const BlockTable<Model, N, Bytes>& table)
        : FieldBinder(form, InputRows(table)), members_(Members(table))
    {
        Show(Model{});
        MarkDefaults();
    }

    // Every field, as read or loaded: what the user changes from here on is
    // a change.
    void Show(const Model& model)
    {
        BeginShow();
        ShowRows(model, [](const FieldSpec&) { return true; });
        MarkShown();
    }
    // Some fields, changed by the program on the user's behalf (a counter
    // cleared): a change like one the user typed.
    template <typename Which>
    void ShowRows(const Model& model, Which which)
    {
        for (std::size_t i = 0; i < Size(); ++i)
            if (which(Row(i)))
                ShowRow(i, ValueIn(*members_[i], model));
    }
    void Collect(Model& model) const
    {
        for (std::size_t i = 0; i < Size(); ++i)
            if (const FieldValue value = CollectRow(i); !std::holds_alternative<std::monostate>(value))
                Assign(members_[i]->Of(model), value);
    }

private:
    template <std::size_t N, std::size_t Bytes>
    static std::vector<const Field<Model>*> Members(const BlockTable<Model, N, Bytes>& table)
    {
        std::vector<const Field<Model>*> rows;
        for (const Field<Model>& row : table)
            if (row.member && !row.WidgetName().isEmpty())
                rows.push_back(&row);
        return rows;
    }
    template <std::size_t N, std::size_t Bytes>
    static std::vector<const FieldSpec*> InputRows(const BlockTable<Model, N, Bytes>& table)
    {
        const auto rows = Members(table);
        return {rows.begin(), rows.end()};
    }

    std::vector<const Field<Model>*> members_;
};
