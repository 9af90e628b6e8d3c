// veskctl from its command line to its exit code.
#pragma once

#include <QStringList>

// The arguments as QCoreApplication::arguments() gives them, the program's
// name first.  Returns the exit code (cli/Verbs.h).
int RunVeskctl(const QStringList& arguments);
