#include <QApplication>
#if QT_CONFIG(sessionmanager)
#include <QSessionManager>
#endif

#include "shell/Language.h"
#include "ui/MainUnit.h"
#include "ui/QuitSignals.h"
#include "ui/StartupProbe.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // From the first moment: a signal during start-up waits until the
    // window exists and is then handled like any other.
    QuitSignals quitSignals;
    ReportFirstExposure(app);

    const Language language;

    TMainForm form;

    // A log-out, `kill` or Ctrl+C closes the window as its close box does:
    // the settings are written and the port is released.  A box or dialog
    // open at that moment ends as if cancelled, so that the program does
    // not wait for an answer nobody will give.
    QObject::connect(&quitSignals, &QuitSignals::Received, &form, [&form] {
        form.close();
        QCoreApplication::exit(0);
    });
#if QT_CONFIG(sessionmanager)
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &form, [&form](QSessionManager&) { form.close(); });
#endif
    // Whoever ends the event loop, the window is closed first (closing it
    // twice does nothing more).
    QObject::connect(&app, &QCoreApplication::aboutToQuit, &form, [&form] { form.close(); });

    form.show();
    quitSignals.Start();
    return app.exec();
}
