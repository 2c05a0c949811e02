#pragma once
// The real window with kavro-sim as its programmer behind a real serial port, for end-to-end
// tests: waits between chunks take no time, no device notices come, no sound plays.

#include "LinkFakes.h"
#include "SimProcess.h"
#include "app/MainWindow.h"
#include "app/SoundPlayer.h"
#include "programmer/Clock.h"
#include "programmer/DeviceNotices.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/QtSerialPort.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QAction>

#include <memory>

class NoPauseClock : public SystemClock {
public:
    void sleepMs(int) override {}
};

class QuietNotices : public DeviceNotices {
public:
    void start(std::function<void(const DeviceNotice&)>) override {}
};

class SilentSounds : public SoundPlayer {
public:
    void play(const QString&) override {}
    void beep() override {}
};

// The window with kavro-sim as its programmer.
struct SimWindow {
    bool start(const QStringList& options = {})
    {
        if (!sim.start(options)) return false;
        form = std::make_unique<TForm1>(
            TForm1Setup{prompts, dir.file("lang.ini"), ProgrammerPieces{link, ports, notices}, {}, &sounds});
        link.ProgrammerPresent = true;
        link.ProgrammerPortPath = sim.port();
        form->show();
        // The preview's question is not what these tests answer; the backup stays on.
        Find<QAction>("NPreview")->setChecked(false);
        return true;
    }
    void Trigger(const char* action) { form->findChild<QAction*>(QString::fromLatin1(action))->trigger(); }
    template <typename T = QWidget>
    T* Find(const char* name)
    {
        return form->findChild<T*>(QString::fromLatin1(name));
    }

    WorkingDirectory dir;
    SimProcess sim;
    QtSerialPort port;
    ScriptedPrompts prompts;
    NoPauseClock clock;
    ProgrammerLink link{port, prompts, clock};
    FixedPortList ports;
    QuietNotices notices;
    SilentSounds sounds;
    std::unique_ptr<TForm1> form;
};
