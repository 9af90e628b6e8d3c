// What the tabs "Ekviterma" and "Zeď" have in common: the list of an outdoor
// table, moved to and from the table's Controller page by "Načíst" and
// "Zapsat" and to and from its parameter-file section by "Otevřít..." and
// "Uložit...", the fill inputs as controller/FillInputs.h describes them,
// and the messages of a fill that cannot be computed.
#pragma once

#include "controller/FillInputs.h"
#include "controller/OutdoorFill.h"
#include "controller/OutdoorTable.h"
#include "controller/PageTransfer.h"
#include "ui/OutdoorList.h"
#include "ui/TabPage.h"

class OutdoorTab : public TabPage {
    Q_OBJECT
public:
    TabPolicy Policy() const override;
    void Read() override;
    void Write() override;
    // The section of a parameter file: the rows and the fill inputs.
    void Load(const QString& path) override;
    void Save(const QString& path) override;

    // The fill inputs from the stored settings, each as the text it was
    // stored as; only those the settings keep go back.
    void ShowStored(const StoredSettings& settings) override;
    void CollectStored(StoredSettings& settings) const override;

    // The rows as the list holds them; SetTable replaces all 66 in one step,
    // so whatever follows the list redraws once.
    const OutdoorTable& Table() const;
    void SetTable(const OutdoorTable& table);
    // Whether the user changed a row since the last read or load.
    bool Changed() const { return Table() != shown_; }

    // The fill inputs as the tab's section keeps them: a spin edit's value
    // (taken without limits), an edit's text.
    InputValues Inputs() const;
    void SetInputs(const InputValues& inputs);

protected:
    OutdoorTab(const TabContext& context, const OutdoorPage& page, QWidget* parent);
    // The tab's list, once its .ui is set up.
    void SetList(OutdoorList* list);
    const TabContext& Context() const { return context_; }
    void Report(FloatFault fault) const;

private:
    // The rows, as read or loaded: what the user changes from here on is a
    // change.
    void ShowRead(const OutdoorTable& table);

    TabContext context_;
    const OutdoorPage& page_;
    OutdoorList* list_ = nullptr;
    OutdoorTable shown_;
};
