#include "programmer/DeviceNotices.h"

#include "programmer/PortList.h"

#include <QSocketNotifier>
#include <QTimer>

#include <libudev.h>

namespace {
constexpr int SettleMs = 300; // quiet time after the last event before the configuration change

// "PRODUCT=4d8/e91a/100" of a USB device or interface event.
QString DeviceNameFromProduct(const char* product, const char* sysname)
{
    const QStringList parts = QString::fromLatin1(product).split(QLatin1Char('/'));
    if (parts.size() < 2) return QString::fromLatin1(sysname);
    return UsbDeviceName(parts[0].toUShort(nullptr, 16), parts[1].toUShort(nullptr, 16), QString::fromLatin1(sysname));
}

QString PortKey(const PortEntry& entry)
{
    return entry.devicePath + QLatin1Char('|') + UsbDeviceName(entry.vendorId, entry.productId, entry.kernelName);
}
} // namespace

LinuxDeviceNotices::LinuxDeviceNotices(PortList& ports, Source source, int pollMs, QObject* parent)
        : QObject(parent), ports_(ports), source_(source), pollMs_(pollMs)
{
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    settle_->setInterval(SettleMs);
    connect(settle_, &QTimer::timeout, this,
            [this] { emitNotice(DeviceEvent::ConfigurationChanged, DeviceKind::Other); });
}

LinuxDeviceNotices::~LinuxDeviceNotices()
{
    delete notifier_;
    if (monitor_) udev_monitor_unref(monitor_);
    if (udev_) udev_unref(udev_);
}

void LinuxDeviceNotices::start(std::function<void(const DeviceNotice&)> handler)
{
    handler_ = std::move(handler);
    if (source_ == Source::MonitorOrPolling) udev_ = udev_new();
    if (udev_) monitor_ = udev_monitor_new_from_netlink(udev_, "kernel");
    if (monitor_ && (udev_monitor_filter_add_match_subsystem_devtype(monitor_, "usb", "usb_interface") < 0 ||
                     udev_monitor_filter_add_match_subsystem_devtype(monitor_, "tty", nullptr) < 0 ||
                     udev_monitor_enable_receiving(monitor_) < 0)) {
        udev_monitor_unref(monitor_);
        monitor_ = nullptr;
    }
    if (monitor_) {
        notifier_ = new QSocketNotifier(udev_monitor_get_fd(monitor_), QSocketNotifier::Read, this);
        connect(notifier_, &QSocketNotifier::activated, this, &LinuxDeviceNotices::readMonitor);
        return;
    }
    if (auto list = ports_.ports())
        for (const PortEntry& entry : *list) knownPorts_ << PortKey(entry);
    poll_ = new QTimer(this);
    connect(poll_, &QTimer::timeout, this, &LinuxDeviceNotices::pollPortList);
    poll_->start(pollMs_);
}

void LinuxDeviceNotices::emitNotice(DeviceEvent event, DeviceKind kind, const QString& name)
{
    if (handler_) handler_({event, kind, name});
}

void LinuxDeviceNotices::readMonitor()
{
    while (udev_device* device = udev_monitor_receive_device(monitor_)) {
        const QByteArray action = udev_device_get_action(device);
        const char* subsystem = udev_device_get_subsystem(device);
        const bool isInterface = subsystem && qstrcmp(subsystem, "usb") == 0;
        const DeviceKind kind = isInterface ? DeviceKind::Interface : DeviceKind::Port;
        const char* product = udev_device_get_property_value(device, "PRODUCT");
        const QString name = isInterface && product ? DeviceNameFromProduct(product, udev_device_get_sysname(device))
                                                    : QString::fromLatin1(udev_device_get_sysname(device));
        if (action == "add") {
            emitNotice(DeviceEvent::Arrival, kind, name);
            settle_->start();
        } else if (action == "remove") {
            emitNotice(DeviceEvent::RemovalComplete, kind, name);
            settle_->start();
        }
        udev_device_unref(device);
    }
}

void LinuxDeviceNotices::pollPortList()
{
    QStringList current;
    if (auto list = ports_.ports())
        for (const PortEntry& entry : *list) current << PortKey(entry);
    bool changed = false;
    for (const QString& key : std::as_const(knownPorts_))
        if (!current.contains(key)) {
            emitNotice(DeviceEvent::RemovalComplete, DeviceKind::Interface, key.section(QLatin1Char('|'), 1));
            changed = true;
        }
    for (const QString& key : std::as_const(current))
        if (!knownPorts_.contains(key)) {
            emitNotice(DeviceEvent::Arrival, DeviceKind::Interface, key.section(QLatin1Char('|'), 1));
            changed = true;
        }
    knownPorts_ = current;
    if (changed) emitNotice(DeviceEvent::ConfigurationChanged, DeviceKind::Other);
}
