#include "ui/StartupProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLoggingCategory>
#include <QWindow>
#include <chrono>

namespace {

// Debug lines are off by default here, unlike in a category without a level.
Q_LOGGING_CATEGORY(lcStartup, "vesk.startup", QtInfoMsg)

class ExposureProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Expose && !reported_) {
            if (const auto* window = qobject_cast<QWindow*>(watched); window && window->isExposed()) {
                reported_ = true;
                const auto now = std::chrono::steady_clock::now().time_since_epoch();
                qCDebug(lcStartup, "exposed %lld",
                        static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(now).count()));
                deleteLater();
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool reported_ = false;
};

}  // namespace

void ReportFirstExposure(QCoreApplication& app)
{
    if (!lcStartup().isDebugEnabled())
        return;
    app.installEventFilter(new ExposureProbe(&app));
}
