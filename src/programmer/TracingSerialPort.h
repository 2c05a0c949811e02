#pragma once
// A serial port that passes everything on to another one and writes one line for every packet
// sent and every reply read, with a time stamp and the bytes in hex, so that an exchange with a
// misbehaving programmer can be looked at.

#include "programmer/SerialPort.h"

#include <QElapsedTimer>

#include <functional>

enum class TraceDirection { ToProgrammer, FromProgrammer };

// "  12.345678 PC->PX 0b 00 00 01 00 00": seconds since the trace began, the direction, the bytes.
QString TraceLine(qint64 elapsedNs, TraceDirection direction, QByteArrayView bytes);
// "  12.345678 PX->PC discarded 3 stale bytes before the request: 01 02 03": bytes that waited on
// the port when a request was about to go out, thrown away so that they cannot pass for its reply.
QString StaleBytesTraceLine(qint64 elapsedNs, QByteArrayView stale);

class TracingSerialPort : public SerialPort {
public:
    using Sink = std::function<void(const QString& line)>;
    TracingSerialPort(SerialPort& port, Sink sink);

    PortOpenResult open(const QString& path) override { return port_.open(path); }
    LineSetupResult configure() override { return port_.configure(); }
    bool isOpen() const override { return port_.isOpen(); }
    using SerialPort::read;
    // A read that returns nothing writes no line: the silence shows as the absence of a reply.
    // A read that finds the port hung up says so once.
    QByteArray read(int count, int limitMs) override;
    bool hasInput() override { return port_.hasInput(); }
    bool hungUp() const override { return port_.hungUp(); }
    void write(QByteArrayView bytes) override;
    void clearErrors() override { port_.clearErrors(); }
    QByteArray purge() override;
    void close() override { port_.close(); }
    QString errorText() const override { return port_.errorText(); }

private:
    SerialPort& port_;
    Sink sink_;
    QElapsedTimer started_;
};
