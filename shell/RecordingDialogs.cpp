#include "shell/RecordingDialogs.h"

void RecordingDialogs::Error(const QString& text)
{
    entries.push_back({Kind::Error, text, {}});
}

bool RecordingDialogs::Question(const QString& text)
{
    entries.push_back({Kind::Question, text, {}});
    if (answers.empty())
        return defaultAnswer;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

void RecordingDialogs::Warning(const QString& text)
{
    entries.push_back({Kind::Warning, text, {}});
}

void RecordingDialogs::Information(const QString& text)
{
    entries.push_back({Kind::Information, text, {}});
}

QString RecordingDialogs::OpenFileName(const FileDialogSettings& settings)
{
    entries.push_back({Kind::OpenFile, {}, settings});
    if (fileNames.empty())
        return {};
    QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QString RecordingDialogs::SaveFileName(const FileDialogSettings& settings)
{
    entries.push_back({Kind::SaveFile, {}, settings});
    if (fileNames.empty())
        return {};
    QString name = fileNames.front();
    fileNames.pop_front();
    return name;
}

QStringList RecordingDialogs::OpenFileNames(const FileDialogSettings& settings)
{
    entries.push_back({Kind::OpenFiles, {}, settings});
    if (fileLists.empty())
        return {};
    QStringList names = fileLists.front();
    fileLists.pop_front();
    return names;
}

std::optional<std::vector<bool>> RecordingDialogs::Choose(const QString& text, const QStringList& options,
                                                          const std::vector<bool>& checked)
{
    entries.push_back({Kind::Choice, text + u'\n' + options.join(u'\n'), {}});
    if (choices.empty())
        return checked;
    auto choice = choices.front();
    choices.pop_front();
    return choice;
}

void RecordingDialogs::ShowText(const QString& title, const QString& text)
{
    entries.push_back({Kind::Text, title + u'\n' + text, {}});
}

namespace {

class RecordingProgress : public Progress {
public:
    RecordingProgress(RecordingDialogs& dialogs, QString title) : dialogs_(dialogs), title_(std::move(title))
    {
        ++dialogs_.openProgress;
    }
    ~RecordingProgress() override { --dialogs_.openProgress; }

    void Show(int done, int total) override
    {
        const RecordingDialogs::Step step{title_, done, total};
        dialogs_.steps.push_back(step);
        if (dialogs_.onProgress && dialogs_.onProgress(step))
            cancelled_ = true;
    }
    bool Cancelled() override { return cancelled_; }

private:
    RecordingDialogs& dialogs_;
    QString title_;
    bool cancelled_ = false;
};

}  // namespace

std::unique_ptr<Progress> RecordingDialogs::StartProgress(const QString& title)
{
    entries.push_back({Kind::Progress, title, {}});
    return std::make_unique<RecordingProgress>(*this, title);
}

QStringList RecordingDialogs::Texts(Kind kind) const
{
    QStringList texts;
    for (const Entry& entry : entries)
        if (entry.kind == kind)
            texts << entry.text;
    return texts;
}
