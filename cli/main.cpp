// veskctl: the Controller from the command line.  QtCore only: it runs
// where no display and no graphical library exist.
#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "cli/Run.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    // The program speaks Czech, as the window does, and so do Qt's own
    // messages (an unknown option).
    QTranslator qtTranslator;
    if (qtTranslator.load(QStringLiteral("qtbase_cs"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);
    return RunVeskctl(app.arguments());
}
