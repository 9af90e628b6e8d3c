#include "ui/GridView.h"

GridView::GridView(QWidget* parent) : QTableView(parent)
{
    setTabKeyNavigation(false);
}

void GridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    // Tab and Shift+Tab in an editor: the delegate has stored the edit.
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    const bool leave = next || hint == QAbstractItemDelegate::EditPreviousItem;
    QTableView::closeEditor(editor, leave ? QAbstractItemDelegate::NoHint : hint);
    if (leave)
        focusNextPrevChild(next);
}
