#pragma once
// Tells a control when the input focus enters it and when it leaves it for another control of the
// same window. Focus taken by a modal message box, a popup list or another window is not leaving:
// the user comes back to the same place, so neither an exit nor a second entry is reported.

#include <QObject>

class QWidget;

class FocusTracker : public QObject {
    Q_OBJECT
public:
    explicit FocusTracker(QWidget& tracked);

signals:
    void Entered();
    void Exited();

private:
    void FocusChanged(QWidget* old, QWidget* now);

    QWidget& tracked_;
    bool inside_ = false;
};
