#include "ui/MainUnit.h"

#include <QCloseEvent>
#include <QScreen>

#include "link/Serial.h"
#include "shell/PortChoice.h"
#include "shell/ResetInfo.h"
#include "shell/StoredSettings.h"
#include "shell/Texts.h"
#include "ui/Accessibility.h"
#include "ui/QtDialogs.h"
#include "ui_MainUnit.h"

TMainForm::TMainForm(Dialogs* service, QWidget* parent, FileSystem* files, const std::vector<TabRow>& tabTable,
                     const Serial::DeviceRoots& deviceRoots)
    : QWidget(parent),
      ui_(std::make_unique<Ui::TMainForm>()),
      ownDialogs_(service ? nullptr : std::make_unique<QtDialogs>(this)),
      dialogs_(service ? *service : *ownDialogs_),
      files_(files ? *files : RealFileSystem()),
      linkObserver_(
          &busy_, [this] { tiClock.stop(); },
          [this] { dialogs_.Error(Text::CommunicationError()); }),
      link_(&linkObserver_)
{
    ui_->setupUi(this);
    ui_->cbComPort->SetDeviceRoots(deviceRoots);
    // Fixed size, minimize box but no maximize box.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(695, 534);

    tiClock.setObjectName(QStringLiteral("tiClock"));
    tiClock.setInterval(1000);
    OpenDialog.filter = Text::Filter::Image();

    // Every caption shows from the start; a tab's widgets are built when it
    // is first shown (PageControlChange), so the window appears without
    // waiting for seven pages of which the user sees one.
    const TabContext context{link_, dialogs_, logs_, files_, [this] { return ui_->cbComPort->CurrentName(); }};
    for (const TabRow& row : tabTable) {
        auto* tab = new TabHost(row, context, ui_->PageControl);
        ui_->PageControl->addTab(tab, TabCaption(row));
        connect(tab, &TabHost::PolicyChanged, this, [this, tab] {
            if (tab == ActiveHost())
                ApplyPolicy();
        });
        tabs_.push_back(tab);
    }
    // The top panel, then the tabs; each page orders its own widgets when
    // it is built.
    PrepareForKeyboardAndReaders(this);
    OfferContextMenusOnShiftF10(this);

    connect(ui_->cbComPort, &QComboBox::activated, this, &TMainForm::cbComPortChange);
    connect(ui_->PageControl, &QTabWidget::currentChanged, this, &TMainForm::PageControlChange);
    connect(ui_->btRead, &QPushButton::clicked, this, &TMainForm::btReadClick);
    connect(ui_->btWrite, &QPushButton::clicked, this, &TMainForm::btWriteClick);
    connect(ui_->btLoad, &QPushButton::clicked, this, &TMainForm::btLoadClick);
    connect(ui_->btSave, &QPushButton::clicked, this, &TMainForm::btSaveClick);
    connect(ui_->btReset, &QPushButton::clicked, this, &TMainForm::btResetClick);
    connect(ui_->btInfo, &QPushButton::clicked, this, &TMainForm::btInfoClick);
    connect(&tiClock, &QTimer::timeout, this, &TMainForm::tiClockTimer);

    FormCreate();
}

TMainForm::~TMainForm()
{
    tiClock.stop();
    // The tabs hold the link and the dialog service, and their signals reach
    // ui_: members that die before QWidget's destructor deletes the
    // children.  So the pages go here, first, while everything a tab's
    // clean-up may touch is alive.  The window stops listening before:
    // removing pages must not run a tab change, which would enter the next
    // tab and talk to the Controller on behalf of a window that is going.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    tabs_.clear();
    delete ui_->PageControl;
    // A window destroyed without being closed must not leave the port open
    // behind it.
    if (!closed_)
        Serial::ClosePort();
}

void TMainForm::FormCreate()
{
    stored_ = ReadStoredSettings();
    Serial::SetPortMap(ReadPortMap());
    for (TabHost* tab : tabs_)
        tab->ShowStored(stored_);
    if (!stored_.ComDevice.isEmpty())
        ui_->cbComPort->Choose(stored_.ComDevice);
    else
        ui_->cbComPort->setCurrentIndex(stored_.ComPort);
    // Runs before the window is first shown, so a port failure is reported
    // before the window appears.
    cbComPortChange();
    ui_->PageControl->setCurrentIndex(0);
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
    if (closed_)
        return;
    closed_ = true;
    tiClock.stop();
    Serial::ClosePort();
    // A value no tab shows goes back as it was read.
    StoredSettings settings = stored_;
    for (const TabHost* tab : tabs_)
        tab->CollectStored(settings);
    // A device chosen from the list is remembered by its path; a named port
    // by its item, as it always was.
    const QString chosen = ui_->cbComPort->CurrentName();
    if (chosen.startsWith(u'/')) {
        settings.ComDevice = chosen;
    } else {
        settings.ComDevice.clear();
        settings.ComPort = ui_->cbComPort->currentIndex();
    }
    // A store that cannot be written is reported once; closing goes on.
    if (const auto failed = WriteStoredSettings(settings, stored_, files_))
        dialogs_.Error(Text::StoreFailure(*failed));
}

void TMainForm::cbComPortChange()
{
    Serial::ClosePort();
    // With no item chosen the text is empty, and so is the name reported.
    const QString label = ui_->cbComPort->currentText();
    if (Serial::OpenPort(ui_->cbComPort->CurrentName().toStdString(), 9600))
        return;
    QString text = Text::CannotOpenPort() + label;
    if (const QString reason = PortFailureReason(Serial::LastOpenFailure(), CurrentUserName()); !reason.isEmpty())
        text += u'\n' + reason;
    dialogs_.Error(text);
}

TabHost* TMainForm::ActiveHost() const
{
    return static_cast<TabHost*>(ui_->PageControl->currentWidget());
}

TabPage* TMainForm::ActiveTab() const
{
    const TabHost* host = ActiveHost();
    return host ? host->Built() : nullptr;
}

void TMainForm::PageControlChange()
{
    // Stopped before anything else, so no poll runs during the tab's set-up.
    tiClock.stop();
    TabHost* host = ActiveHost();
    if (!host)
        return;
    TabPage* tab = host->Page();
    ApplyPolicy();
    tab->Entered();
}

void TMainForm::ApplyPolicy()
{
    policy_ = ActiveTab()->Policy();
    ui_->btRead->setEnabled(policy_.read);
    ui_->btWrite->setEnabled(policy_.write);
    ui_->btLoad->setEnabled(policy_.load);
    ui_->btSave->setEnabled(policy_.save);
    if (policy_.openFilter)
        OpenDialog.filter = *policy_.openFilter;
    if (policy_.saveDialog)
        SaveDialog = *policy_.saveDialog;
    if (policy_.statusTimer)
        tiClock.start();
}

void TMainForm::tiClockTimer()
{
    if (TabPage* tab = ActiveTab(); tab && policy_.statusTimer)
        tab->StatusTick();
}

void TMainForm::btReadClick()
{
    if (policy_.read)
        ActiveTab()->Read();
}

void TMainForm::btWriteClick()
{
    // Asked before the tab is looked at: every write is confirmed.
    if (!dialogs_.Question(Text::ConfirmWrite()))
        return;
    if (policy_.write)
        ActiveTab()->Write();
}

void TMainForm::btLoadClick()
{
    if (!policy_.load)
        return;
    const QString fileName = dialogs_.OpenFileName({OpenDialog.filter, {}});
    if (!fileName.isEmpty())
        ActiveTab()->Load(fileName);
}

void TMainForm::btSaveClick()
{
    if (!policy_.save)
        return;
    const QString fileName = dialogs_.SaveFileName(SaveDialog);
    if (!fileName.isEmpty())
        ActiveTab()->Save(fileName);
}

void TMainForm::btResetClick()
{
    if (dialogs_.Question(Text::ConfirmReset()))
        SendReset(link_);
}

void TMainForm::btInfoClick()
{
    if (const auto text = ReadInfo(link_))
        dialogs_.Information(*text);
}
