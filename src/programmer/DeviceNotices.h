#pragma once
// Notices of devices coming and going: interface arrivals (with the device name), removals, and
// the configuration change that follows them.

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class PortList;
class QSocketNotifier;
class QTimer;

enum class DeviceEvent { Arrival, RemovalComplete, ConfigurationChanged, Other };
// What a notice is about: a device interface, a port-like device (port, volume, handle), or
// something else.
enum class DeviceKind { Interface, Port, Other };

struct DeviceNotice {
    DeviceEvent event = DeviceEvent::Other;
    DeviceKind kind = DeviceKind::Other;
    QString deviceName;
};

class DeviceNotices {
public:
    virtual ~DeviceNotices() = default;
    // From now on every notice goes to `handler`, on the thread of the event loop.
    virtual void start(std::function<void(const DeviceNotice&)> handler) = 0;
};

// Linux: a libudev monitor of the kernel's own events (works without udevd) for USB interfaces
// and ttys; a burst of events is followed by one configuration change. When no monitor can be
// had, the port list is polled once a second and its changes are turned into the same notices.
class LinuxDeviceNotices : public QObject, public DeviceNotices {
    Q_OBJECT
public:
    enum class Source { MonitorOrPolling, PollingOnly };
    explicit LinuxDeviceNotices(PortList& ports, Source source = Source::MonitorOrPolling, int pollMs = 1000,
                                QObject* parent = nullptr);
    ~LinuxDeviceNotices() override;
    void start(std::function<void(const DeviceNotice&)> handler) override;
    bool usesMonitor() const { return monitor_ != nullptr; }

private:
    void readMonitor();
    void pollPortList();
    void emitNotice(DeviceEvent event, DeviceKind kind, const QString& name = {});

    PortList& ports_;
    Source source_;
    int pollMs_;
    std::function<void(const DeviceNotice&)> handler_;
    struct udev* udev_ = nullptr;
    struct udev_monitor* monitor_ = nullptr;
    QSocketNotifier* notifier_ = nullptr;
    QTimer* settle_ = nullptr;
    QTimer* poll_ = nullptr;
    QStringList knownPorts_;
};
