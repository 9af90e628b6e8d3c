#include "ui/QtBusyIndicator.h"

#include <QCursor>
#include <QGuiApplication>

void QtBusyIndicator::Enter(bool hourglass)
{
    if (hourglass)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    pushed_.push_back(hourglass);
}

void QtBusyIndicator::Leave()
{
    if (pushed_.empty())
        return;
    if (pushed_.back())
        QGuiApplication::restoreOverrideCursor();
    pushed_.pop_back();
}

void QtBusyIndicator::ShowNormal()
{
    // Whatever was shown before, also a cursor someone else set: the
    // override stack is emptied.
    while (QGuiApplication::overrideCursor())
        QGuiApplication::restoreOverrideCursor();
    pushed_.clear();
}
