// The dialog service with Qt's message boxes and file dialogs, modal on the
// main window.
#pragma once

#include "shell/Dialogs.h"

class QWidget;

class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget* parent) : parent_(parent) {}

    void Error(const QString& text) override;
    bool Question(const QString& text) override;
    void Warning(const QString& text) override;
    void Information(const QString& text) override;
    QString OpenFileName(const FileDialogSettings& settings) override;
    QString SaveFileName(const FileDialogSettings& settings) override;
    QStringList OpenFileNames(const FileDialogSettings& settings) override;
    std::optional<std::vector<bool>> Choose(const QString& text, const QStringList& options,
                                            const std::vector<bool>& checked) override;
    void ShowText(const QString& title, const QString& text) override;
    std::unique_ptr<Progress> StartProgress(const QString& title) override;

private:
    QWidget* parent_;
};
