#include "ui/Accessibility.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLabel>
#include <QShortcut>
#include <algorithm>
#include <vector>

namespace {

bool TakesTab(const QWidget* widget)
{
    return (widget->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
}

// The widgets Tab stops at under parent, in reading order.  The children
// go row by row: a row starts at the highest child not yet placed and holds
// the children whose tops lie less than half the lower one's height below
// it (a button a few pixels off its edits' line is on their line), each row
// from left to right.  A child that takes no focus itself stands for the
// widgets inside it, so a group's inputs follow one another.
void AppendInReadingOrder(QWidget* parent, std::vector<QWidget*>& chain)
{
    std::vector<QWidget*> children;
    for (QWidget* child : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->isWindow())
            children.push_back(child);
    std::stable_sort(children.begin(), children.end(), [](const QWidget* a, const QWidget* b) { return a->y() < b->y(); });
    for (auto row = children.begin(); row != children.end();) {
        const QWidget* first = *row;
        const auto end = std::find_if(row, children.end(), [first](const QWidget* w) {
            return w->y() >= first->y() + std::min(first->height(), w->height()) / 2;
        });
        std::stable_sort(row, end, [](const QWidget* a, const QWidget* b) { return a->x() < b->x(); });
        for (auto widget = row; widget != end; ++widget) {
            if (TakesTab(*widget))
                chain.push_back(*widget);
            else
                AppendInReadingOrder(*widget, chain);
        }
        row = end;
    }
}

bool HasOwnLabel(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    for (const QLabel* label : parent->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
        if (label->buddy() == widget)
            return true;
    return false;
}

// Qt 6.4 on Linux names a combo box after its current item and ignores its
// accessible name: screen readers learn what the list is from the label
// whose buddy it is.  A list that has a name but no label on the window
// gets one that is never shown.
void LabelNamedLists(QWidget* root)
{
    for (QComboBox* list : root->findChildren<QComboBox*>()) {
        if (list->accessibleName().isEmpty() || HasOwnLabel(list))
            continue;
        auto* label = new QLabel(list->accessibleName(), list->parentWidget());
        label->setBuddy(list);
        label->hide();
    }
}

}  // namespace

void PrepareForKeyboardAndReaders(QWidget* root)
{
    std::vector<QWidget*> chain;
    AppendInReadingOrder(root, chain);
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
    LabelNamedLists(root);
}

void OfferContextMenusOnShiftF10(QWidget* window)
{
    // The X11 platform turns the menu key into a context menu event itself;
    // Shift+F10 it passes on as a key.
    auto* shortcut = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), window);
    QObject::connect(shortcut, &QShortcut::activated, window, [] {
        QWidget* target = QApplication::focusWidget();
        if (!target)
            return;
        // Where the menu key puts it: at the text cursor, a view's current
        // cell, or the widget's middle.
        const QPoint at = target->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
        QContextMenuEvent event(QContextMenuEvent::Keyboard, at, target->mapToGlobal(at));
        QCoreApplication::sendEvent(target, &event);
    });
}

void AnnounceCurrentCellChanges(QAbstractItemView* view)
{
    // Qt tells readers that a view's data changed, but not that the cell
    // they stand on now says something else.
    QObject::connect(view->model(), &QAbstractItemModel::dataChanged, view,
                     [view](const QModelIndex& topLeft, const QModelIndex& bottomRight) {
                         const QModelIndex current = view->currentIndex();
                         if (!QAccessible::isActive() || !QItemSelectionRange(topLeft, bottomRight).contains(current))
                             return;
                         QAccessibleInterface* table = QAccessible::queryAccessibleInterface(view);
                         QAccessibleTableInterface* cells = table ? table->tableInterface() : nullptr;
                         QAccessibleInterface* cell = cells ? cells->cellAt(current.row(), current.column()) : nullptr;
                         if (!cell)
                             return;
                         QAccessibleEvent event(view, QAccessible::NameChanged);
                         event.setChild(table->indexOfChild(cell));
                         QAccessible::updateAccessibility(&event);
                     });
}

QString CellReading(const QString& place, const QString& value)
{
    return value.isEmpty() ? place : place + QStringLiteral(": ") + value;
}
