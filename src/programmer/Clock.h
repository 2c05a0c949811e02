#pragma once
// The fixed waits of the link (poll period, pause after each chunk, wait after a plug-in) go
// through this interface, so tests run them instantly and can see them.

#include <QtGlobal>

class Clock {
public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start, never going back.
    virtual qint64 nowMs() const = 0;
    // Blocks the thread (the pause after a chunk, the settling wait after a plug-in).
    virtual void sleepMs(int ms) = 0;
    // Waits while the event loop keeps running, so the user interface stays responsive.
    virtual void idleMs(int ms) = 0;
};

class SystemClock : public Clock {
public:
    SystemClock();
    qint64 nowMs() const override;
    void sleepMs(int ms) override;
    void idleMs(int ms) override;

private:
    qint64 start_;
};
