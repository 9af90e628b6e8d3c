#include "ui/QtDialogs.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFontDatabase>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/BackupTexts.h"
#include "shell/Texts.h"

namespace {

int ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
            QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, Text::DialogTitle(), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return box.exec();
}

QStringList RunFileDialog(QWidget* parent, const FileDialogSettings& settings, QFileDialog::AcceptMode mode,
                          QFileDialog::FileMode fileMode)
{
    // No caption: the platform's own title for opening or saving.
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(fileMode);
    const QStringList filters = ToQtNameFilters(settings.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (mode == QFileDialog::AcceptSave) {
        // Asking before an existing file is replaced is the dialog's default;
        // said here because it is required.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        dialog.setDefaultSuffix(settings.defaultExtension);
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString FirstOf(const QStringList& names)
{
    return names.isEmpty() ? QString() : names.front();
}

// Application-modal from the first moment: while a transfer runs, no other
// window of the program takes a click or a key.  Between pages it runs the
// events that are waiting, so that it repaints and "Zrušit" works.
class QtProgress : public Progress {
public:
    QtProgress(QWidget* parent, const QString& title)
        : dialog_(QString(), QCoreApplication::translate("QtDialogs", "Zrušit"), 0, 1, parent)
    {
        dialog_.setWindowTitle(title);
        dialog_.setWindowModality(Qt::ApplicationModal);
        dialog_.setAutoReset(false);
        dialog_.setAutoClose(false);
        dialog_.setMinimumDuration(0);
        dialog_.setMinimumWidth(320);
        dialog_.show();
        elapsed_.start();
        QCoreApplication::processEvents();
    }

    void Show(int done, int total) override
    {
        dialog_.setMaximum(total);
        dialog_.setValue(done);
        dialog_.setLabelText(Text::TransferProgress(done, total, SecondsLeft(elapsed_.elapsed(), done, total)));
        QCoreApplication::processEvents();
    }

    bool Cancelled() override { return dialog_.wasCanceled(); }

private:
    QProgressDialog dialog_;
    QElapsedTimer elapsed_;
};

}  // namespace

void QtDialogs::Error(const QString& text)
{
    ShowBox(parent_, QMessageBox::Critical, text, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtDialogs::Question(const QString& text)
{
    return ShowBox(parent_, QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) ==
           QMessageBox::Yes;
}

void QtDialogs::Warning(const QString& text)
{
    ShowBox(parent_, QMessageBox::Warning, text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtDialogs::Information(const QString& text)
{
    ShowBox(parent_, QMessageBox::Information, text, QMessageBox::Ok, QMessageBox::Ok);
}

QString QtDialogs::OpenFileName(const FileDialogSettings& settings)
{
    return FirstOf(RunFileDialog(parent_, settings, QFileDialog::AcceptOpen, QFileDialog::ExistingFile));
}

QString QtDialogs::SaveFileName(const FileDialogSettings& settings)
{
    return FirstOf(RunFileDialog(parent_, settings, QFileDialog::AcceptSave, QFileDialog::AnyFile));
}

QStringList QtDialogs::OpenFileNames(const FileDialogSettings& settings)
{
    return RunFileDialog(parent_, settings, QFileDialog::AcceptOpen, QFileDialog::ExistingFiles);
}

std::optional<std::vector<bool>> QtDialogs::Choose(const QString& text, const QStringList& options,
                                                   const std::vector<bool>& checked)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(Text::DialogTitle());
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(new QLabel(text));
    std::vector<QCheckBox*> boxes;
    for (qsizetype i = 0; i < options.size(); ++i) {
        auto* box = new QCheckBox(options[i]);
        box->setChecked(std::size_t(i) < checked.size() && checked[std::size_t(i)]);
        layout->addWidget(box);
        boxes.push_back(box);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    std::vector<bool> states;
    for (const QCheckBox* box : boxes)
        states.push_back(box->isChecked());
    return states;
}

void QtDialogs::ShowText(const QString& title, const QString& text)
{
    QDialog dialog(parent_);
    dialog.setWindowTitle(title);
    dialog.resize(640, 480);
    auto* layout = new QVBoxLayout(&dialog);
    auto* view = new QPlainTextEdit(text);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    layout->addWidget(view);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton* copy =
        buttons->addButton(QCoreApplication::translate("QtDialogs", "Kopírovat vše"), QDialogButtonBox::ActionRole);
    QObject::connect(copy, &QPushButton::clicked, view, [view] {
        QGuiApplication::clipboard()->setText(view->toPlainText());
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.exec();
}

std::unique_ptr<Progress> QtDialogs::StartProgress(const QString& title)
{
    return std::make_unique<QtProgress>(parent_, title);
}
