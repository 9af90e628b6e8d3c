// The tab "Hodiny + čidla": the once-a-second view of the Controller's
// clock, outputs, regulator and sensors, and the setting of its clock.  The
// window runs the status timer on this tab (its policy says so), calls
// Entered() on every change to it and StatusTick() on every timer event;
// a failed exchange stops the timer through the link.
#pragma once

#include <QHash>
#include <QLabel>
#include <cstdint>
#include <memory>

#include "controller/StatusPoll.h"
#include "ui/TabPage.h"

namespace Ui {
class ClockTab;
}

class ClockTab : public TabPage {
    Q_OBJECT
public:
    ClockTab(const TabContext& context, QWidget* parent = nullptr);
    ~ClockTab() override;

    TabPolicy Policy() const override;
    void Entered() override;
    void StatusTick() override;

    // Where the PC's time comes from (the local clock unless a test says
    // otherwise).
    void SetPcClock(PcClock clock) { pcClock_ = std::move(clock); }
    std::uint8_t LastStatusMinute() const { return lastStatusMinute; }

public slots:
    void sbClockUpdateByPCClick();
    void sbClockUpdateByHandClick();
    void sbClockUpdateHandByPCClick();

private:
    void Show(const StatusShow& show);
    void ShowRegulator(const RegulatorView& view);
    // The label "lb" + the key of a field table's row, and its caption.
    QLabel* LabelOf(const QString& key, const char* suffix = "") const;
    // A widget of the form by name, found once.
    template <typename W>
    W* Named(const QString& name) const;

    std::unique_ptr<Ui::ClockTab> ui_;
    TabContext context_;
    PcClock pcClock_;
    mutable QHash<QString, QWidget*> named_;
    // The Controller minute of the last refresh of the regulator view and
    // the normal sensor view; NoStatusMinute: at the next chance.
    std::uint8_t lastStatusMinute = NoStatusMinute;
};
