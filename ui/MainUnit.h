// The main window: the common buttons above the tabs.  The window keeps the
// port, the status timer, the file dialogs' settings and the stored
// settings; each tab is a TabPage of its own (ui/Tabs.h lists them), and
// the common buttons and the timer go to the active one.
#pragma once

#include <QTimer>
#include <QWidget>
#include <memory>
#include <vector>

#include "controller/Logs.h"
#include "link/PortEnumeration.h"
#include "link/Transaction.h"
#include "shell/Dialogs.h"
#include "shell/StoredSettings.h"
#include "shell/TabPolicy.h"
#include "ui/QtBusyIndicator.h"
#include "ui/TabPage.h"
#include "ui/Tabs.h"

namespace Ui {
class TMainForm;
}

class TMainForm : public QWidget {
    Q_OBJECT
public:
    // Without a dialog service the window shows Qt's boxes and dialogs;
    // without a file system its files go through the real one.  The tabs
    // are the program's own and the port list looks for devices in the
    // system's folders, unless a test brings its own.
    explicit TMainForm(Dialogs* dialogs = nullptr, QWidget* parent = nullptr, FileSystem* files = nullptr,
                       const std::vector<TabRow>& tabTable = TabTable(),
                       const Serial::DeviceRoots& deviceRoots = {});
    ~TMainForm() override;

    // The page of the active tab; every tab is built once it is active.
    TabPage* ActiveTab() const;
    const FileDialogSettings& OpenDialogSettings() const { return OpenDialog; }
    const FileDialogSettings& SaveDialogSettings() const { return SaveDialog; }
    const QTimer& StatusTimer() const { return tiClock; }

public slots:
    void cbComPortChange();
    void PageControlChange();
    void btReadClick();
    void btWriteClick();
    void btLoadClick();
    void btSaveClick();
    void btResetClick();
    void btInfoClick();
    void tiClockTimer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    void FormClose();
    void ApplyPolicy();
    TabHost* ActiveHost() const;

    std::unique_ptr<Ui::TMainForm> ui_;
    std::unique_ptr<Dialogs> ownDialogs_;
    Dialogs& dialogs_;
    FileSystem& files_;
    QtBusyIndicator busy_;
    ControllerLink link_;
    HourlyLogs logs_;
    std::vector<TabHost*> tabs_;  // owned by PageControl, in its order
    TabPolicy policy_;            // of the active tab, as last applied
    StoredSettings stored_;       // as read at start
    bool closed_ = false;

    // The window's own non-visual parts, under the names they have always had.
    QTimer tiClock;
    FileDialogSettings OpenDialog, SaveDialog;
};
