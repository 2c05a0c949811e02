#include "programmer/Clock.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <chrono>

namespace {
qint64 MonotonicMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}
} // namespace

SystemClock::SystemClock() : start_(MonotonicMs()) {}

qint64 SystemClock::nowMs() const { return MonotonicMs() - start_; }

void SystemClock::sleepMs(int ms) { QThread::msleep(static_cast<unsigned long>(ms)); }

void SystemClock::idleMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}
