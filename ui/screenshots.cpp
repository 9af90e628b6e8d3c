// vesk-screenshots DIR: shows the main window, makes every tab current in
// turn, reads from the Controller where the tab can, and saves each view as
// DIR/<nn>-<tab>.png.  Boxes the window would show are printed instead, so
// nothing waits for a click.
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTabWidget>
#include <cstdio>

#include "ui/MainUnit.h"
#include "shell/RecordingDialogs.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
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
    int failures = 0;
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        QApplication::processEvents();
        if (read->isEnabled())
            read->click();
        QApplication::processEvents();
        const QString name = QStringLiteral("%1-%2.png").arg(i + 1, 2, 10, QLatin1Char('0')).arg(pages->widget(i)->objectName());
        if (!form.grab().save(dir.filePath(name))) {
            std::fprintf(stderr, "vesk-screenshots: cannot write %s\n", qPrintable(dir.filePath(name)));
            ++failures;
        }
    }
    for (const auto& entry : dialogs.entries)
        if (!entry.text.isEmpty())
            std::fprintf(stderr, "box: %s\n", entry.text.toLocal8Bit().constData());
    return failures == 0 ? 0 : 1;
}
