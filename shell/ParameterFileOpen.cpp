#include "shell/ParameterFileOpen.h"

#include "shell/Dialogs.h"
#include "shell/Texts.h"

std::optional<ParameterFile> OpenParameterFile(const QString& path, Dialogs& dialogs, FileSystem& fs)
{
    ParameterFile file(path, fs);
    if (const auto& refusal = file.Refusal()) {
        dialogs.Error(Text::CannotOpenFile(path, *refusal));
        return std::nullopt;
    }
    return file;
}
