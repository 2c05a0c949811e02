// Prints the median time of every fill of the pages over repeated fills, on records whose every
// key slot, header key slot and extension slot holds a key, and the peak resident memory of the
// started program.

#include "tools/StandaloneWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double MedianFillMs(TForm1& window, TDeviceType type, bool smallIButton, int repeats)
{
    window.SelectTypeSilently(type);
    window.ANewExecute();
    window.SetSmallIButton(smallIButton);
    FillEveryKey(window.Store());
    window.ShowDataSet();
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        window.PageControl1Change();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        QApplication::processEvents();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

QByteArray PeakResidentMemory()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return "unknown";
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).simplified();
    return "unknown";
}

} // namespace

int main(int argc, char* argv[])
{
    BenchmarkProgram program(argc, argv);
    TForm1& window = program.window;

    constexpr int Repeats = 51;
    struct Case {
        const char* fill;
        TDeviceType type;
        bool smallIButton;
    };
    std::printf("fill                                median of %d fills   target\n", Repeats);
    for (const Case& fill :
         {Case{"ShowT150Page (T150)", TDeviceType::T150, false},
          Case{"ShowT150Page (PKU-511)", TDeviceType::PKU511, false},
          Case{"ShowPKU512TPage (PKU-512T)", TDeviceType::PKU512T, false},
          Case{"ShowLMR702Page", TDeviceType::LMR702, false},
          Case{"ShowLMR70x_2680Page", TDeviceType::LMR70x2680, false},
          Case{"ShowPKU630XEPage", TDeviceType::PKU630XE, false}, Case{"ShowPKU618Page", TDeviceType::PKU618, false},
          Case{"ShowPKU630Page", TDeviceType::PKU630, false}, Case{"ShowG300Page", TDeviceType::G300, false},
          Case{"ShowG300DS1995Page", TDeviceType::G300, true}, Case{"ShowPKU512SPage", TDeviceType::PKU512S, false}})
        std::printf("%-36s %8.2f ms            20 ms\n", fill.fill,
                    MedianFillMs(window, fill.type, fill.smallIButton, Repeats));
    std::printf("peak resident memory (VmHWM) of the started program: %s\n", PeakResidentMemory().constData());
    return 0;
}
