// The tab "Kalorest": the regulation constants of EEPROM page 0.  The
// widgets are named after the fields of the page's field table ("se",
// "cb" or "ed" and the field's key), which sets their ranges and items and
// moves values between them and the model.
#pragma once

#include <memory>

#include "controller/RegulationConstants.h"
#include "ui/TabPage.h"

namespace Ui {
class ConstTab;
}

class ConstTab : public TabPage {
    Q_OBJECT
public:
    ConstTab(const TabContext& context, QWidget* parent = nullptr);
    ~ConstTab() override;

    TabPolicy Policy() const override;
    void Read() override;
    void Write() override;
    // The section "Const" of a parameter file; the counters stay out of it.
    void Load(const QString& path) override;
    void Save(const QString& path) override;

    const RegulationConstants& Model() const { return constants_; }

public slots:
    void sbClearRunCountClick();
    void sbClearBlrCounterClick();

private:
    void ShowConstants();
    void ShowCounters();
    void ShowField(const Field<RegulationConstants>& field);
    void CollectConstants();
    QWidget* WidgetOf(const FieldSpec& field) const;

    std::unique_ptr<Ui::ConstTab> ui_;
    TabContext context_;
    RegulationConstants constants_;
};
