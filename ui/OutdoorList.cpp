#include "ui/OutdoorList.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>
#include <array>
#include <functional>

#include "ui/Accessibility.h"

namespace {

constexpr int KeyColumn = 0, ValueColumn = 1;
constexpr int KeyWidth = 50, ValueWidth = 72, RowHeight = 16;
// The name of a value's row, without the value: the editor's name.
constexpr int RowNameRole = Qt::UserRole;

// Hands every typed character to the model at once, not only when the
// editor closes.
class LiveEditDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);  // a framed edit does not fit a 16-pixel row
        // The editor opens on every move, so it is what screen readers meet.
        editor->setAccessibleName(index.data(RowNameRole).toString());
        auto* self = const_cast<LiveEditDelegate*>(this);
        connect(editor, &QLineEdit::textEdited, self, [self, editor] { emit self->commitData(editor); });
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        // The view refreshes the editor after each commit of its own; setting
        // the same text again would throw the cursor to the end.
        auto* edit = static_cast<QLineEdit*>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        if (edit->text() != text)
            edit->setText(text);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        model->setData(index, static_cast<QLineEdit*>(editor)->text());
    }
};

}  // namespace

class OutdoorTableModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    OutdoorTable table;
    std::array<QString, 2> titles;
    std::array<QString, OutdoorTable::RowCount> rowNames;
    std::function<void()> changed;

    int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : OutdoorTable::RowCount; }
    int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }

    QVariant data(const QModelIndex& index, int role) const override
    {
        if (!index.isValid())
            return {};
        const bool key = index.column() == KeyColumn;
        switch (role) {
        case Qt::DisplayRole:
        case Qt::EditRole: return key ? OutdoorTable::Key(index.row()) : table.Value(index.row());
        case RowNameRole: return rowNames[std::size_t(index.row())];
        case Qt::AccessibleTextRole:
            return key ? QVariant() : CellReading(rowNames[std::size_t(index.row())], table.Value(index.row()));
        default: return {};
        }
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override
    {
        if (!index.isValid())
            return Qt::NoItemFlags;
        if (index.column() == KeyColumn)
            return Qt::ItemIsEnabled;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override
    {
        if (!index.isValid() || index.column() != ValueColumn || role != Qt::EditRole)
            return false;
        const QString text = value.toString();
        if (text == table.Value(index.row()))
            return true;
        table.SetValue(index.row(), text);
        emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
        changed();
        return true;
    }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override
    {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 2)
            return titles[std::size_t(section)];
        return QAbstractTableModel::headerData(section, orientation, role);
    }

    void Replace(const OutdoorTable& rows)
    {
        beginResetModel();
        table = rows;
        endResetModel();
        changed();
    }

    void ShowPage(const OutdoorPage& page)
    {
        titles = {FieldWord(page.keyTitle), FieldWord(page.valueTitle)};
        emit headerDataChanged(Qt::Horizontal, KeyColumn, ValueColumn);
        for (const FieldSpec& row : page.fields)
            if (row.kind == RowKind::OutdoorRow)
                rowNames[std::size_t(row.index)] = row.AccessibleName();
    }
};

OutdoorList::OutdoorList(QWidget* parent) : GridView(parent), model_(new OutdoorTableModel(this))
{
    model_->changed = [this] { emit Changed(); };
    setModel(model_);
    setItemDelegate(new LiveEditDelegate(this));

    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(RowHeight);
    verticalHeader()->setDefaultSectionSize(RowHeight);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    setColumnWidth(KeyColumn, KeyWidth);
    setColumnWidth(ValueColumn, ValueWidth);

    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::AllEditTriggers);
    setWordWrap(false);
}

const OutdoorTable& OutdoorList::Table() const
{
    return model_->table;
}

void OutdoorList::SetTable(const OutdoorTable& table)
{
    model_->Replace(table);
}

void OutdoorList::ShowPage(const OutdoorPage& page)
{
    model_->ShowPage(page);
}

void OutdoorList::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    GridView::currentChanged(current, previous);
    if (current.isValid() && current.column() == KeyColumn)
        setCurrentIndex(current.siblingAtColumn(ValueColumn));
}
