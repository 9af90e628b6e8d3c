#include "ui/DirectTab.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "controller/HexPage.h"
#include "controller/PageTransfer.h"
#include "files/AtomicFile.h"
#include "files/DebugTextFile.h"
#include "files/ImageFile.h"
#include "shell/Dialogs.h"
#include "shell/Texts.h"
#include "ui/Accessibility.h"
#include "ui/DrawGrid.h"
#include "ui_DirectTab.h"

namespace {

// The rows are 17 pixels high with the text one pixel down, and a byte's
// two digits get 22 pixels after their indent: 13-pixel characters fit both.
constexpr int FixedPitchPixels = 13;

void ShowLines(QPlainTextEdit* view, const QStringList& lines)
{
    view->setPlainText(lines.join(QLatin1Char('\n')));
    view->moveCursor(QTextCursor::Start);
}

QFont FixedPitchFont()
{
    // Every byte cell and dump column lines up only with a fixed pitch;
    // DejaVu Sans Mono where it is installed, else the system's own.
    QFont font(QStringLiteral("DejaVu Sans Mono"));
    if (!QFontInfo(font).fixedPitch())
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPixelSize(FixedPitchPixels);
    return font;
}

// Holds back a close of the window while a command runs, whoever asks for
// it (the close box, a quit signal, a log-out): the port must stay open
// until the transfer has stopped between two pages, and no message may
// follow.  The window closes when the command has returned.
class CloseDeferral : public QObject {
public:
    explicit CloseDeferral(QWidget* window) : window_(window) { window_->installEventFilter(this); }
    ~CloseDeferral() override
    {
        if (!window_)
            return;
        window_->removeEventFilter(this);
        if (requested_)
            window_->close();
    }
    bool Requested() const { return requested_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        requested_ = true;
        event->ignore();
        return true;
    }

private:
    QPointer<QWidget> window_;
    bool requested_ = false;
};

}  // namespace

DirectTab::DirectTab(const TabContext& context, QWidget* parent)
    : TabPage(parent), ui_(std::make_unique<Ui::DirectTab>()), context_(context)
{
    ui_->setupUi(this);
    for (int page = 0; page < Page::Count; ++page)
        ui_->cbDirectEEPROMPage->addItem(Text::PageCaption(page));
    ui_->cbDirectEEPROMPage->setMaxVisibleItems(Page::Count);

    const QFont fixed = FixedPitchFont();
    DrawGrid* grid = ui_->dgHexEditor;
    grid->setFont(fixed);
    grid->SetShape(HexGrid::Columns, HexGrid::Rows, HexGrid::LabelColumns);
    grid->SetCellSizes(HexGrid::ByteWidth, HexGrid::RowHeight);
    grid->SetColumnWidth(0, HexGrid::LabelWidth);
    grid->SetLines({.vertical = true, .horizontal = false, .fixedVertical = true, .fixedHorizontal = true});
    grid->SetHandlers({
        [this](QPainter& p, const QRect& cell, int column, int row) { dgHexEditorDrawCell(p, cell, column, row); },
        [this](int column, int row) { return dgHexEditorGetEditText(column, row); },
        [this](int column, int row, const QString& text) { dgHexEditorSetEditText(column, row, text); },
        [this](int column, int row) { return dgHexEditorReadCell(column, row); },
    });
    for (QPlainTextEdit* view : {ui_->meDebugInfo, ui_->meDebugInfoExt})
        view->setFont(fixed);

    connect(ui_->rbDirectEEPROM, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            rbDirectClick();
    });
    connect(ui_->rbDirectDebug, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            rbDirectClick();
    });
    connect(ui_->cbDirectDebugType, &QComboBox::activated, this, &DirectTab::rbDirectClick);
    connect(ui_->btDirectBackup, &QPushButton::clicked, this, [this] { RunWholeMemory(&BackupWholeMemory); });
    connect(ui_->btDirectRestore, &QPushButton::clicked, this, [this] { RunWholeMemory(&RestoreWholeMemory); });
    connect(ui_->btDirectCompare, &QPushButton::clicked, this, [this] { RunWholeMemory(&CompareWholeMemory); });
    rbDirectClick();
}

DirectTab::~DirectTab() = default;

DirectMode DirectTab::Mode() const
{
    return DirectModeOf(ui_->rbDirectDebug->isChecked(), ui_->cbDirectDebugType->currentIndex());
}

TabPolicy DirectTab::Policy() const
{
    return DirectModePolicy(Mode()).policy;
}

void DirectTab::Entered()
{
    rbDirectClick();
}

void DirectTab::rbDirectClick()
{
    const DirectModeRow& row = DirectModePolicy(Mode());
    ui_->cbDirectEEPROMPage->setEnabled(row.pageListEnabled);
    ui_->cbDirectDebugType->setEnabled(row.debugTypeEnabled);
    if (row.clearsPageBuffer)
        ShowBuffer(PageBuffer{});
    ui_->dgHexEditor->setVisible(row.gridShown);
    for (auto [view, shown] : {std::pair{ui_->meDebugInfo, row.debugInfoShown},
                               std::pair{ui_->meDebugInfoExt, row.debugInfoExtShown}}) {
        if (shown)
            view->clear();
        view->setVisible(shown);
    }
    emit PolicyChanged();
}

void DirectTab::dgHexEditorDrawCell(QPainter& painter, const QRect& cell, int column, int row)
{
    const QRect text = cell.adjusted(HexGrid::TextIndent(column), HexGrid::TextTop, 0, 0);
    painter.drawText(text, Qt::AlignLeft | Qt::AlignTop, HexGrid::CellText(buffer_, column, row));
}

QString DirectTab::dgHexEditorGetEditText(int column, int row) const
{
    return HexGrid::CellText(buffer_, column, row);
}

void DirectTab::dgHexEditorSetEditText(int column, int row, const QString& text)
{
    // A text that is no byte leaves the byte, and the cell shows it again.
    HexGrid::ApplyCellEdit(buffer_, column, row, text);
    ui_->dgHexEditor->Redraw();
}

QString DirectTab::dgHexEditorReadCell(int column, int row) const
{
    // A byte by its address ("$1F: 4B"), a row label as it stands.
    const QString text = HexGrid::CellText(buffer_, column, row);
    const auto index = HexGrid::ByteIndex(column, row);
    return index ? CellReading(HexGrid::ByteAddress(*index), text) : text;
}

void DirectTab::ShowBuffer(const PageBuffer& bytes)
{
    buffer_ = bytes;
    ui_->dgHexEditor->Redraw();
}

void DirectTab::Read()
{
    if (Mode() == DirectMode::Eeprom)
        ReadPage();
    else
        ReadDebugDump();
}

void DirectTab::ReadPage()
{
    PageBuffer page;
    if (ReadPages(context_.link, ui_->cbDirectEEPROMPage->currentIndex(), page))
        ShowBuffer(page);
}

void DirectTab::ReadDebugDump()
{
    DebugSnapshot snapshot;
    if (!context_.link.Transact(Command::DebugDump, snapshot.data(), Command::DebugDumpLength))
        return;
    if (Mode() == DirectMode::DebugMemory) {
        PageBuffer memory;
        std::copy_n(snapshot.begin(), memory.size(), memory.begin());
        ShowBuffer(memory);
        ShowLines(ui_->meDebugInfoExt, DebugDump::RegisterLines(snapshot));
    } else {
        ShowLines(ui_->meDebugInfo, DebugDump::ProcessedView(snapshot));
    }
}

void DirectTab::Write()
{
    // Whatever page the bytes came from: they go to the page now selected.
    const PageBuffer page = buffer_;
    WritePages(context_.link, ui_->cbDirectEEPROMPage->currentIndex(), page);
}

void DirectTab::Load(const QString& path)
{
    const ImageRead read = ReadImageFile(path, context_.files);
    if (!read.image) {
        context_.dialogs.Error(Text::CannotOpenFile(path, read.error));
        return;
    }
    if (read.image->fit == ImageFit::TooShort)
        context_.dialogs.Warning(Text::ImageTooShort());
    else if (read.image->fit == ImageFit::TooLong)
        context_.dialogs.Warning(Text::ImageTooLong());
    ShowBuffer(read.image->bytes);
}

void DirectTab::Save(const QString& path)
{
    if (Mode() == DirectMode::DebugProcessed)
        SaveFile(path, DebugTextFileBytes(TextLines(ui_->meDebugInfo->toPlainText())));
    else
        SaveFile(path, ImageFileBytes(buffer_));
}

void DirectTab::RunWholeMemory(void (*command)(WholeMemoryContext&))
{
    CloseDeferral deferral(window());
    WholeMemoryContext whole{context_.link, context_.dialogs, context_.files, context_.portName()};
    whole.closing = [&deferral] { return deferral.Requested(); };
    command(whole);
}

void DirectTab::SaveFile(const QString& path, const QByteArray& bytes)
{
    if (const auto failed = ReplaceFile(context_.files, path, bytes))
        context_.dialogs.Error(Text::CannotCreateFile(path, *failed));
}
