#include "views/PageControl.h"

#include <QKeyEvent>
#include <QTabBar>

PageControl::PageControl(QWidget* parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("PageControl1"));
    setFocusPolicy(Qt::NoFocus);
    tabBar()->setFocusPolicy(Qt::NoFocus);
    tabBar()->setStyleSheet(
        QStringLiteral("QTabBar::tab { width: 1px; height: 1px; padding: 0; margin: 0; border: none; }"));
}

// Keys a page's controls leave unused come up here; none of them switches the page.
void PageControl::keyPressEvent(QKeyEvent* event) { event->ignore(); }
