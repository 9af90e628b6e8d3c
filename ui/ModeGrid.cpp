#include "ui/ModeGrid.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "ui/Accessibility.h"
#include "ui/QtColour.h"

namespace {

// Where the texts of a cell start, from its top-left corner.
constexpr QPoint SlotLabelAt(8, 2);
constexpr QPoint LetterAt(5, 2);
constexpr QPoint ShownTextAt(22, 2);
// The shown text is clipped to the cell without this strip, so a long text
// never covers the letter.
constexpr int LetterStrip = 20;

// A text whose top-left corner is at `at`, cut at the cell's right and
// bottom edge.
void DrawText(QPainter& painter, const QRect& cell, QPoint at, const QString& text)
{
    const QRect box(cell.topLeft() + at, cell.bottomRight());
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

// A fixed cell: the button colour, the grid's lines at its right and bottom
// edge (a section includes them, as a data cell of the table does), and its
// text with the top-left corner at `at`.
void PaintFixedCell(QPainter& painter, const QRect& section, const QPalette& palette, const QColor& line,
                    const QString& text, QPoint at)
{
    const QRect cell = section.adjusted(0, 0, -ModeGrid::GridLine, -ModeGrid::GridLine);
    painter.save();
    painter.fillRect(cell, palette.button());
    painter.setPen(line);
    painter.drawLine(section.topRight(), section.bottomRight());
    painter.drawLine(section.bottomLeft(), section.bottomRight());
    if (!text.isEmpty()) {
        painter.setPen(palette.color(QPalette::ButtonText));
        painter.setClipRect(cell, Qt::IntersectClip);
        DrawText(painter, cell, at, text);
    }
    painter.restore();
}

// The fixed row (day names) and the fixed column (slot starts).
class FixedCells : public QHeaderView {
public:
    FixedCells(Qt::Orientation orientation, ModeGrid* grid) : QHeaderView(orientation, grid), grid_(grid)
    {
        setSectionsClickable(false);
        setHighlightSections(false);
        setMinimumSectionSize(1);
        setSectionResizeMode(QHeaderView::Fixed);
        setDefaultSectionSize(orientation == Qt::Horizontal ? ModeGrid::ColumnWidth + ModeGrid::GridLine
                                                            : ModeGrid::RowHeight + ModeGrid::GridLine);
    }

    // The fixed column is as wide as a day, the fixed row as high as a slot,
    // whatever the texts would ask for.
    QSize sizeHint() const override
    {
        const int across = orientation() == Qt::Horizontal ? ModeGrid::RowHeight : ModeGrid::ColumnWidth;
        const int size = across + ModeGrid::GridLine;
        return orientation() == Qt::Horizontal ? QSize(length(), size) : QSize(size, length());
    }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override
    {
        const QString text = model()->headerData(logicalIndex, orientation(), Qt::DisplayRole).toString();
        PaintFixedCell(*painter, rect, palette(), grid_->GridLineColour(), text,
                       orientation() == Qt::Horizontal ? ModeGrid::DayNameAt : SlotLabelAt);
    }

private:
    ModeGrid* grid_;
};

class CellPainter : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const ModeCell cell{std::uint8_t(index.data(ModeGridModel::CellRole).toUInt())};
        const QRect& rect = option.rect;
        painter->save();
        painter->setClipRect(rect, Qt::IntersectClip);
        if (const auto fill = CellColour(cell)) {
            painter->fillRect(rect, ToQColor(*fill));
            // The fills are light whatever the desktop's colours: black text.
            painter->setPen(Qt::black);
            QFont bold = option.font;
            bold.setBold(true);
            painter->setFont(bold);
            DrawText(*painter, rect, LetterAt, CellLetter(cell));
            painter->setFont(option.font);
            painter->setClipRect(rect.adjusted(LetterStrip, 0, 0, 0), Qt::IntersectClip);
            DrawText(*painter, rect, ShownTextAt, CellDisplayText(cell));
        }
        painter->restore();
        if (option.state & QStyle::State_HasFocus) {
            // Where typing goes.
            QStyleOptionFocusRect focus;
            focus.initFrom(option.widget);
            focus.rect = rect.adjusted(1, 1, -1, -1);
            focus.backgroundColor = Qt::black;
            option.widget->style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, option.widget);
        }
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        return editor;
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        // An editor closed without a change stores nothing: an off cell's
        // editor starts empty, and storing that would clear the value the
        // cell keeps unseen.
        auto* edit = static_cast<QLineEdit*>(editor);
        if (edit->isModified())
            model->setData(index, edit->text(), Qt::EditRole);
    }
};

}  // namespace

ModeGridModel::ModeGridModel(ModeProgram& program, QObject* parent) : QAbstractTableModel(parent), program_(program) {}

int ModeGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ModeProgram::Slots;
}

int ModeGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ModeProgram::Days;
}

QVariant ModeGridModel::data(const QModelIndex& index, int role) const
{
    // The run of cells as the program's table describes it, with the names
    // and texts the compare gives them too.
    static const FieldSpec& cells = *FindField(ModeProgramTable, u"Data");
    const ModeCell cell = program_.Cell(index.column(), index.row());
    switch (role) {
    case CellRole: return unsigned(cell.bits);
    case Qt::DisplayRole: return CellDisplayText(cell);
    case Qt::EditRole: return CellEditText(program_, index.column(), index.row());
    case Qt::AccessibleTextRole:
        return CellReading(cells.elementName(index.column() * ModeProgram::Slots + index.row()), cells.text(cell.bits));
    default: return {};
    }
}

QVariant ModeGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    return orientation == Qt::Horizontal ? ModeDayName(section) : ModeSlotLabel(section);
}

Qt::ItemFlags ModeGridModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable : Qt::NoItemFlags;
}

bool ModeGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::EditRole || !index.isValid())
        return false;
    ApplyCellEditText(program_, index.column(), index.row(), value.toString());
    emit dataChanged(index, index);
    return true;
}

void ModeGridModel::Cycle(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    CycleCellState(program_, index.column(), index.row());
    emit dataChanged(index, index);
}

void ModeGridModel::ProgramReplaced()
{
    emit dataChanged(index(0, 0), index(ModeProgram::Slots - 1, ModeProgram::Days - 1));
}

ModeGrid::ModeGrid(QWidget* parent) : GridView(parent)
{
    setHorizontalHeader(new FixedCells(Qt::Horizontal, this));
    setVerticalHeader(new FixedCells(Qt::Vertical, this));
    setItemDelegate(new CellPainter(this));
    setCornerButtonEnabled(false);
    setWordWrap(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Rows follow the thumb and the wheel pixel by pixel.
    setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    verticalScrollBar()->setTracking(true);
    // The editor opens on demand only: typing or F2, never a double click.
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed);
    // One current cell, no highlighted range: the fills always show the states.
    setSelectionMode(QAbstractItemView::NoSelection);
    // The corner cell is a blank fixed cell, painted like the others.
    if (auto* corner = findChild<QAbstractButton*>(QString(), Qt::FindDirectChildrenOnly)) {
        corner_ = corner;
        corner_->installEventFilter(this);
    }
}

bool ModeGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == corner_ && event->type() == QEvent::Paint) {
        QPainter painter(corner_);
        PaintFixedCell(painter, corner_->rect(), palette(), GridLineColour(), {}, {});
        return true;
    }
    return GridView::eventFilter(watched, event);
}

void ModeGrid::SetProgram(ModeProgram& program)
{
    model_ = new ModeGridModel(program, this);
    setModel(model_);
    setCurrentIndex(model_->index(0, 0));
    AnnounceCurrentCellChanges(this);
}

void ModeGrid::ProgramReplaced()
{
    if (model_)
        model_->ProgramReplaced();
}

QColor ModeGrid::GridLineColour() const
{
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    return QColor::fromRgba(QRgb(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this)));
}

void ModeGrid::keyPressEvent(QKeyEvent* event)
{
    // Caught before the view takes Space as a key that opens the editor.
    if (event->key() == Qt::Key_Space && event->modifiers() == Qt::NoModifier && model_) {
        model_->Cycle(currentIndex());
        event->accept();
        return;
    }
    GridView::keyPressEvent(event);
}

void ModeGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        GridView::mousePressEvent(event);
        return;
    }
    // Outside the data cells indexAt gives no index and nothing changes.
    if (model_)
        model_->Cycle(indexAt(event->position().toPoint()));
    event->accept();
}

void ModeGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::RightButton)
        event->accept();
    else
        GridView::mouseReleaseEvent(event);
}

void ModeGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The second click of a quick pair cycles again, as a second press does.
    if (event->button() == Qt::RightButton)
        mousePressEvent(event);
    else
        GridView::mouseDoubleClickEvent(event);
}
