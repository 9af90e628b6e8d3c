// "Otevřít..." on a settings tab: the parameter file the user chose, read
// once for the tab's section.
#pragma once

#include <QString>
#include <optional>

#include "files/ParameterFile.h"

class Dialogs;

// The file, or nothing once the user has been told that the path holds no
// parameter file at all ("Cannot open file …" with the reason); the tab
// then stays as it was.  A missing or unreadable file is a file of
// defaults, as loading always was.
std::optional<ParameterFile> OpenParameterFile(const QString& path, Dialogs& dialogs, FileSystem& fs);
