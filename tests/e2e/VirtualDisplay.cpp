#include "VirtualDisplay.h"

#include "support/Prerequisites.h"

#include <QPoint>
#include <QThread>
#include <QWidget>

void VirtualDisplay::SkipUnlessAvailable()
{
    SkipUnlessProgramsFound({QStringLiteral("xvfb-run"), QStringLiteral("xdotool")});
}

bool VirtualDisplay::start()
{
    // The shell reports the display it was given and then waits for its input to close.
    server_.start(QStringLiteral("xvfb-run"),
                  {"-a", "-s", "-screen 0 1280x1024x24", "sh", "-c", "echo \"$DISPLAY $XAUTHORITY\"; exec cat"});
    if (!server_.waitForStarted(5000)) return false;
    while (!server_.canReadLine() && server_.waitForReadyRead(10000)) {}
    const QStringList parts = QString::fromLocal8Bit(server_.readLine()).trimmed().split(QLatin1Char(' '));
    if (parts.size() != 2) return false;
    environment_ = QProcessEnvironment::systemEnvironment();
    environment_.insert(QStringLiteral("DISPLAY"), parts[0]);
    environment_.insert(QStringLiteral("XAUTHORITY"), parts[1]);
    environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment_.insert(QStringLiteral("QT_QPA_PLATFORMTHEME"), QString()); // Qt's own file dialog
    return true;
}

VirtualDisplay::~VirtualDisplay()
{
    server_.closeWriteChannel();
    if (!server_.waitForFinished(5000)) server_.kill();
}

QString VirtualDisplay::xdotool(const QStringList& arguments) const
{
    QProcess tool;
    tool.setProcessEnvironment(environment_);
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(15000);
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

DisplayedWindow DisplayedWindow::Find(const VirtualDisplay& display)
{
    const QString window =
        display.xdotool({"search", "--sync", "--onlyvisible", "--class", "kavro"}).section(QLatin1Char('\n'), 0, 0);
    if (!window.isEmpty()) display.xdotool({"windowfocus", "--sync", window});
    return {display, window};
}

void DisplayedWindow::click(const QStringList& point, const QString& button) const
{
    display_.xdotool(QStringList{"mousemove", "--window", window_} + point);
    Settle();
    display_.xdotool({"click", button});
    Settle();
}

void DisplayedWindow::keys(const QStringList& names) const
{
    display_.xdotool(QStringList{"key", "--delay", "60"} + names);
    Settle();
}

void DisplayedWindow::type(const QString& text) const
{
    display_.xdotool({"type", "--delay", "60", text});
    Settle();
}

QStringList PointInWindow(const QWidget* window, const QWidget* widget, QPoint point)
{
    const QPoint inWindow = widget->mapTo(window, point);
    return {QString::number(inWindow.x()), QString::number(inWindow.y())};
}

void Settle() { QThread::msleep(300); }
