// The tab "Kalorest": the regulation constants of EEPROM page 0.  The
// widgets are named after the fields of the page's field table ("se",
// "cb" or "ed" and the field's key); the table gives them their ranges,
// items and labels, and moves values between them and the model through
// the binder.
#pragma once

#include <memory>

#include "controller/RegulationConstants.h"
#include "ui/FieldBinder.h"
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
    // Whether the user changed a field since the last read or load.
    const FieldBinder& Fields() const { return *fields_; }

public slots:
    void sbClearRunCountClick();
    void sbClearBlrCounterClick();

private:
    void ShowCounters();

    std::unique_ptr<Ui::ConstTab> ui_;
    TabContext context_;
    RegulationConstants constants_;
    ModelBinder<RegulationConstants>* fields_;  // a child of the tab
};
