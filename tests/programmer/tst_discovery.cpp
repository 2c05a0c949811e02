// Finding the programmer among the serial ports and following it being plugged in and out.

#include "LinkFakes.h"
#include "programmer/DeviceNotices.h"
#include "programmer/PortList.h"
#include "programmer/ProgrammerDiscovery.h"
#include "programmer/ProgrammerLink.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

PortEntry Ordinary(const QString& name) { return {name, "/dev/" + name, false, 0, 0}; }
PortEntry UsbSerial(const QString& name, quint16 vid = 0x0403, quint16 pid = 0x6001)
{
    return {name, "/dev/" + name, true, vid, pid};
}
PortEntry Programmer(const QString& name) { return UsbSerial(name, ProgrammerVendorId, ProgrammerProductId); }

const QString ProgrammerName = QStringLiteral("USB\\VID_04D8&PID_E91A\\1-1:1.0");

struct DiscoveryRig {
    explicit DiscoveryRig(FirmwareModel::Settings settings = {})
            : port(clock, settings), link(port, prompts, clock), discovery(link, ports, display)
    {
    }
    InstantClock clock;
    FakeProgrammerPort port;
    ScriptedPrompts prompts;
    ProgrammerLink link;
    FixedPortList ports;
    RecordingDisplay display;
    ProgrammerDiscovery discovery;
};

void MakeFile(const QString& path, const QByteArray& content = {})
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    WriteAll(path, content);
}

void MakeLink(const QString& target, const QString& link)
{
    QDir().mkpath(QFileInfo(link).absolutePath());
    QDir().mkpath(target);
    QVERIFY(QFile::link(target, link));
}

} // namespace

class DiscoveryTest : public QObject {
    Q_OBJECT
private slots:
    void programmerPortIsChosenAmongAllPorts_data()
    {
        QTest::addColumn<QList<PortEntry>>("ports");
        QTest::addColumn<QString>("chosen");
        QTest::newRow("only ordinary ports") << QList<PortEntry>{Ordinary("ttyS0"), Ordinary("ttyS1")} << QString();
        QTest::newRow("first USB serial port as fallback")
            << QList<PortEntry>{Ordinary("ttyS0"), UsbSerial("ttyUSB0"), UsbSerial("ttyUSB1")} << "/dev/ttyUSB0";
        QTest::newRow("programmer's identifiers win over order")
            << QList<PortEntry>{UsbSerial("ttyUSB0"), Programmer("ttyACM3")} << "/dev/ttyACM3";
        QList<PortEntry> many;
        for (int i = 0; i < 300; ++i) many << Ordinary(QStringLiteral("ttyS%1").arg(i));
        many << Programmer("ttyACM0");
        QTest::newRow("entries beyond the 255th are looked at") << many << "/dev/ttyACM0";
    }
    void programmerPortIsChosenAmongAllPorts()
    {
        QFETCH(QList<PortEntry>, ports);
        QFETCH(QString, chosen);
        const PortEntry* entry = ChooseProgrammerPort(ports);
        QCOMPARE(entry ? entry->devicePath : QString(), chosen);
    }

    void givenPortComesFirstAndCountsAsTheProgrammer()
    {
        FixedPortList base;
        base.list = QList<PortEntry>{Programmer("ttyACM0"), Ordinary("ttyS0"), Ordinary("sim")};
        base.list->last().devicePath = "/tmp/sim";
        PortListWithOverride withPort(base, "/tmp/sim");
        QCOMPARE(ChooseProgrammerPort(*withPort.ports())->devicePath, QStringLiteral("/tmp/sim"));
        QCOMPARE(withPort.ports()->size(), 3); // listed once
        // Even without a list of the system's ports, the given port is there.
        base.list.reset();
        QCOMPARE(withPort.ports()->size(), 1);
        QVERIFY(!PortListWithOverride(base, {}).ports().has_value());

        qputenv("KAVRO_PORT", "/dev/from-env");
        QCOMPARE(PortOverride({}), QStringLiteral("/dev/from-env"));
        QCOMPARE(PortOverride("/dev/from-option"), QStringLiteral("/dev/from-option"));
        qunsetenv("KAVRO_PORT");
        QCOMPARE(PortOverride({}), QString());
        // A port given relative to the working directory is found there, not under /dev.
        WorkingDirectory here;
        MakeFile(here.file("sim.port"));
        QCOMPARE(PortOverride("sim.port"), here.file("sim.port"));
        QCOMPARE(PortOverride("ttyACM0"), QStringLiteral("ttyACM0"));
    }

    void sysfsListMarksUsbSerialPortsWithTheirIdentifiers()
    {
        QTemporaryDir root;
        const QString sys = root.filePath("sys");
        const QString usbDevice = sys + "/devices/pci0/usb1/1-1";
        const QString ftdiDevice = sys + "/devices/pci0/usb1/1-2";
        MakeFile(usbDevice + "/idVendor", "04d8\n");
        MakeFile(usbDevice + "/idProduct", "e91a\n");
        MakeFile(ftdiDevice + "/idVendor", "0403\n");
        MakeFile(ftdiDevice + "/idProduct", "6001\n");
        MakeLink(sys + "/bus/usb/drivers/cdc_acm", usbDevice + "/1-1:1.0/driver");
        MakeLink(sys + "/bus/usb-serial/drivers/ftdi_sio", ftdiDevice + "/1-2:1.0/ttyUSB0/driver");
        MakeLink(sys + "/bus/platform/drivers/serial8250", sys + "/devices/platform/serial8250/driver");
        MakeLink(usbDevice + "/1-1:1.0", sys + "/class/tty/ttyACM0/device");
        MakeLink(ftdiDevice + "/1-2:1.0/ttyUSB0", sys + "/class/tty/ttyUSB0/device");
        MakeLink(sys + "/devices/platform/serial8250", sys + "/class/tty/ttyS0/device");
        QDir().mkpath(sys + "/class/tty/tty1"); // a virtual console: no device behind it

        SysfsPortList list(sys, "/dev");
        const auto ports = list.ports();
        QVERIFY(ports.has_value());
        QCOMPARE(ports->size(), 3);
        QCOMPARE((*ports)[0].devicePath, QStringLiteral("/dev/ttyACM0"));
        QVERIFY((*ports)[0].usbSerial && (*ports)[0].isProgrammer());
        QCOMPARE((*ports)[1].kernelName, QStringLiteral("ttyS0"));
        QVERIFY(!(*ports)[1].usbSerial);
        QVERIFY((*ports)[2].usbSerial && !(*ports)[2].isProgrammer());
        QCOMPARE((*ports)[2].vendorId, quint16(0x0403));

        QVERIFY(!SysfsPortList(root.filePath("nothing")).ports().has_value());
    }

    void findProgrammerOutcomes_data()
    {
        QTest::addColumn<bool>("listReadable");
        QTest::addColumn<QList<PortEntry>>("ports");
        QTest::addColumn<bool>("silent");
        QTest::addColumn<int>("version");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QStringList>("titles"); // the programmer counts as present with the connected title
        const QList<PortEntry> withProgrammer{Ordinary("ttyS0"), Programmer("ttyACM0")};
        QTest::newRow("compatible programmer")
            << true << withProgrammer << false << 3 << true << QStringList{} << QStringList{ConnectedTitle()};
        QTest::newRow("port list unreadable") << false << withProgrammer << false << 3 << false
                                              << QStringList{"Failed to get list of equipment"} << QStringList{};
        QTest::newRow("only ordinary ports")
            << true << QList<PortEntry>{Ordinary("ttyS0")} << false << 3 << false
            << QStringList{"There is no connection of the programmer"} << QStringList{NotConnectedTitle()};
        QTest::newRow("silent programmer")
            << true << withProgrammer << true << 3 << false
            << QStringList{"Connection to adapter failed(0)", "incompatible version of the software adapter"}
            << QStringList{ConnectedTitle()};
        QTest::newRow("old firmware") << true << withProgrammer << false << 2 << false
                                      << QStringList{"incompatible version of the software adapter"}
                                      << QStringList{ConnectedTitle()};
    }
    void findProgrammerOutcomes()
    {
        QFETCH(bool, listReadable);
        QFETCH(QList<PortEntry>, ports);
        QFETCH(bool, silent);
        QFETCH(int, version);
        QFETCH(bool, found);
        QFETCH(QStringList, messages);
        QFETCH(QStringList, titles);
        const bool present = titles == QStringList{ConnectedTitle()};
        DiscoveryRig rig({static_cast<std::uint8_t>(version), nullptr});
        rig.port.silent = silent;
        if (listReadable)
            rig.ports.list = ports;
        else
            rig.ports.list.reset();
        QCOMPARE(rig.discovery.FindProgrammer(Language::English), found);
        QCOMPARE(rig.prompts.texts(), messages);
        QCOMPARE(rig.display.titles, titles);
        QCOMPARE(rig.link.ProgrammerPresent, present);
        QVERIFY(!rig.port.isOpen());
        if (present) QCOMPARE(rig.port.openedPaths.first(), QStringLiteral("/dev/ttyACM0"));
    }

    void atStartUpOnlyAPortThatFailsIsReportedOnceByName_data()
    {
        QTest::addColumn<bool>("listReadable");
        QTest::addColumn<QList<PortEntry>>("ports");
        QTest::addColumn<PortOpenResult>("opens");
        QTest::addColumn<LineSetupResult>("setup");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QStringList>("messages");
        const QList<PortEntry> withProgrammer{Programmer("ttyACM0")};
        QTest::newRow("compatible programmer")
            << true << withProgrammer << PortOpenResult::Opened << LineSetupResult::Applied << true << QStringList{};
        QTest::newRow("port list unreadable")
            << false << withProgrammer << PortOpenResult::Opened << LineSetupResult::Applied << false << QStringList{};
        QTest::newRow("only ordinary ports") << true << QList<PortEntry>{Ordinary("ttyS0")} << PortOpenResult::Opened
                                             << LineSetupResult::Applied << false << QStringList{};
        QTest::newRow("busy or absent")
            << true << withProgrammer << PortOpenResult::Failed << LineSetupResult::Applied << false
            << QStringList{"This port is busy or absent (port /dev/ttyACM0).\nDevice or resource busy"};
        QTest::newRow("no permission")
            << true << withProgrammer << PortOpenResult::PermissionDenied << LineSetupResult::Applied << false
            << QStringList{"No permission to open the port /dev/ttyACM0. Install the udev rule "
                           "60-kavro-px17.rules, or add your user to the dialout group and log in again."};
        QTest::newRow("line settings refused")
            << true << withProgrammer << PortOpenResult::Opened << LineSetupResult::CannotApply << false
            << QStringList{"Error 3 port initialization\n/dev/ttyACM0"};
    }
    void atStartUpOnlyAPortThatFailsIsReportedOnceByName()
    {
        QFETCH(bool, listReadable);
        QFETCH(QList<PortEntry>, ports);
        QFETCH(PortOpenResult, opens);
        QFETCH(LineSetupResult, setup);
        QFETCH(bool, found);
        QFETCH(QStringList, messages);
        DiscoveryRig rig;
        rig.port.openResult = opens;
        rig.port.setupResult = setup;
        if (listReadable)
            rig.ports.list = ports;
        else
            rig.ports.list.reset();
        QCOMPARE(rig.discovery.FindProgrammerAtStartUp(Language::English), found);
        QCOMPARE(rig.prompts.texts(), messages);
        QCOMPARE(rig.display.titles, QStringList{found ? ConnectedTitle() : NotConnectedTitle()});
        QVERIFY(!rig.port.isOpen());
        // A port that failed stays the programmer's: the next command tries it again and says why.
        if (!messages.isEmpty()) {
            QVERIFY(rig.link.ProgrammerPresent);
            QVERIFY(!rig.link.OpenProgrammerPort(Language::English));
            QVERIFY(rig.prompts.texts().size() > messages.size());
        }
    }

    void atStartUpTheVersionReplyIsTakenWithoutWaitingForAPollTick()
    {
        DiscoveryRig rig;
        rig.ports.list = QList<PortEntry>{Programmer("ttyACM0")};
        QVERIFY(rig.discovery.FindProgrammerAtStartUp(Language::English));
        QVERIFY(rig.clock.idles.isEmpty());
        QVERIFY(rig.clock.nowMs() < PollPeriodMs);
        // Once the window runs, its exchanges go back to its poll ticks.
        QCOMPARE(rig.link.replyWait(), ReplyWait::PollTicks);
        QVERIFY(rig.discovery.FindProgrammer(Language::English));
        QCOMPARE(rig.clock.idles, QList<int>{PollPeriodMs});
    }

    void noticesFollowPlugAndUnplug_data()
    {
        QTest::addColumn<QList<DeviceNotice>>("notices");
        QTest::addColumn<int>("discoveries"); // version queries sent
        QTest::addColumn<QString>("lastTitle");
        QTest::addColumn<bool>("present");
        QTest::addColumn<QString>("status");
        const DeviceNotice arrival{DeviceEvent::Arrival, DeviceKind::Interface, ProgrammerName};
        const DeviceNotice removal{DeviceEvent::RemovalComplete, DeviceKind::Interface, ProgrammerName};
        const DeviceNotice changed{DeviceEvent::ConfigurationChanged, DeviceKind::Other, {}};
        const DeviceNotice port{DeviceEvent::Arrival, DeviceKind::Port, "ttyACM0"};
        QTest::newRow("two arrivals and one change run discovery once")
            << QList<DeviceNotice>{arrival, port, arrival, changed} << 1 << ConnectedTitle() << true
            << "конфигурация изменена";
        QTest::newRow("removal drops the flag at once")
            << QList<DeviceNotice>{removal} << 0 << QString() << false << "Извлечен интерфейс";
        QTest::newRow("change after removal: not connected") << QList<DeviceNotice>{arrival, removal, changed} << 0
                                                             << NotConnectedTitle() << false << "конфигурация изменена";
        QTest::newRow("other device never counts")
            << QList<DeviceNotice>{{DeviceEvent::Arrival, DeviceKind::Interface, "USB\\VID_0403&PID_6001\\1-2"},
                                   changed}
            << 0 << NotConnectedTitle() << false << "конфигурация изменена";
        QTest::newRow("lower-case identifiers do not match")
            << QList<DeviceNotice>{{DeviceEvent::Arrival, DeviceKind::Interface, "usb\\vid_04d8&pid_e91a\\1-1"},
                                   changed}
            << 0 << NotConnectedTitle() << false << "конфигурация изменена";
        QTest::newRow("port notice only sets the status")
            << QList<DeviceNotice>{port} << 0 << QString() << true << "Вставлен новый port";
        QTest::newRow("port removal shows the arrival text")
            << QList<DeviceNotice>{{DeviceEvent::RemovalComplete, DeviceKind::Port, "ttyACM0"}} << 0 << QString()
            << true << "Вставлен новый port";
    }
    void noticesFollowPlugAndUnplug()
    {
        QFETCH(QList<DeviceNotice>, notices);
        QFETCH(int, discoveries);
        QFETCH(QString, lastTitle);
        QFETCH(bool, present);
        QFETCH(QString, status);
        DiscoveryRig rig;
        rig.ports.list = QList<PortEntry>{Programmer("ttyACM0")};
        rig.link.ProgrammerPresent = true;
        for (const DeviceNotice& notice : notices) rig.discovery.OnDeviceChange(notice, Language::English);

        int versionQueries = 0;
        for (const Packet& packet : rig.port.firmware().packets()) versionQueries += packet.code == pcVersion;
        QCOMPARE(versionQueries, discoveries);
        QCOMPARE(rig.clock.sleeps, discoveries ? QList<int>{SettleAfterPlugInMs} : QList<int>{});
        QCOMPARE(rig.display.titles.isEmpty() ? QString() : rig.display.titles.last(), lastTitle);
        QCOMPARE(rig.link.ProgrammerPresent, present);
        QCOMPARE(rig.display.statuses.size(), notices.size());
        QCOMPARE(rig.display.statuses.last(), status);
        QCOMPARE(rig.display.modeButton, discoveries ? QList<bool>{true} : QList<bool>{});
        QVERIFY(rig.prompts.messages().isEmpty());
    }

    void polledPortListTurnsPlugAndUnplugIntoNotices()
    {
        FixedPortList ports;
        ports.list = QList<PortEntry>{Ordinary("ttyS0")};
        LinuxDeviceNotices notices(ports, LinuxDeviceNotices::Source::PollingOnly, 10);
        QList<DeviceNotice> received;
        notices.start([&](const DeviceNotice& notice) { received.append(notice); });
        QVERIFY(!notices.usesMonitor());

        ports.list->append(Programmer("ttyACM0"));
        QTRY_COMPARE(received.size(), 2);
        QCOMPARE(received[0].event, DeviceEvent::Arrival);
        QCOMPARE(received[0].kind, DeviceKind::Interface);
        QCOMPARE(received[0].deviceName, QStringLiteral("USB\\VID_04D8&PID_E91A\\ttyACM0"));
        QCOMPARE(received[1].event, DeviceEvent::ConfigurationChanged);

        ports.list->removeLast();
        QTRY_COMPARE(received.size(), 4);
        QCOMPARE(received[2].event, DeviceEvent::RemovalComplete);
        QCOMPARE(received[3].event, DeviceEvent::ConfigurationChanged);
    }
};

QTEST_GUILESS_MAIN(DiscoveryTest)
#include "tst_discovery.moc"
