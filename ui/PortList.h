// The port list `cbComPort`: "COM1" … "COM8", then the serial devices
// present.  It looks for devices afresh each time it opens, so an adapter
// plugged in while the program runs appears.
#pragma once

#include <QComboBox>
#include <string>
#include <vector>

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

    // Where devices are looked for; tests hand in a tree of their own.
    static void SetSystemRoots(std::string sys, std::string dev);

protected:
    void showPopup() override;

private:
    void Fill(const QString& keep);
    std::vector<PortItem> items_;
};
