// Every message box and file dialog of the program goes through this one
// service, so the window's behaviour can be checked without anyone clicking:
// the window asks, the service answers.  The Qt implementation lives in
// QtDialogs.h; RecordingDialogs.h records and answers from a script.
#pragma once

#include <QString>
#include <QStringList>

// What a file dialog is set up with.  The filter is a list of description
// and pattern pairs separated by "|" ("Binární soubory (*.bin)|*.bin|…").
struct FileDialogSettings {
    QString filter;
    QString defaultExtension;  // without the dot; empty for none
    bool operator==(const FileDialogSettings&) const = default;
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // The program's own boxes, titled "Kalorest" (texts: shell/Texts.h).
    // Error icon, OK: "Chyba komunikace", "Nelze otevřít port …", and the
    // handler errors ("Range check error", "Failed to set data for '…'").
    virtual void Error(const QString& text) = 0;
    // Question icon, Yes and No; true for Yes.
    virtual bool Question(const QString& text) = 0;
    virtual void Warning(const QString& text) = 0;
    virtual void Information(const QString& text) = 0;

    // The chosen file's path, empty when the user cancels.  Opening accepts
    // only an existing file; saving asks before overwriting one.
    virtual QString OpenFileName(const FileDialogSettings& settings) = 0;
    virtual QString SaveFileName(const FileDialogSettings& settings) = 0;
};

// Converts a "description|pattern|…" filter into Qt's name filters, one
// entry per pair.
QStringList ToQtNameFilters(const QString& filter);
