#include "ui/LogsTab.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QResizeEvent>
#include <QTableView>
#include <algorithm>

#include "controller/LogTexts.h"
#include "files/LogCsv.h"
#include "link/Transaction.h"
#include "shell/Dialogs.h"
#include "shell/Texts.h"
#include "ui/ChartImageFile.h"
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
      model_(context.logs),
      now_([] { return QDateTime::currentDateTime(); })
{
    ui_->setupUi(this);
    bottomGap_ = height() - (ui_->sgLogs->geometry().bottom() + 1);

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
    connect(grid->selectionModel(), &QItemSelectionModel::selectionChanged, this, &LogsTab::sgLogsSelectionChange);
    // As a fresh grid does: the first hour is selected, so a copy always
    // has a row to take.
    grid->setCurrentIndex(model_.index(0, Logs::FirstValueColumn));

    LogChartImage* chart = ui_->imLogsChart;
    chart->ShowLogs(context_.logs);
    connect(chart, &LogChartImage::HoursPicked, this, &LogsTab::imLogsChartHoursPicked);
    auto* save = new QAction(LogText::SaveChartEntry(), chart);
    save->setObjectName(QStringLiteral("acSaveChart"));
    chart->addAction(save);
    connect(save, &QAction::triggered, this, &LogsTab::acSaveChartClick);

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
    for (QWidget* widget : {static_cast<QWidget*>(ui_->sgLogs), static_cast<QWidget*>(ui_->imLogsChart)}) {
        QRect area = widget->geometry();
        area.setBottom(event->size().height() - bottomGap_ - 1);
        widget->setGeometry(area);
    }
}

void LogsTab::Entered()
{
    context_.logs.SetNow(now_());
}

void LogsTab::Read()
{
    HourlyLogs& logs = context_.logs;
    logs.StartRead(now_());
    PageBuffer page;
    if (!context_.link.ReadPage(Page::Constants, page))
        return;
    const LogLayout layout = DecodeLogLayout(page);
    for (int column = Logs::FirstValueColumn; column <= Logs::BoilerColumn; ++column) {
        if (!context_.link.ReadPage(Logs::RingPage(column), page))
            return;
        logs.SetColumn(column, page, layout);
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

void LogsTab::sgLogsSelectionChange()
{
    LogChartImage::RowRanges ranges;
    for (const QItemSelectionRange& range : ui_->sgLogs->selectionModel()->selection())
        ranges.emplace_back(LogTableModel::TableRow(range.top()), LogTableModel::TableRow(range.bottom()));
    ui_->imLogsChart->Mark(std::move(ranges));
}

void LogsTab::imLogsChartHoursPicked(int anchorRow, int row)
{
    auto index = [this](int tableRow, int column) { return model_.index(LogTableModel::ModelRow(tableRow), column); };
    QItemSelectionModel* selection = ui_->sgLogs->selectionModel();
    selection->select(QItemSelection(index(std::min(anchorRow, row), Logs::FirstValueColumn),
                                     index(std::max(anchorRow, row), Logs::BoilerColumn)),
                      QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    selection->setCurrentIndex(index(row, Logs::FirstValueColumn), QItemSelectionModel::NoUpdate);
    ui_->sgLogs->scrollTo(index(row, Logs::FirstValueColumn));
}

void LogsTab::acSaveChartClick()
{
    const QString path =
        context_.dialogs.SaveFileName({Text::Filter::ChartImage(), QStringLiteral("png")});
    if (path.isEmpty())
        return;
    LogChartImage* chart = ui_->imLogsChart;
    if (SaveChartImage(context_.files, path, chart->size(), [chart](QPainter& painter) { chart->Paint(painter); }))
        context_.dialogs.Error(Text::UnableToWrite(path));
}
