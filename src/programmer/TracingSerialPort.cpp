#include "programmer/TracingSerialPort.h"

QString TraceLine(qint64 elapsedNs, TraceDirection direction, QByteArrayView bytes)
{
    const char* arrow = direction == TraceDirection::ToProgrammer ? "PC->PX" : "PX->PC";
    return QStringLiteral("%1 %2 %3")
        .arg(double(elapsedNs) / 1e9, 11, 'f', 6)
        .arg(QLatin1String(arrow), QString::fromLatin1(bytes.toByteArray().toHex(' ')));
}

TracingSerialPort::TracingSerialPort(SerialPort& port, Sink sink) : port_(port), sink_(std::move(sink))
{
    started_.start();
}

QByteArray TracingSerialPort::read(int count, int limitMs)
{
    QByteArray bytes = port_.read(count, limitMs);
    if (!bytes.isEmpty()) sink_(TraceLine(started_.nsecsElapsed(), TraceDirection::FromProgrammer, bytes));
    return bytes;
}

void TracingSerialPort::write(QByteArrayView bytes)
{
    if (port_.isOpen()) sink_(TraceLine(started_.nsecsElapsed(), TraceDirection::ToProgrammer, bytes));
    port_.write(bytes);
}
