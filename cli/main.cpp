// veskctl: the Controller from the command line.  QtCore only: it runs
// where no display and no graphical library exist.
#include <QCoreApplication>

#include "cli/Run.h"
#include "shell/Language.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // The window's language, and its catalogue.
    const Language language;
    return RunVeskctl(app.arguments());
}
