// The page buffer as the hex grid shows it: 16 rows of 16 bytes, each row
// led by a label cell with the address of its first byte.  What a cell
// says and what an edit does to the buffer, without any widget.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

#include "link/PageMap.h"

namespace HexGrid {

constexpr int Rows = 16;
constexpr int BytesPerRow = 16;
constexpr int LabelColumns = 1;               // the fixed column of row labels
constexpr int Columns = LabelColumns + BytesPerRow;

// Design sizes in pixels, without the one-pixel line after each cell.
constexpr int LabelWidth = 48;
constexpr int ByteWidth = 27;
constexpr int RowHeight = 17;
constexpr int LineWidth = 1;
// Where a cell's text starts, from the cell's top left corner.
constexpr int LabelIndent = 3;
constexpr int ByteIndent = 5;
constexpr int TextTop = 1;

// "$00:", "$10:" … "$F0:".
QString RowLabel(int row);
// Where a byte lies in the page, "$00" … "$FF": what a screen reader names
// its cell by.
QString ByteAddress(int index);
// Two uppercase hexadecimal digits, "00" … "FF".
QString ByteText(std::uint8_t byte);

// The byte a cell shows; empty for the label column and outside the grid.
std::optional<int> ByteIndex(int column, int row);
// The label of a label cell, the byte text of a byte cell.
QString CellText(const PageBuffer& buffer, int column, int row);
int TextIndent(int column);

// The byte an edited cell text stands for: exactly two hexadecimal digits
// of either case.  Anything else (one digit, three, a blank, a letter past
// F) stands for nothing and leaves the byte as it was.
std::optional<std::uint8_t> ParseCellEdit(QStringView text);

// Stores an edit into the buffer; false (and nothing changed) when the text
// is not a byte or the cell holds none.
bool ApplyCellEdit(PageBuffer& buffer, int column, int row, QStringView text);

}  // namespace HexGrid
