#pragma once
// What a window under test with a real programmer port takes from outside, kept quiet: waits
// between chunks take no time, no device notices come, no sound plays.

#include "app/SoundPlayer.h"
#include "programmer/Clock.h"
#include "programmer/DeviceNotices.h"

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
