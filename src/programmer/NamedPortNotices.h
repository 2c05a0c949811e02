#pragma once
// Notices for a port given by path (--port PATH, KAVRO_PORT) that the system's device notices
// cannot see, such as a pseudo-terminal: the path is looked at periodically, and its appearing
// and disappearing are told as the programmer's interface arriving or being removed, each
// followed by a configuration change, so discovery follows it as it follows a plugged device.
// The system's own notices pass through unchanged.

#include "programmer/DeviceNotices.h"

#include <QObject>
#include <QString>

class QTimer;

class NamedPortNotices : public QObject, public DeviceNotices {
    Q_OBJECT
public:
    NamedPortNotices(DeviceNotices& system, QString path, int pollMs = 500, QObject* parent = nullptr);
    void start(std::function<void(const DeviceNotice&)> handler) override;

private:
    void LookAtPath();

    DeviceNotices& system_;
    QString path_;
    std::function<void(const DeviceNotice&)> handler_;
    QTimer* poll_;
    bool present_ = false;
};
