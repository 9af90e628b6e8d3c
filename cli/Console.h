// Where veskctl's words go, and where its questions are answered.
//
// Standard output carries the result only (a CSV, JSON, a report, a
// page); standard error the errors, the questions and the progress.
// Progress shows only where standard error is a terminal, never with
// --json or --quiet.  A question is asked only where standard input and
// standard error are terminals; elsewhere a writing verb needs --yes and is
// refused before it opens the port.
//
// SIGINT, SIGTERM and SIGHUP are caught: the first of them stops a
// transfer between pages, ends "status --watch" and answers a question
// with no, so the port is closed and its lock file removed as after any
// end.  A second one ends the program at once.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>

#include "shell/Dialogs.h"

class Console {
public:
    Console();

    // No progress.
    bool quiet = false;
    // JSON goes to standard output: no progress beside it.
    bool json = false;
    // The trace goes to standard error: no progress between its lines.
    bool tracing = false;

    bool Interactive() const { return stdinTty_ && stderrTty_; }
    bool OutputIsTerminal() const { return stdoutTty_; }
    bool ShowsProgress() const { return stderrTty_ && !quiet && !json && !tracing; }

    // "veskctl: " and the text, on standard error, whatever --quiet says.
    void Error(const QString& text);
    // The result; false, with the error said, when standard output refuses
    // the bytes (a closed pipe, a full disk).
    bool Out(const QByteArray& bytes);
    bool OutLine(const QString& text) { return Out(text.toUtf8() + '\n'); }
    // Asks on the terminal; true for yes.  A signal, the end of input or
    // anything but yes is no.
    bool Ask(const QString& question);

    // Progress on standard error: "\r", the title and the text, over the
    // last one; Clear() takes it away before anything else is written.
    void Progress(const QString& text);
    void ClearProgress();

private:
    bool stdinTty_, stdoutTty_, stderrTty_;
    bool progressShown_ = false;
};

// The signals that end veskctl gently.
namespace Interrupt {
// Catches SIGINT, SIGTERM and SIGHUP; ignores SIGPIPE (a closed pipe is a
// write error like any other).
void Install();
// The signal received, 0 for none.
int Received();
// Waits up to ms milliseconds; true when a signal came (at once if one had).
bool Wait(int ms);
// The descriptor that becomes readable when a signal comes, for a poll.
int Descriptor();
}  // namespace Interrupt

// The window's dialog service, answered on the terminal: the file dialogs
// give the files the command line named, a question is asked on the
// terminal (or answered yes by --yes), the choice before a restore is
// answered by its options, messages and texts go to the console, and the
// progress of a transfer is the console's, stopped by a signal.
class TerminalDialogs final : public Dialogs {
public:
    explicit TerminalDialogs(Console& console) : console_(console) {}

    bool yes = false;
    QStringList files;                        // for the file dialogs, in order
    std::optional<std::vector<bool>> choice;  // the answer to Choose

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
    std::unique_ptr<::Progress> StartProgress(const QString& title) override;

private:
    Console& console_;
};
