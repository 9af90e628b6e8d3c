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

QStringList RecordingDialogs::Texts(Kind kind) const
{
    QStringList texts;
    for (const Entry& entry : entries)
        if (entry.kind == kind)
            texts << entry.text;
    return texts;
}
