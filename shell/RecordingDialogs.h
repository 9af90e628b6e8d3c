// A dialog service that shows nothing: it records every box and dialog the
// window asks for and answers from a script.  Tests check what the user
// would have seen; the screenshot tool uses it so that no box blocks.
#pragma once

#include <deque>
#include <vector>

#include "shell/Dialogs.h"

class RecordingDialogs : public Dialogs {
public:
    enum class Kind { Error, Question, Warning, Information, OpenFile, SaveFile };

    struct Entry {
        Kind kind;
        QString text;                 // message text; empty for file dialogs
        FileDialogSettings settings;  // file dialogs only
    };

    void Error(const QString& text) override;
    bool Question(const QString& text) override;
    void Warning(const QString& text) override;
    void Information(const QString& text) override;
    QString OpenFileName(const FileDialogSettings& settings) override;
    QString SaveFileName(const FileDialogSettings& settings) override;

    // Answers are taken in order; when the script runs out a question is
    // answered with defaultAnswer and a file dialog is cancelled.
    std::deque<bool> answers;
    bool defaultAnswer = false;
    std::deque<QString> fileNames;

    std::vector<Entry> entries;

    // The texts of the entries of one kind, in order.
    QStringList Texts(Kind kind) const;
    void Clear() { entries.clear(); }
};
