#pragma once
// The real main window for the programs beside the test suite (benchmarks, pictures): started
// with its own lang.ini, the system's port list and serial port, and no question ever answered.

#include "app/MainWindow.h"
#include "programmer/Clock.h"
#include "programmer/DeviceNotices.h"
#include "programmer/PortList.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/QtSerialPort.h"
#include "support/FixedAnswerPrompts.h"

#include <QApplication>
#include <QTemporaryDir>

struct StandaloneWindow {
    QTemporaryDir config;
    FixedAnswerPrompts prompts{PromptAnswer::No};
    SystemPortList ports{QString()};
    LinuxDeviceNotices notices{ports};
    QtSerialPort port;
    SystemClock clock;
    ProgrammerLink link{port, prompts, clock};
    TForm1 window{
        TForm1Setup{prompts, config.filePath(QStringLiteral("lang.ini")), ProgrammerPieces{link, ports, notices}}};
};

// A benchmark's program: the application, offscreen unless a platform is chosen, and the real
// window shown with its first events handled.
struct BenchmarkProgram {
    BenchmarkProgram(int& argc, char** argv) : application(OffscreenUnlessChosen(argc), argv)
    {
        window.show();
        window.activateWindow();
        QApplication::processEvents();
    }
    static int& OffscreenUnlessChosen(int& argc)
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        return argc;
    }

    QApplication application;
    StandaloneWindow standalone;
    TForm1& window = standalone.window;
};

// Every key slot, header key slot and extension slot holds a key of its own, as the benchmarks
// measure the pages at their fullest.
inline void FillEveryKey(IntercomStore& store)
{
    const auto key = [](std::size_t slot) {
        return KeySlot{{std::uint8_t(slot), std::uint8_t(slot >> 8), 0x5A, 0xFF}};
    };
    for (std::size_t slot = 0; slot < store.Record.KeySlots.size(); ++slot) store.Record.KeySlots[slot] = key(slot);
    for (std::size_t slot = 0; slot < store.Record.HeaderKeySlots.size(); ++slot)
        store.Record.HeaderKeySlots[slot] = key(slot);
    for (std::size_t slot = 0; slot < store.ExtensionKeySlots.size(); ++slot) store.ExtensionKeySlots[slot] = key(slot);
}
