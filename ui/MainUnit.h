// The main window: the common buttons above seven tabs.  The window owns
// every widget and all state that outlives one button press; each tab's
// handlers live in a source file of their own (ConstTab.cpp, …), the shell
// (start, close, port, tab change, routing, RESET, Info) in MainUnit.cpp.
#pragma once

#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "controller/RegulationConstants.h"
#include "link/Transaction.h"
#include "ui/Dialogs.h"
#include "ui/Routing.h"
#include "ui/StoredSettings.h"

namespace Ui {
class TMainForm;
}

class TMainForm : public QWidget {
    Q_OBJECT
public:
    // Without a dialog service the window shows Qt's boxes and dialogs.
    explicit TMainForm(Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
    ~TMainForm() override;

    Tab ActiveTab() const;
    const FileDialogSettings& OpenDialogSettings() const { return OpenDialog; }
    const FileDialogSettings& SaveDialogSettings() const { return SaveDialog; }
    const QTimer& StatusTimer() const { return tiClock; }
    std::uint8_t LastStatusMinute() const { return lastStatusMinute; }

public slots:
    // Shell (MainUnit.cpp).
    void cbComPortChange();
    void PageControlChange();
    void btReadClick();
    void btWriteClick();
    void btLoadClick();
    void btSaveClick();
    void btResetClick();
    void btInfoClick();
    void tiClockTimer();

    // Tab "Kalorest" (ConstTab.cpp).
    void sbClearRunCountClick();
    void sbClearBlrCounterClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormClose();
    void ApplyPolicy(Tab tab);
    void RunAction(TabAction action);
    void LoadFile(TabAction action, const QString& fileName);
    void SaveFile(TabAction action, const QString& fileName);
    void ApplyStoredSettings(const StoredSettings& settings);
    StoredValues CollectStoredValues() const;

    // Tab "Kalorest" (ConstTab.cpp).
    void SetUpConstTab();
    void ShowConstants();
    void CollectConstants();
    void ShowCounters();
    void ReadConstantsTab();
    void WriteConstantsTab();

    std::unique_ptr<Ui::TMainForm> ui;
    std::unique_ptr<Dialogs> ownDialogs;
    Dialogs& dialogs;
    ControllerLink link;
    QTimer tiClock;
    FileDialogSettings OpenDialog, SaveDialog;
    std::uint8_t lastStatusMinute = 0xFF;
    bool closed = false;

    // The curve and wall values of the stored settings, kept here until the
    // tabs that show them hold them in their widgets.
    StoredSettings storedSettings;
    RegulationConstants constants;
};
