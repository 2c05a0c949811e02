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

#include <QTemporaryDir>

struct StandaloneWindow {
    QTemporaryDir config;
    FixedAnswerPrompts prompts{PromptAnswer::No};
    SystemPortList ports{QString()};
    LinuxDeviceNotices notices{ports};
    QtSerialPort port;
    SystemClock clock;
    ProgrammerLink link{port, prompts, clock};
    TForm1 window{TForm1Setup{prompts, config.filePath(QStringLiteral("lang.ini")), ProgrammerPieces{link, ports, notices}}};
};
