#pragma once
// The real main window for the programs beside the test suite (benchmarks, pictures): started
// with its own lang.ini, the system's port list and serial port, and no question ever answered.

#include "app/MainWindow.h"
#include "programmer/Clock.h"
#include "programmer/DeviceNotices.h"
#include "programmer/PortList.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/QtSerialPort.h"

#include <QTemporaryDir>

class SilentPrompts : public Prompts {
public:
    PromptAnswer message(const QString&, const QString&, PromptButtons, PromptIcon) override { return PromptAnswer::No; }
    std::optional<FileDialogChoice> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileDialogChoice> saveFile(const FileDialogRequest&) override { return std::nullopt; }
};

struct StandaloneWindow {
    QTemporaryDir config;
    SilentPrompts prompts;
    SystemPortList ports{QString()};
    LinuxDeviceNotices notices{ports};
    QtSerialPort port;
    SystemClock clock;
    ProgrammerLink link{port, prompts, clock};
    TForm1 window{TForm1Setup{prompts, config.filePath(QStringLiteral("lang.ini")), ProgrammerPieces{link, ports, notices}}};
};
