#include "ui/MainUnit.h"

#include <QCloseEvent>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

#include "link/Serial.h"
#include "ui/QtDialogs.h"
#include "ui/ResetInfo.h"
#include "ui/TabPolicy.h"
#include "ui_MainUnit.h"

namespace {

// The busy indicator and the window speak of cursors as numbers; the
// screen's cursor is Qt's override cursor.
constexpr int OtherCursorBase = 1000;

int CurrentCursor()
{
    const QCursor* cursor = QGuiApplication::overrideCursor();
    if (!cursor)
        return Cursor::Default;
    if (cursor->shape() == Qt::WaitCursor)
        return Cursor::Hourglass;
    return OtherCursorBase + cursor->shape();
}

// Brings the override stack to show exactly the given cursor, whatever was
// pushed before: a cursor handed back must not leave a stale one below it.
void SetCursor(int cursor)
{
    if (cursor == Cursor::Default) {
        while (QGuiApplication::overrideCursor())
            QGuiApplication::restoreOverrideCursor();
        return;
    }
    const auto shape = cursor == Cursor::Hourglass ? Qt::WaitCursor : static_cast<Qt::CursorShape>(cursor - OtherCursorBase);
    if (QGuiApplication::overrideCursor())
        QGuiApplication::changeOverrideCursor(QCursor(shape));
    else
        QGuiApplication::setOverrideCursor(QCursor(shape));
}

}  // namespace

TMainForm::TMainForm(Dialogs* service, QWidget* parent)
    : QWidget(parent),
      ui(std::make_unique<Ui::TMainForm>()),
      ownDialogs(service ? nullptr : std::make_unique<QtDialogs>(this)),
      dialogs(service ? *service : *ownDialogs),
      link(WindowServices{
          CurrentCursor,
          SetCursor,
          [this] { tiClock.stop(); },
          [this](const std::string& text) { dialogs.Error(QString::fromStdString(text)); },
      })
{
    ui->setupUi(this);
    // Fixed size, minimize box but no maximize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(695, 534);

    tiClock.setObjectName(QStringLiteral("tiClock"));
    tiClock.setInterval(1000);
    OpenDialog.filter = QString::fromUtf8(FileFilter::Image);

    connect(ui->cbComPort, &QComboBox::activated, this, &TMainForm::cbComPortChange);
    connect(ui->PageControl, &QTabWidget::currentChanged, this, &TMainForm::PageControlChange);
    connect(ui->btRead, &QPushButton::clicked, this, &TMainForm::btReadClick);
    connect(ui->btWrite, &QPushButton::clicked, this, &TMainForm::btWriteClick);
    connect(ui->btLoad, &QPushButton::clicked, this, &TMainForm::btLoadClick);
    connect(ui->btSave, &QPushButton::clicked, this, &TMainForm::btSaveClick);
    connect(ui->btReset, &QPushButton::clicked, this, &TMainForm::btResetClick);
    connect(ui->btInfo, &QPushButton::clicked, this, &TMainForm::btInfoClick);
    connect(&tiClock, &QTimer::timeout, this, &TMainForm::tiClockTimer);

    SetUpConstTab();
    FormCreate();
}

TMainForm::~TMainForm()
{
    // A window destroyed without being closed must not leave the port open
    // behind it.
    if (!closed)
        Serial::ClosePort();
}

void TMainForm::FormCreate()
{
    const StoredSettings settings = ReadStoredSettings();
    Serial::SetPortMap(ReadPortMap());
    ApplyStoredSettings(settings);
    // Runs before the window is first shown, so a port failure is reported
    // before the window appears.
    cbComPortChange();
    ui->PageControl->setCurrentWidget(ui->tsConst);
    PageControlChange();

    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
}

void TMainForm::closeEvent(QCloseEvent* event)
{
    FormClose();
    event->accept();
}

void TMainForm::FormClose()
{
    if (closed)
        return;
    closed = true;
    tiClock.stop();
    Serial::ClosePort();
    // A store that cannot be written is reported once; closing goes on.
    if (const auto failed = WriteStoredSettings(CollectStoredValues()))
        dialogs.Error(StoreFailureText(*failed));
}

void TMainForm::ApplyStoredSettings(const StoredSettings& settings)
{
    storedSettings = settings;
    ui->cbComPort->setCurrentIndex(settings.ComPort);
}

StoredValues TMainForm::CollectStoredValues() const
{
    StoredValues values = StoredValuesOf(storedSettings);
    values.back().text = QString::number(ui->cbComPort->currentIndex());
    return values;
}

void TMainForm::cbComPortChange()
{
    Serial::ClosePort();
    // With no item chosen the text is empty, and so is the name reported.
    const QString name = ui->cbComPort->currentText();
    if (!Serial::OpenPort(name.toStdString(), 9600))
        dialogs.Error(QStringLiteral("Nelze otevřít port ") + name);
}

Tab TMainForm::ActiveTab() const
{
    const QWidget* page = ui->PageControl->currentWidget();
    return page ? TabFromName(page->objectName()) : Tab::None;
}

void TMainForm::PageControlChange()
{
    tiClock.stop();
    lastStatusMinute = 0xFF;
    ApplyPolicy(ActiveTab());
}

void TMainForm::ApplyPolicy(Tab tab)
{
    const TabPolicy policy = PolicyFor(tab);
    ui->btRead->setEnabled(policy.read);
    ui->btWrite->setEnabled(policy.write);
    ui->btLoad->setEnabled(policy.load);
    ui->btSave->setEnabled(policy.save);
    if (policy.openFilter)
        OpenDialog.filter = *policy.openFilter;
    if (policy.saveDialog)
        SaveDialog = *policy.saveDialog;
    if (policy.statusTimer)
        tiClock.start();
}

void TMainForm::tiClockTimer()
{
    // The once-a-second status poll of the tab "Hodiny + čidla" runs here.
}

void TMainForm::btReadClick()
{
    RunAction(RouteFor(ActiveTab(), CommonButton::Read));
}

void TMainForm::btWriteClick()
{
    // Asked before the tab is looked at: every write is confirmed.
    if (!dialogs.Question(QStringLiteral("Opravdu zapsat?")))
        return;
    RunAction(RouteFor(ActiveTab(), CommonButton::Write));
}

void TMainForm::btLoadClick()
{
    RunAction(RouteFor(ActiveTab(), CommonButton::Load));
}

void TMainForm::btSaveClick()
{
    RunAction(RouteFor(ActiveTab(), CommonButton::Save));
}

void TMainForm::RunAction(TabAction action)
{
    if (OpensFile(action)) {
        const QString fileName = dialogs.OpenFileName({OpenDialog.filter, {}});
        if (!fileName.isEmpty())
            LoadFile(action, fileName);
        return;
    }
    if (SavesFile(action)) {
        const QString fileName = dialogs.SaveFileName(SaveDialog);
        if (!fileName.isEmpty())
            SaveFile(action, fileName);
        return;
    }
    switch (action) {
    case TabAction::ReadConstants: ReadConstantsTab(); break;
    case TabAction::WriteConstants: WriteConstantsTab(); break;
    default:
        // The transfers of the other tabs come with their widgets.
        break;
    }
}

// Files chosen in the dialogs go on from here, by the action that asked for
// them: the parameter file to the active settings tab's sections, the log
// CSV, the page image and the debug text.
void TMainForm::LoadFile(TabAction action, const QString& fileName)
{
    Q_UNUSED(action);
    Q_UNUSED(fileName);
}

void TMainForm::SaveFile(TabAction action, const QString& fileName)
{
    Q_UNUSED(action);
    Q_UNUSED(fileName);
}

void TMainForm::btResetClick()
{
    if (dialogs.Question(QStringLiteral("Opravdu resetovat?")))
        SendReset(link);
}

void TMainForm::btInfoClick()
{
    if (const auto text = ReadInfo(link))
        dialogs.Information(*text);
}
