// Every message box and file dialog of the program goes through this one
// service, so the window's behaviour can be checked without anyone clicking:
// the window asks, the service answers.  The Qt implementation lives in
// QtDialogs.h; RecordingDialogs.h records and answers from a script.
#pragma once

#include <QString>
#include <QStringList>
#include <memory>
#include <optional>
#include <vector>

// What a file dialog is set up with.  The filter is a list of description
// and pattern pairs separated by "|" ("Binární soubory (*.bin)|*.bin|…").
struct FileDialogSettings {
    QString filter;
    QString defaultExtension;  // without the dot; empty for none
    bool operator==(const FileDialogSettings&) const = default;
};

// The progress of a long transfer, shown modal over the whole program from
// its start to its destruction: no other window takes a click or a key
// meanwhile.  Between pages it lets the window repaint and its "Zrušit"
// be pressed.
class Progress {
public:
    virtual ~Progress() = default;
    // Pages done of all; the time left is estimated from the pace so far.
    virtual void Show(int done, int total) = 0;
    // Whether the user pressed "Zrušit" (or closed the dialog).
    virtual bool Cancelled() = 0;
};

// The time left at the pace so far, in whole seconds rounded up; nothing
// before the first page is done.
std::optional<int> SecondsLeft(qint64 elapsedMs, int done, int total);

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
    // One or more existing files; empty when the user cancels.
    virtual QStringList OpenFileNames(const FileDialogSettings& settings) = 0;

    // A question with check boxes, OK and "Zrušit": the boxes' states, or
    // nothing when cancelled.
    virtual std::optional<std::vector<bool>> Choose(const QString& text, const QStringList& options,
                                                    const std::vector<bool>& checked) = 0;
    // A long text the user can read, select and copy.
    virtual void ShowText(const QString& title, const QString& text) = 0;
    // Shown until the returned object goes.
    virtual std::unique_ptr<Progress> StartProgress(const QString& title) = 0;
};

// Converts a "description|pattern|…" filter into Qt's name filters, one
// entry per pair.
QStringList ToQtNameFilters(const QString& filter);
