#include "app/WheelGuard.h"

#include <QEvent>

bool WheelGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Wheel) return true;
    return QObject::eventFilter(watched, event);
}
