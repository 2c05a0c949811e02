#pragma once
// A clock whose waits take no time: they advance a virtual time, kept in nanoseconds so that a
// stand-in line can place bytes between milliseconds, and are recorded.

#include "programmer/Clock.h"

#include <QList>

class InstantClock : public Clock {
public:
    qint64 nowMs() const override { return nowNs_ / 1'000'000; }
    void sleepMs(int ms) override
    {
        sleeps.append(ms);
        advance(ms);
    }
    void idleMs(int ms) override
    {
        idles.append(ms);
        advance(ms);
    }
    void advance(qint64 ms) { nowNs_ += ms * 1'000'000; }
    qint64 nowNs() const { return nowNs_; }
    void setNowNs(qint64 ns) { nowNs_ = ns; }

    QList<int> sleeps;
    QList<int> idles;

private:
    qint64 nowNs_ = 0;
};
