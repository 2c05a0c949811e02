#include "views/FocusTracker.h"

#include <QApplication>
#include <QWidget>

FocusTracker::FocusTracker(QWidget& tracked) : QObject(&tracked), tracked_(tracked)
{
    connect(qApp, &QApplication::focusChanged, this, &FocusTracker::FocusChanged);
}

void FocusTracker::FocusChanged(QWidget*, QWidget* now)
{
    const bool nowInside = now && (now == &tracked_ || tracked_.isAncestorOf(now));
    if (nowInside) {
        if (inside_) return;
        inside_ = true;
        emit Entered();
        return;
    }
    if (!inside_) return;
    // A message box, a popup or another window has the focus for a while; the control keeps it.
    if (!now || now->window() != tracked_.window()) return;
    inside_ = false;
    emit Exited();
}
