#include "programmer/TracingSerialPort.h"

namespace {
QString Seconds(qint64 elapsedNs) { return QStringLiteral("%1").arg(double(elapsedNs) / 1e9, 11, 'f', 6); }
QString Hex(QByteArrayView bytes) { return QString::fromLatin1(bytes.toByteArray().toHex(' ')); }
} // namespace

QString TraceLine(qint64 elapsedNs, TraceDirection direction, QByteArrayView bytes)
{
    const char* arrow = direction == TraceDirection::ToProgrammer ? "PC->PX" : "PX->PC";
    return QStringLiteral("%1 %2 %3").arg(Seconds(elapsedNs), QLatin1String(arrow), Hex(bytes));
}

QString StaleBytesTraceLine(qint64 elapsedNs, QByteArrayView stale)
{
    return QStringLiteral("%1 PX->PC discarded %2 stale bytes before the request: %3")
        .arg(Seconds(elapsedNs))
        .arg(stale.size())
        .arg(Hex(stale));
}

TracingSerialPort::TracingSerialPort(SerialPort& port, Sink sink) : port_(port), sink_(std::move(sink))
{
    started_.start();
}

QByteArray TracingSerialPort::read(int count, int limitMs)
{
    const bool wasHungUp = port_.hungUp();
    QByteArray bytes = port_.read(count, limitMs);
    if (!bytes.isEmpty()) sink_(TraceLine(started_.nsecsElapsed(), TraceDirection::FromProgrammer, bytes));
    if (!wasHungUp && port_.hungUp())
        sink_(Seconds(started_.nsecsElapsed()) + QStringLiteral(" PX->PC the port hung up"));
    return bytes;
}

void TracingSerialPort::write(QByteArrayView bytes)
{
    if (port_.isOpen()) sink_(TraceLine(started_.nsecsElapsed(), TraceDirection::ToProgrammer, bytes));
    port_.write(bytes);
}

QByteArray TracingSerialPort::purge()
{
    QByteArray stale = port_.purge();
    if (!stale.isEmpty()) sink_(StaleBytesTraceLine(started_.nsecsElapsed(), stale));
    return stale;
}
