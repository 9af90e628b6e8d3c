// vesk-screenshots DIR: shows the main window, makes every tab current in
// turn, reads from the Controller where the tab can, and saves each view as
// DIR/<nn>-<tab>.png.  Last the heating curve once more, now with the hours
// of the logs read meanwhile over it.  Boxes the window would show are
// printed instead, so nothing waits for a click.
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <cstdio>

#include "shell/Language.h"
#include "shell/RecordingDialogs.h"
#include "ui/MainUnit.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const Language language;
    if (argc != 2) {
        std::fprintf(stderr, "usage: vesk-screenshots DIR\n");
        return 2;
    }
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "vesk-screenshots: cannot create %s\n", argv[1]);
        return 1;
    }

    RecordingDialogs dialogs;
    TMainForm form(&dialogs);
    form.show();
    QApplication::processEvents();

    auto* pages = form.findChild<QTabWidget*>(QStringLiteral("PageControl"));
    auto* read = form.findChild<QPushButton*>(QStringLiteral("btRead"));
    int failures = 0, shots = 0;
    auto save = [&](const QString& what) {
        const QString name = QStringLiteral("%1-%2.png").arg(++shots, 2, 10, QLatin1Char('0')).arg(what);
        if (!form.grab().save(dir.filePath(name))) {
            std::fprintf(stderr, "vesk-screenshots: cannot write %s\n", qPrintable(dir.filePath(name)));
            ++failures;
        }
    };
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QApplication::processEvents();
        if (read->isEnabled())
            read->click();
        QApplication::processEvents();
        save(pages->widget(i)->objectName());
    }
    if (QWidget* curve = pages->findChild<QWidget*>(QStringLiteral("tsEkvith"))) {
        pages->setCurrentWidget(curve);
        QApplication::processEvents();
        save(QStringLiteral("tsEkvith-measured"));
    }
    for (const auto& entry : dialogs.entries)
        if (!entry.text.isEmpty())
            std::fprintf(stderr, "box: %s\n", entry.text.toLocal8Bit().constData());
    return failures == 0 ? 0 : 1;
}
