// The window's own chip commands through kavro-sim pacing its replies as the real line would, timed
// from the command to its end as a user sees it (progress dialog included), against the line's
// limit: a 24C64 read of a PKU-630, a 24C16 write of a T150 without and with the read-back check.

#include "TransferBench.h"
#include "app/MainWindow.h"
#include "codecs/CodecTables.h"
#include "model/NewDocument.h"
#include "programmer/Chips.h"
#include "programmer/ChipTransfer.h"
#include "programmer/Clock.h"
#include "programmer/DeviceNotices.h"
#include "programmer/PortList.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/QtSerialPort.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

class QuietNotices : public DeviceNotices {
public:
    void start(std::function<void(const DeviceNotice&)>) override {}
};

class NoPorts : public PortList {
public:
    std::optional<QList<PortEntry>> ports() override { return QList<PortEntry>{}; }
};

double Time(TForm1& window, const char* action)
{
    QElapsedTimer timer;
    timer.start();
    window.findChild<QAction*>(QString::fromLatin1(action))->trigger();
    return timer.nsecsElapsed() / 1e9;
}

void Report(const char* what, double seconds, double limit)
{
    std::printf("%-28s %9.3f s %9.3f s %8.3fx\n", what, seconds, limit, seconds / limit);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QTemporaryDir work;
    QDir::setCurrent(work.path()); // the image files of the commands go here

    // A PKU-630 document on the simulator's 24C64.
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    ApplyNewDocument(*store, TDeviceType::PKU630);
    QFile chip(work.filePath(QStringLiteral("24C64.bin")));
    if (!chip.open(QIODevice::WriteOnly) || chip.write(DumpLayoutFor(TDeviceType::PKU630)->encode(*store)) < 0)
        return 1;
    chip.close();

    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral(KAVRO_SIM_PATH), {QStringLiteral("--wire-rate"), QStringLiteral("--chips"), work.path()});
    if (!sim.waitForStarted() || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "bench_window_transfer: kavro-sim did not start\n");
        return 1;
    }
    AcceptingPrompts prompts;
    QtSerialPort serial;
    SystemClock clock;
    ProgrammerLink link(serial, prompts, clock);
    NoPorts ports;
    QuietNotices notices;
    TForm1 window(
        TForm1Setup{prompts, work.filePath(QStringLiteral("lang.ini")), ProgrammerPieces{link, ports, notices}});
    link.ProgrammerPresent = true;
    link.ProgrammerPortPath = QString::fromLocal8Bit(sim.readLine().trimmed().mid(5));
    window.show();

    const ProgrammerChip& c24c64 = *FindChip(u"24C64");
    const ProgrammerChip& c24c16 = *FindChip(u"24C16");
    std::printf("%-28s %11s %11s %9s\n", "window command", "measured", "line limit", "ratio");
    window.SelectTypeSilently(TDeviceType::PKU630);
    Report("read 24C64 (PKU-630)", Time(window, "READ24c64"), ReadLimit(c24c64.read));

    window.SelectTypeSilently(TDeviceType::T150);
    window.ANewExecute();
    window.findChild<QAction*>(QStringLiteral("NVerify"))->setChecked(false);
    Report("write 24C16 (T150)", Time(window, "Write24c16"), WriteLimit(c24c16.write));
    window.findChild<QAction*>(QStringLiteral("NVerify"))->setChecked(true);
    Report("write 24C16, verified", Time(window, "Write24c16"), WriteLimit(c24c16.write) + ReadLimit(c24c16.read));

    sim.terminate();
    sim.waitForFinished();
    return 0;
}
