#pragma once
// The serial port the programmer sits behind. The link only needs these operations; the real one
// is QSerialPort, tests put an in-process programmer or kavro-sim behind it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

enum class PortOpenResult { Opened, Failed, PermissionDenied };

enum class LineSetupResult {
    Applied,
    CannotRead,        // the port's current settings could not be read
    CannotApply,       // 256000 baud, 8 data bits, no parity, two stop bits, no flow control refused
    CannotSetTimeouts, // the read time-outs could not be set
};

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Opens the device path for reading and writing, exclusively.
    virtual PortOpenResult open(const QString& path) = 0;
    // Applies the programmer's line settings (DTR and RTS off) and read time-outs.
    virtual LineSetupResult configure() = 0;
    virtual bool isOpen() const = 0;
    // Returns when `count` bytes have arrived, when more than 2 ms pass between two bytes, or after
    // 80 + 6 * count ms, with whatever arrived. Nothing on a closed port.
    virtual QByteArray read(int count) = 0;
    virtual void write(QByteArrayView bytes) = 0;
    virtual void clearErrors() = 0;
    // Empties the input and output buffers.
    virtual void purge() = 0;
    virtual void close() = 0;
    // The system's text for the last error.
    virtual QString errorText() const = 0;
};

// The read rule's total time-out for `count` bytes.
constexpr int ReadTimeoutMs(int count) { return 80 + 6 * count; }
constexpr int ReadGapMs = 2;
