// Prints the median time of an undo step (the record restored, the page filled again and the
// changed cell selected) on every page, on records whose every key slot, header key slot and
// extension slot holds a key, and the memory the history holds after 200 one-key steps.

#include "app/EditHistory.h"
#include "tools/StandaloneWindow.h"

#include <QAction>
#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Steps = 200;

struct Figures {
    double medianUndoMs;
    std::size_t historyBytes;
};

Figures MeasureUndo(TForm1& window, TDeviceType type, bool smallIButton)
{
    window.SelectTypeSilently(type);
    window.ANewExecute();
    window.SetSmallIButton(smallIButton);
    FillEveryKey(window.Store());
    window.ShowDataSet();
    QApplication::processEvents();
    auto& history = *window.findChild<EditHistory*>();
    // One step per changed key, each in a slot of its own, as typed keys make them.
    for (int step = 0; step < Steps; ++step) {
        window.Store().Record.KeySlots[static_cast<std::size_t>(step)].bytes[2] = 0xA5;
        window.Store().ExtensionKeySlots[static_cast<std::size_t>(step)].bytes[2] = 0xA5;
        window.MarkModified();
        QApplication::processEvents();
    }
    const std::size_t bytes = history.History().MemoryBytes();
    QAction* undo = window.findChild<QAction*>(QStringLiteral("AUndo"));
    std::vector<double> times;
    for (int step = 0; step < Steps / 4; ++step) {
        QElapsedTimer timer;
        timer.start();
        undo->trigger();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        QApplication::processEvents();
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], bytes};
}

} // namespace

int main(int argc, char* argv[])
{
    BenchmarkProgram program(argc, argv);
    TForm1& window = program.window;

    struct Case {
        const char* page;
        TDeviceType type;
        bool smallIButton;
    };
    std::printf("page                         median undo step   target   history of %d steps\n", Steps);
    for (const Case& page :
         {Case{"T150", TDeviceType::T150, false}, Case{"PKU-511", TDeviceType::PKU511, false},
          Case{"PKU-512T", TDeviceType::PKU512T, false}, Case{"LMR702", TDeviceType::LMR702, false},
          Case{"LMR70x 2680", TDeviceType::LMR70x2680, false}, Case{"PKU-630XE", TDeviceType::PKU630XE, false},
          Case{"PKU-618", TDeviceType::PKU618, false}, Case{"PKU-630", TDeviceType::PKU630, false},
          Case{"G300", TDeviceType::G300, false}, Case{"G300 DS1995", TDeviceType::G300, true},
          Case{"PKU-512S", TDeviceType::PKU512S, false}}) {
        const Figures figures = MeasureUndo(window, page.type, page.smallIButton);
        std::printf("%-28s %8.2f ms          16 ms    %zu bytes\n", page.page, figures.medianUndoMs,
                    figures.historyBytes);
    }
    return 0;
}
