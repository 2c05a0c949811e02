#include "programmer/QtSerialPort.h"

#include <QElapsedTimer>
#include <QFileInfo>

#include <cerrno>
#include <poll.h>
#include <unistd.h>

bool IsPseudoTerminal(const QString& path)
{
    return QFileInfo(path).canonicalFilePath().startsWith(QLatin1String("/dev/pts/"));
}

PortOpenResult QtSerialPort::open(const QString& path)
{
    close();
    error_.clear();
    hungUp_ = false;
    pseudoTerminal_ = IsPseudoTerminal(path);
    port_.setPortName(path);
    if (port_.open(QIODevice::ReadWrite)) return PortOpenResult::Opened;
    error_ = port_.errorString();
    const auto error = port_.error();
    port_.clearError();
    // QSerialPort reports a lock held by another program as a permission error too; only a
    // device the user may not open counts as missing permission.
    const QByteArray native = QFileInfo(path).absoluteFilePath().toLocal8Bit();
    if (error == QSerialPort::PermissionError && QFileInfo::exists(path) &&
        ::access(native.constData(), R_OK | W_OK) != 0)
        return PortOpenResult::PermissionDenied;
    return PortOpenResult::Failed;
}

LineSetupResult QtSerialPort::configure()
{
    if (!port_.isOpen()) return LineSetupResult::CannotRead;
    const bool framing = port_.setDataBits(QSerialPort::Data8) && port_.setParity(QSerialPort::NoParity) &&
                         port_.setStopBits(QSerialPort::TwoStop) && port_.setFlowControl(QSerialPort::NoFlowControl);
    const bool baud = port_.setBaudRate(256000);
    const bool lines = port_.setDataTerminalReady(false) && port_.setRequestToSend(false);
    if (pseudoTerminal_) {
        // A pseudo-terminal has no modem lines and may not take a custom rate; nothing is lost.
        port_.clearError();
        if (!framing) return LineSetupResult::CannotApply;
    } else if (!(framing && baud && lines)) {
        error_ = port_.errorString();
        return LineSetupResult::CannotApply;
    }
    // Bytes left from an exchange that timed out must not pass for the next reply.
    purge();
    return LineSetupResult::Applied;
}

namespace {
enum class Readiness { Readable, TimedOut, HungUp };

// Waits until the descriptor has bytes to read, hangs up, or `timeoutNs` pass, to the nanosecond:
// the gap rule of a read is 2 ms, finer than the millisecond waits QSerialPort offers. A hung-up
// terminal also reports itself readable (its reads return end of file), so the hang-up is
// looked at first.
Readiness WaitReadable(int descriptor, qint64 timeoutNs)
{
    pollfd watched{descriptor, POLLIN, 0};
    const timespec timeout{static_cast<time_t>(timeoutNs / 1'000'000'000),
                           static_cast<long>(timeoutNs % 1'000'000'000)};
    int ready;
    do {
        ready = ::ppoll(&watched, 1, &timeout, nullptr);
    } while (ready < 0 && errno == EINTR);
    if (ready < 0 || (watched.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return Readiness::HungUp;
    return ready > 0 ? Readiness::Readable : Readiness::TimedOut;
}

// Rounds of the kernel's input taken when the buffers are emptied; enough to count what a
// misbehaving programmer left, without chasing one that never stops sending.
constexpr int StaleInputRounds = 16;
} // namespace

QByteArray QtSerialPort::read(int count, int limitMs)
{
    QByteArray bytes;
    if (!port_.isOpen() || count <= 0) return bytes;
    QElapsedTimer clock;
    clock.start();
    ReadRule rule(0, count, limitMs);
    bytes = port_.read(count);
    if (!bytes.isEmpty()) rule.bytesArrived(clock.nsecsElapsed());
    while (bytes.size() < count && !hungUp_) {
        const qint64 left = rule.endNs() - clock.nsecsElapsed();
        if (left <= 0) break;
        const Readiness readiness = WaitReadable(static_cast<int>(port_.handle()), left);
        if (readiness == Readiness::TimedOut) break;
        if (readiness == Readiness::HungUp) {
            hungUp_ = true;
            break;
        }
        // Hands what the descriptor holds to QSerialPort's buffer without waiting.
        port_.waitForReadyRead(0);
        const QByteArray more = port_.read(count - bytes.size());
        // Readable with nothing to read is the end of file of a device that went away.
        if (more.isEmpty()) {
            hungUp_ = true;
            break;
        }
        rule.bytesArrived(clock.nsecsElapsed());
        bytes += more;
    }
    return bytes;
}

bool QtSerialPort::hasInput()
{
    if (!port_.isOpen()) return false;
    if (port_.bytesAvailable() > 0) return true;
    if (hungUp_) return false;
    const Readiness readiness = WaitReadable(static_cast<int>(port_.handle()), 0);
    hungUp_ = readiness == Readiness::HungUp;
    return readiness == Readiness::Readable;
}

void QtSerialPort::write(QByteArrayView bytes)
{
    if (!port_.isOpen()) return;
    port_.write(bytes.data(), bytes.size());
    port_.waitForBytesWritten(1000);
}

QByteArray QtSerialPort::purge()
{
    if (!port_.isOpen()) return {};
    QByteArray stale = port_.readAll();
    for (int round = 0; round < StaleInputRounds && hasInput(); ++round) {
        port_.waitForReadyRead(0);
        stale += port_.readAll();
    }
    port_.clear(QSerialPort::AllDirections);
    return stale;
}

void QtSerialPort::close()
{
    if (port_.isOpen()) port_.close();
    hungUp_ = false;
}
