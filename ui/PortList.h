// The port list `cbComPort`: "COM1" … "COM8", then the serial devices
// present.  It looks for devices afresh each time it opens, so an adapter
// plugged in while the program runs appears.
#pragma once

#include <QComboBox>
#include <string>
#include <vector>

#include "link/PortEnumeration.h"
#include "shell/PortChoice.h"

class PortList : public QComboBox {
    Q_OBJECT
public:
    explicit PortList(QWidget* parent = nullptr);

    // Rebuilds the items from the devices present, keeping the current choice.
    void Refresh();
    // "COM1" … "COM8" or a device path; empty when nothing is chosen.
    QString CurrentName() const;
    // Chooses the item of a name; a device path not present is kept as an
    // item of its own so that it stays chosen.
    void Choose(const QString& name);

    // Where devices are looked for (the system's folders unless the window
    // was given a tree of its own); other roots fill the list anew.
    void SetDeviceRoots(const Serial::DeviceRoots& roots);

protected:
    void showPopup() override;

private:
    void Fill(const QString& keep);
    std::vector<PortItem> items_;
    Serial::DeviceRoots roots_;
};
