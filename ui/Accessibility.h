// What makes the window usable from the keyboard alone and by a screen
// reader, done once for every page instead of widget by widget: Tab walks a
// page as it is laid out, a list named only for screen readers gets a label
// they find, Shift+F10 opens a context menu as the menu key does, and a
// grid's current cell is spoken again when its contents change.
#pragma once

#include <QString>

class QAbstractItemView;
class QWidget;

// Run once the widgets under root are built: orders Tab through them in
// reading order (left to right, then top to bottom, a group's inputs
// together) and labels the lists among them that have an accessible name
// but no label.
void PrepareForKeyboardAndReaders(QWidget* root);

// Shift+F10 anywhere in the window opens the focused widget's context menu.
void OfferContextMenusOnShiftF10(QWidget* window);

// After a change of the view's current cell (a state cycled, an edit
// stored) screen readers say the cell again.
void AnnounceCurrentCellChanges(QAbstractItemView* view);

// A cell as screen readers name it: where it lies, then what it holds,
// "Středa 6:15 hod: T 21 °C".
QString CellReading(const QString& place, const QString& value);
