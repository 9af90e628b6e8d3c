// The yardstick of bench_startup: an empty window of the program's fixed
// size, started and reported on as the program is, and nothing else.
#include <QApplication>
#include <QWidget>

#include "ui/StartupProbe.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    ReportFirstExposure(app);
    QWidget window;
    window.setFixedSize(695, 534);
    window.show();
    return app.exec();
}
