// A dialog service that shows nothing: it records every box and dialog the
// window asks for and answers from a script.  Tests check what the user
// would have seen; the screenshot tool uses it so that no box blocks.
#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "shell/Dialogs.h"

class RecordingDialogs : public Dialogs {
public:
    enum class Kind { Error, Question, Warning, Information, OpenFile, SaveFile, OpenFiles, Choice, Text, Progress };

    struct Entry {
        Kind kind;
        QString text;                 // message text, a choice's question, a text's title and text
                                      // ("title\ntext"), a progress's title; empty for file dialogs
        FileDialogSettings settings;  // file dialogs only
    };

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

    // Answers are taken in order; when the script runs out a question is
    // answered with defaultAnswer and a file dialog is cancelled.
    std::deque<bool> answers;
    bool defaultAnswer = false;
    std::deque<QString> fileNames;
    std::deque<QStringList> fileLists;
    // A choice not scripted is accepted as offered.
    std::deque<std::optional<std::vector<bool>>> choices;

    // Every step a progress dialog showed, in order; the hook runs at each
    // and cancels the transfer by returning true.
    struct Step {
        QString title;
        int done, total;
        bool operator==(const Step&) const = default;
    };
    std::vector<Step> steps;
    std::function<bool(const Step&)> onProgress;
    int openProgress = 0;  // progress dialogs shown now

    std::vector<Entry> entries;

    // The texts of the entries of one kind, in order.
    QStringList Texts(Kind kind) const;
    void Clear() { entries.clear(); }
};
