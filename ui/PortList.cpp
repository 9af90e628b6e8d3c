#include "ui/PortList.h"

#include <QAbstractItemView>

PortList::PortList(QWidget* parent) : QComboBox(parent)
{
    // The labels of adapters are longer than the list is wide; the open
    // list shows them whole.
    view()->setMinimumWidth(260);
    Fill({});
}

void PortList::SetDeviceRoots(const Serial::DeviceRoots& roots)
{
    if (roots == roots_)
        return;
    roots_ = roots;
    Refresh();
}

void PortList::Fill(const QString& keep)
{
    items_ = PortItems(Serial::EnumeratePorts(roots_.sys, roots_.dev), keep.startsWith(u'/') ? keep : QString());
    const QSignalBlocker quiet(this);  // a refresh is no choice of the user's
    clear();
    for (const PortItem& item : items_) {
        addItem(item.label, item.name);
        setItemData(count() - 1, item.name, Qt::ToolTipRole);
    }
    setCurrentIndex(IndexOfPort(items_, keep));
}

void PortList::Refresh()
{
    Fill(CurrentName());
}

QString PortList::CurrentName() const
{
    const int i = currentIndex();
    return i >= 0 && i < int(items_.size()) ? items_[std::size_t(i)].name : QString();
}

void PortList::Choose(const QString& name)
{
    if (IndexOfPort(items_, name) < 0)
        Fill(name);
    setCurrentIndex(IndexOfPort(items_, name));
}

void PortList::showPopup()
{
    Refresh();
    QComboBox::showPopup();
}
