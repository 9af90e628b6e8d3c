#include "ui/LogsTab.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <QTableView>
#include <algorithm>

#include "files/LogCsv.h"
#include "link/Transaction.h"
#include "shell/Dialogs.h"
#include "shell/Texts.h"
#include "ui_LogsTab.h"

namespace {

constexpr int ColumnWidth = 60;
constexpr int BoilerColumnWidth = 100;
constexpr int RowHeight = 16;

}  // namespace

LogsTab::LogsTab(const TabContext& context, QWidget* parent)
    : TabPage(parent),
      ui_(std::make_unique<Ui::LogsTab>()),
      context_(context),
      now_([] { return QDateTime::currentDateTime(); })
{
    ui_->setupUi(this);
    gridBottomGap_ = height() - (ui_->sgLogs->geometry().bottom() + 1);

    QTableView* grid = ui_->sgLogs;
    grid->setModel(&model_);
    QHeaderView* columns = grid->horizontalHeader();
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setDefaultSectionSize(ColumnWidth);
    columns->resizeSection(Logs::BoilerColumn, BoilerColumnWidth);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QHeaderView* rows = grid->verticalHeader();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(RowHeight);
    rows->setDefaultSectionSize(RowHeight);
    // As a fresh grid does: the first hour is selected, so a copy always
    // has a row to take.
    grid->setCurrentIndex(model_.index(0, Logs::FirstValueColumn));

    connect(ui_->btLogsCopy, &QPushButton::clicked, this, &LogsTab::btLogsCopyClick);
}

LogsTab::~LogsTab() = default;

TabPolicy LogsTab::Policy() const
{
    return Policy::LogsTab();
}

void LogsTab::resizeEvent(QResizeEvent* event)
{
    TabPage::resizeEvent(event);
    QRect grid = ui_->sgLogs->geometry();
    grid.setBottom(event->size().height() - gridBottomGap_ - 1);
    ui_->sgLogs->setGeometry(grid);
}

void LogsTab::Entered()
{
    model_.SetHeadings();
    model_.SetTimeLabels(now_());
}

void LogsTab::Read()
{
    model_.SetTimeLabels(now_());
    PageBuffer page;
    if (!context_.link.ReadPage(Page::Constants, page))
        return;
    const LogLayout layout = DecodeLogLayout(page);
    for (int column = Logs::FirstValueColumn; column <= Logs::BoilerColumn; ++column) {
        if (!context_.link.ReadPage(Logs::RingPage(column), page))
            return;
        model_.SetColumn(column, page, layout);
    }
    ui_->sgLogs->scrollToBottom();
}

void LogsTab::Save(const QString& path)
{
    if (const auto reason = SaveLogCsv(path, model_.Table(), context_.files))
        context_.dialogs.Error(Text::CannotCreateFile(QDir::toNativeSeparators(path), *reason));
}

void LogsTab::btLogsCopyClick()
{
    const QItemSelection selection = ui_->sgLogs->selectionModel()->selection();
    if (selection.isEmpty())
        return;
    int first = Logs::Hours, last = -1;
    for (const QItemSelectionRange& range : selection) {
        first = std::min(first, range.top());
        last = std::max(last, range.bottom());
    }
    QGuiApplication::clipboard()->setText(
        model_.Table().ClipboardText(LogTableModel::TableRow(first), LogTableModel::TableRow(last)));
}
