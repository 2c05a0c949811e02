#pragma once
// Keeps the mouse wheel from changing a list: a notch over it while the pointer only rests there
// would run the list's change handler. The list changes only when the user picks an entry.

#include <QObject>

class WheelGuard : public QObject {
    Q_OBJECT
public:
    explicit WheelGuard(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
