#pragma once
// The system's serial ports as discovery sees them, and the choice of the programmer's port.

#include <QList>
#include <QString>

#include <memory>
#include <optional>

constexpr quint16 ProgrammerVendorId = 0x04D8;
constexpr quint16 ProgrammerProductId = 0xE91A;

struct PortEntry {
    QString kernelName;     // the kernel's name of the device (ttyACM0)
    QString devicePath;     // what the port is opened by (/dev/ttyACM0)
    bool usbSerial = false; // served by a USB serial driver
    quint16 vendorId = 0;   // USB identifiers; 0 when not a USB device
    quint16 productId = 0;

    bool isProgrammer() const { return vendorId == ProgrammerVendorId && productId == ProgrammerProductId; }
};

class PortList {
public:
    virtual ~PortList() = default;
    // Every serial port in the system's order; nothing when the list cannot be had at all.
    virtual std::optional<QList<PortEntry>> ports() = 0;
};

// The port to use: of all USB serial ports the first with the programmer's USB identifiers,
// otherwise the first USB serial port. nullptr when there is none.
const PortEntry* ChooseProgrammerPort(const QList<PortEntry>& ports);

// The port given on the command line (--port PATH) or, without one, in KAVRO_PORT; empty when
// neither is set.
QString PortOverride(const QString& commandLinePort);

// A port list with a given port first, counting as the programmer; the same entry further down is
// dropped. An empty path leaves the list as it is.
class PortListWithOverride : public PortList {
public:
    PortListWithOverride(PortList& base, QString path) : base_(base), path_(std::move(path)) {}
    std::optional<QList<PortEntry>> ports() override;

private:
    PortList& base_;
    QString path_;
};

// The device name a notice carries for a USB device, in the form the programmer's identity test
// looks for: "USB\VID_04D8&PID_E91A\<serial or node>".
QString UsbDeviceName(quint16 vendorId, quint16 productId, const QString& instance);

// Linux: the ttys under /sys/class/tty that belong to a device; USB serial ports are those whose
// driver is cdc_acm or a usb-serial driver. `sysRoot` is "/sys" except in tests.
class SysfsPortList : public PortList {
public:
    explicit SysfsPortList(QString sysRoot = QStringLiteral("/sys"), QString devRoot = QStringLiteral("/dev"))
            : sysRoot_(std::move(sysRoot)), devRoot_(std::move(devRoot))
    {
    }
    std::optional<QList<PortEntry>> ports() override;

private:
    QString sysRoot_;
    QString devRoot_;
};

// The system's ports with --port PATH (or, without it, KAVRO_PORT) applied: the list kavro and
// kavro-cli look through.
class SystemPortList : public PortList {
public:
    explicit SystemPortList(const QString& portOption) : withOverride_(sysfs_, PortOverride(portOption)) {}
    std::optional<QList<PortEntry>> ports() override { return withOverride_.ports(); }

private:
    SysfsPortList sysfs_;
    PortListWithOverride withOverride_;
};
