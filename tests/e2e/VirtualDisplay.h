#pragma once
// The real kavro program on a virtual X display, driven by xdotool as a technician's keyboard and
// mouse drive it. Where the controls sit comes from the same window laid out in the test.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

class QWidget;

// A virtual X display for as long as the object lives.
class VirtualDisplay {
public:
    // Skips the whole test program (support/Prerequisites.h) when xvfb-run or xdotool is missing.
    static void SkipUnlessAvailable();

    bool start();
    ~VirtualDisplay();
    const QProcessEnvironment& environment() const { return environment_; }

    // Runs xdotool on the display; its output, trimmed.
    QString xdotool(const QStringList& arguments) const;

private:
    QProcess server_;
    QProcessEnvironment environment_;
};

// kavro's window on a display, found once it is shown and given the keyboard focus.
class DisplayedWindow {
public:
    DisplayedWindow(const VirtualDisplay& display, QString window) : display_(display), window_(std::move(window)) {}
    static DisplayedWindow Find(const VirtualDisplay& display);
    bool found() const { return !window_.isEmpty(); }

    // The pointer rests on the point (in window coordinates) before the button goes down, as a hand moves it.
    void click(const QStringList& point, const QString& button = QStringLiteral("1")) const;
    void keys(const QStringList& names) const;
    void type(const QString& text) const;
    QString title() const { return display_.xdotool({"getwindowname", window_}); }

private:
    const VirtualDisplay& display_;
    QString window_;
};

// The point `point` of `widget` in the coordinates of `window`, as xdotool takes it.
QStringList PointInWindow(const QWidget* window, const QWidget* widget, QPoint point);

// Lets the program take what was just sent.
void Settle();
