#include "ui/QtDialogs.h"

#include <QFileDialog>
#include <QMessageBox>

#include "shell/Texts.h"

namespace {

int ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text, QMessageBox::StandardButtons buttons,
            QMessageBox::StandardButton defaultButton)
{
    QMessageBox box(icon, QString::fromUtf8(Text::DialogTitle), text, buttons, parent);
    box.setDefaultButton(defaultButton);
    return box.exec();
}

QString RunFileDialog(QWidget* parent, const FileDialogSettings& settings, QFileDialog::AcceptMode mode)
{
    // No caption: the platform's own title for opening or saving.
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList filters = ToQtNameFilters(settings.filter);
    if (!filters.isEmpty())
        dialog.setNameFilters(filters);
    if (mode == QFileDialog::AcceptSave) {
        // Asking before an existing file is replaced is the dialog's default;
        // said here because it is required.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        dialog.setDefaultSuffix(settings.defaultExtension);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().front();
}

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
    return RunFileDialog(parent_, settings, QFileDialog::AcceptOpen);
}

QString QtDialogs::SaveFileName(const FileDialogSettings& settings)
{
    return RunFileDialog(parent_, settings, QFileDialog::AcceptSave);
}
