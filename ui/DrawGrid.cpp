#include "ui/DrawGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyledItemDelegate>

#include "ui/Accessibility.h"

namespace {

constexpr int LineWidth = 1;

}  // namespace

class DrawGrid::Model : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : columns; }

    // The owner paints; the model only says where editing is allowed and
    // carries the editor's text to and from the owner, and the cell's
    // reading to screen readers.
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        if (role == Qt::EditRole && Editable())
            return handlers.getEditText(index.column(), index.row());
        if (role == Qt::AccessibleTextRole && handlers.readCell)
            return handlers.readCell(index.column(), index.row());
        return {};
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (role != Qt::EditRole || !Editable() || !index.isValid() || index.column() < fixedColumns)
            return false;
        handlers.setEditText(index.column(), index.row(), value.toString());
        emit dataChanged(index, index);
        return true;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        if (index.column() < fixedColumns)
            return Qt::ItemIsEnabled;
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (Editable())
            flags |= Qt::ItemIsEditable;
        return flags;
    }

    bool Editable() const { return handlers.getEditText && handlers.setEditText; }

    void Reshape(int newColumns, int newRows, int newFixed)
    {
        beginResetModel();
        columns = newColumns;
        rows = newRows;
        fixedColumns = newFixed;
        endResetModel();
    }

    int columns = 0, rows = 0, fixedColumns = 0;
    Handlers handlers;
};

class DrawGrid::Delegate : public QStyledItemDelegate {
public:
    explicit Delegate(DrawGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool fixed = index.column() < grid_->model_->fixedColumns;
        const bool selected = !fixed && option.state.testFlag(QStyle::State_Selected);
        const QPalette& palette = option.palette;
        const QRect cell = option.rect.adjusted(0, 0, -LineWidth, -LineWidth);

        painter->save();
        painter->fillRect(option.rect, palette.base());
        painter->fillRect(cell, fixed ? palette.button() : selected ? palette.highlight() : palette.base());
        painter->setFont(grid_->font());
        painter->setPen(fixed ? palette.buttonText().color()
                              : selected ? palette.highlightedText().color() : palette.text().color());
        if (grid_->model_->handlers.drawCell)
            grid_->model_->handlers.drawCell(*painter, cell, index.column(), index.row());

        const Lines& lines = grid_->lines_;
        painter->setPen(palette.mid().color());
        if (fixed ? lines.fixedVertical : lines.vertical)
            painter->drawLine(cell.right() + 1, option.rect.top(), cell.right() + 1, option.rect.bottom());
        if (fixed ? lines.fixedHorizontal : lines.horizontal)
            painter->drawLine(option.rect.left(), cell.bottom() + 1, option.rect.right(), cell.bottom() + 1);
        painter->restore();
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        editor->setFont(grid_->font());
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        static_cast<QLineEdit*>(editor)->setText(index.data(Qt::EditRole).toString());
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        model->setData(index, static_cast<QLineEdit*>(editor)->text(), Qt::EditRole);
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option, const QModelIndex&) const override
    {
        editor->setGeometry(option.rect.adjusted(0, 0, -LineWidth, -LineWidth));
    }

private:
    DrawGrid* grid_;
};

DrawGrid::DrawGrid(QWidget* parent) : GridView(parent), model_(new Model(this))
{
    setModel(model_);
    setItemDelegate(new Delegate(this));
    setShowGrid(false);  // the delegate draws the lines that are wanted
    horizontalHeader()->hide();
    verticalHeader()->hide();
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()}) {
        header->setMinimumSectionSize(1);
        header->setSectionResizeMode(QHeaderView::Fixed);
    }
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAutoScroll(false);
    setCornerButtonEnabled(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    AnnounceCurrentCellChanges(this);
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked);
    // The sunken two-pixel border of a classic grid, whatever the style.
    setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
}

DrawGrid::~DrawGrid() = default;

void DrawGrid::SetShape(int columns, int rows, int fixedColumns)
{
    model_->Reshape(columns, rows, fixedColumns);
    if (fixedColumns < columns && rows > 0)
        setCurrentIndex(model_->index(0, fixedColumns));
}

void DrawGrid::SetCellSizes(int defaultWidth, int rowHeight)
{
    horizontalHeader()->setDefaultSectionSize(defaultWidth + LineWidth);
    verticalHeader()->setDefaultSectionSize(rowHeight + LineWidth);
    for (int column = 0; column < model_->columns; ++column)
        horizontalHeader()->resizeSection(column, defaultWidth + LineWidth);
    for (int row = 0; row < model_->rows; ++row)
        verticalHeader()->resizeSection(row, rowHeight + LineWidth);
}

void DrawGrid::SetColumnWidth(int column, int width)
{
    horizontalHeader()->resizeSection(column, width + LineWidth);
}

void DrawGrid::SetLines(Lines lines)
{
    lines_ = lines;
    viewport()->update();
}

void DrawGrid::SetHandlers(Handlers handlers)
{
    model_->handlers = std::move(handlers);
    viewport()->update();
}

int DrawGrid::FixedColumns() const
{
    return model_->fixedColumns;
}

QRect DrawGrid::CellRect(int column, int row) const
{
    return visualRect(model_->index(row, column)).adjusted(0, 0, -LineWidth, -LineWidth);
}

void DrawGrid::Redraw()
{
    viewport()->update();
}

void DrawGrid::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && state() != EditingState && edit(currentIndex(), EditKeyPressed, event))
        return;
    GridView::keyPressEvent(event);
}

QModelIndex DrawGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex next = GridView::moveCursor(action, modifiers);
    if (next.isValid() && next.column() < model_->fixedColumns && model_->fixedColumns < model_->columns)
        return next.siblingAtColumn(model_->fixedColumns);
    return next;
}
