#include "programmer/QtSerialPort.h"

#include <QDeadlineTimer>
#include <QFileInfo>

#include <unistd.h>

bool IsPseudoTerminal(const QString& path)
{
    return QFileInfo(path).canonicalFilePath().startsWith(QLatin1String("/dev/pts/"));
}

PortOpenResult QtSerialPort::open(const QString& path)
{
    close();
    error_.clear();
    pseudoTerminal_ = IsPseudoTerminal(path);
    port_.setPortName(path);
    if (port_.open(QIODevice::ReadWrite)) return PortOpenResult::Opened;
    error_ = port_.errorString();
    const auto error = port_.error();
    port_.clearError();
    // QSerialPort reports a lock held by another program as a permission error too; only a
    // device the user may not open counts as missing permission.
    const QByteArray native = QFileInfo(path).absoluteFilePath().toLocal8Bit();
    if (error == QSerialPort::PermissionError && QFileInfo::exists(path)
        && ::access(native.constData(), R_OK | W_OK) != 0)
        return PortOpenResult::PermissionDenied;
    return PortOpenResult::Failed;
}

LineSetupResult QtSerialPort::configure()
{
    if (!port_.isOpen()) return LineSetupResult::CannotRead;
    const bool framing = port_.setDataBits(QSerialPort::Data8) && port_.setParity(QSerialPort::NoParity)
        && port_.setStopBits(QSerialPort::TwoStop) && port_.setFlowControl(QSerialPort::NoFlowControl);
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

QByteArray QtSerialPort::read(int count)
{
    QByteArray bytes;
    if (!port_.isOpen() || count <= 0) return bytes;
    const QDeadlineTimer total(ReadTimeoutMs(count), Qt::PreciseTimer);
    bytes = port_.read(count);
    while (bytes.size() < count && !total.hasExpired()) {
        // Before the first byte the whole time-out applies; after it, a gap ends the read.
        const qint64 wait = bytes.isEmpty() ? total.remainingTime() : std::min<qint64>(total.remainingTime(), ReadGapMs + 1);
        if (!port_.waitForReadyRead(static_cast<int>(wait))) break;
        bytes += port_.read(count - bytes.size());
    }
    return bytes;
}

void QtSerialPort::write(QByteArrayView bytes)
{
    if (!port_.isOpen()) return;
    port_.write(bytes.data(), bytes.size());
    port_.waitForBytesWritten(1000);
}

void QtSerialPort::purge()
{
    if (!port_.isOpen()) return;
    port_.clear(QSerialPort::AllDirections);
    port_.readAll();
}

void QtSerialPort::close()
{
    if (port_.isOpen()) port_.close();
}
