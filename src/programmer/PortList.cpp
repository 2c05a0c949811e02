#include "programmer/PortList.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtGlobal>

const PortEntry* ChooseProgrammerPort(const QList<PortEntry>& ports)
{
    const PortEntry* firstUsb = nullptr;
    for (const PortEntry& entry : ports) {
        if (!entry.usbSerial) continue;
        if (entry.isProgrammer()) return &entry;
        if (!firstUsb) firstUsb = &entry;
    }
    return firstUsb;
}

QString PortOverride(const QString& commandLinePort)
{
    const QString given = commandLinePort.isEmpty() ? qEnvironmentVariable("KAVRO_PORT") : commandLinePort;
    // The serial port layer reads a relative name as a name under /dev, so a path that exists
    // from the working directory (./port, build/kavro-sim.port) is made absolute first.
    if (!given.isEmpty() && QFileInfo(given).isRelative() && QFileInfo::exists(given))
        return QFileInfo(given).absoluteFilePath();
    return given;
}

std::optional<QList<PortEntry>> PortListWithOverride::ports()
{
    auto list = base_.ports();
    if (path_.isEmpty()) return list;
    QList<PortEntry> result{{QFileInfo(path_).fileName(), path_, true, ProgrammerVendorId, ProgrammerProductId}};
    if (list) {
        for (const PortEntry& entry : *list)
            if (entry.devicePath != path_) result.append(entry);
    }
    return result;
}

QString UsbDeviceName(quint16 vendorId, quint16 productId, const QString& instance)
{
    return QStringLiteral("USB\\VID_%1&PID_%2\\%3")
        .arg(vendorId, 4, 16, QLatin1Char('0'))
        .arg(productId, 4, 16, QLatin1Char('0'))
        .toUpper()
        .arg(instance);
}

namespace {

QString ReadSysfsText(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromLatin1(file.readAll()).trimmed();
}

// The USB identifiers of the device a tty belongs to: the nearest folder above the tty's device
// that has idVendor and idProduct.
void FindUsbIdentifiers(const QString& deviceFolder, const QString& sysRoot, PortEntry& entry)
{
    QDir dir(deviceFolder);
    while (dir.absolutePath().startsWith(sysRoot) && dir.absolutePath() != sysRoot) {
        if (dir.exists(QStringLiteral("idVendor")) && dir.exists(QStringLiteral("idProduct"))) {
            entry.vendorId = ReadSysfsText(dir.filePath(QStringLiteral("idVendor"))).toUShort(nullptr, 16);
            entry.productId = ReadSysfsText(dir.filePath(QStringLiteral("idProduct"))).toUShort(nullptr, 16);
            return;
        }
        if (!dir.cdUp()) return;
    }
}

} // namespace

std::optional<QList<PortEntry>> SysfsPortList::ports()
{
    QDir ttys(sysRoot_ + QStringLiteral("/class/tty"));
    if (!ttys.exists()) return std::nullopt;
    QList<PortEntry> list;
    const QString canonicalRoot = QFileInfo(sysRoot_).canonicalFilePath();
    for (const QString& name : ttys.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name)) {
        const QFileInfo device(ttys.filePath(name) + QStringLiteral("/device"));
        if (!device.exists()) continue; // virtual consoles and pseudo-terminals have no device
        const QFileInfo driver(device.filePath() + QStringLiteral("/driver"));
        const QString driverPath = driver.canonicalFilePath();
        const QString driverName = QFileInfo(driverPath).fileName();
        // The legacy 8250 driver lists ports that may not exist; they are ordinary serial ports.
        PortEntry entry{name, devRoot_ + QLatin1Char('/') + name, false, 0, 0};
        entry.usbSerial = driverName == QLatin1String("cdc_acm") || driverPath.contains(QLatin1String("/usb-serial/"));
        if (entry.usbSerial) FindUsbIdentifiers(device.canonicalFilePath(), canonicalRoot, entry);
        list.append(entry);
    }
    return list;
}
