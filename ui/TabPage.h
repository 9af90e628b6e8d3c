// What the main window knows of a tab: the page it shows, its policy for
// the common buttons, dialogs and status timer, and the handful of
// operations those buttons and the timer route to it.  Everything else a
// tab keeps to itself: its model, its widgets (from its own .ui file) and
// its handlers.
#pragma once

#include <QString>
#include <QWidget>

#include "files/FileSystem.h"
#include "shell/TabPolicy.h"

class ControllerLink;
class Dialogs;
class HourlyLogs;
struct StoredSettings;

// What a tab gets from the window: the link to the Controller, the dialog
// service, the logs read in this window ("Záznamy" fills them, the heating
// curve shows them as measured points) and the file system its files go
// through, nothing more.
struct TabContext {
    ControllerLink& link;
    Dialogs& dialogs;
    HourlyLogs& logs;
    FileSystem& files = RealFileSystem();
};

class TabPage : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;

    // Read afresh on every tab change and after PolicyChanged.
    virtual TabPolicy Policy() const = 0;
    // The tab became the active one; the window has applied its policy.
    virtual void Entered() {}

    // The common buttons, each only where the policy enables it.  Write runs
    // after the user has confirmed it; Load and Save get the file the user
    // chose in the window's dialog.
    virtual void Read() {}
    virtual void Write() {}
    virtual void Load(const QString& path) { Q_UNUSED(path); }
    virtual void Save(const QString& path) { Q_UNUSED(path); }

    // One tick of the status timer, while the policy runs it.
    virtual void StatusTick() {}

    // The stored settings that the tab's widgets show: given when the page
    // is built, collected at close.
    virtual void ShowStored(const StoredSettings& settings) { Q_UNUSED(settings); }
    virtual void CollectStored(StoredSettings& settings) const { Q_UNUSED(settings); }

signals:
    // The policy changed while the tab is active (the direct-access tab's
    // mode switch); the window applies it again.
    void PolicyChanged();
};
