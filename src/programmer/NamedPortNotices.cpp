#include "programmer/NamedPortNotices.h"

#include "programmer/PortList.h"

#include <QFileInfo>
#include <QTimer>

NamedPortNotices::NamedPortNotices(DeviceNotices& system, QString path, int pollMs, QObject* parent)
        : QObject(parent), system_(system), path_(std::move(path)), poll_(new QTimer(this))
{
    poll_->setInterval(pollMs);
    connect(poll_, &QTimer::timeout, this, &NamedPortNotices::LookAtPath);
}

void NamedPortNotices::start(std::function<void(const DeviceNotice&)> handler)
{
    handler_ = handler;
    system_.start(std::move(handler));
    // Start-up looks for the programmer itself; only later changes are told.
    present_ = QFileInfo::exists(path_);
    poll_->start();
}

void NamedPortNotices::LookAtPath()
{
    const bool present = QFileInfo::exists(path_);
    if (present == present_ || !handler_) return;
    present_ = present;
    const QString name = UsbDeviceName(ProgrammerVendorId, ProgrammerProductId, QFileInfo(path_).fileName());
    handler_({present ? DeviceEvent::Arrival : DeviceEvent::RemovalComplete, DeviceKind::Interface, name});
    handler_({DeviceEvent::ConfigurationChanged, DeviceKind::Other, QString()});
}
