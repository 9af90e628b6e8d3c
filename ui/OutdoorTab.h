// What the tabs "Ekviterma" and "Zeď" have in common: the list of an outdoor
// table, moved to and from the table's Controller page by "Načíst" and
// "Zapsat", and the messages of a fill that cannot be computed or a
// parameter file that cannot be written.
#pragma once

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

    // The rows as the list holds them; SetTable replaces all 66 in one step,
    // so whatever follows the list redraws once.
    const OutdoorTable& Table() const;
    void SetTable(const OutdoorTable& table);

protected:
    OutdoorTab(const TabContext& context, OutdoorTransfers transfers, QWidget* parent);
    // The tab's list, once its .ui is set up.
    void SetList(OutdoorList* list) { list_ = list; }
    const TabContext& Context() const { return context_; }
    void Report(FloatFault fault) const;
    // A parameter-file save that wrote nothing: "Unable to write to …".
    void ReportUnableToWrite(const QString& path) const;

private:
    TabContext context_;
    OutdoorTransfers transfers_;
    OutdoorList* list_ = nullptr;
};
