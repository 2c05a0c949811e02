#pragma once
// The serial port the programmer sits behind. The link only needs these operations; the real one
// is QSerialPort, tests put an in-process programmer or kavro-sim behind it.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <algorithm>

enum class PortOpenResult { Opened, Failed, PermissionDenied };

enum class LineSetupResult {
    Applied,
    CannotRead,        // the port's current settings could not be read
    CannotApply,       // 256000 baud, 8 data bits, no parity, two stop bits, no flow control refused
    CannotSetTimeouts, // the read time-outs could not be set
};

// The read rule's total time-out for `count` bytes.
constexpr int ReadTimeoutMs(int count) { return 80 + 6 * count; }
constexpr int ReadGapMs = 2;

class SerialPort {
public:
    virtual ~SerialPort() = default;
    // Opens the device path for reading and writing, exclusively.
    virtual PortOpenResult open(const QString& path) = 0;
    // Applies the programmer's line settings (DTR and RTS off) and read time-outs.
    virtual LineSetupResult configure() = 0;
    virtual bool isOpen() const = 0;
    // Returns when `count` bytes have arrived, when more than 2 ms pass between two bytes, or after
    // 80 + 6 * count ms in all, or `limitMs` when that is shorter, with whatever arrived (ReadRule).
    // Nothing on a closed port.
    virtual QByteArray read(int count, int limitMs) = 0;
    QByteArray read(int count) { return read(count, ReadTimeoutMs(count)); }
    // True when bytes have arrived that no read took yet. Never waits.
    virtual bool hasInput() = 0;
    // True once the device hung up (end of file, or the system reports the line gone) since the
    // port was opened: nothing more will arrive, so waiting for it is pointless.
    virtual bool hungUp() const = 0;
    virtual void write(QByteArrayView bytes) = 0;
    virtual void clearErrors() = 0;
    // Empties the input and output buffers; returns the received bytes that no read took.
    virtual QByteArray purge() = 0;
    virtual void close() = 0;
    // The system's text for the last error.
    virtual QString errorText() const = 0;
};

// When one read gives up, in nanoseconds on any clock: before the first byte at the end of the
// total time-out, after it as soon as more than 2 ms pass without another byte (but never later
// than the total time-out). Real and simulated ports share it, so both end a read at the same
// moment.
class ReadRule {
public:
    static constexpr qint64 GapNs = qint64(ReadGapMs) * 1'000'000;

    ReadRule(qint64 startNs, int count, int limitMs)
            : totalEndNs_(startNs + qint64(std::min(ReadTimeoutMs(count), std::max(limitMs, 0))) * 1'000'000)
    {
    }
    void bytesArrived(qint64 nowNs) { lastArrivalNs_ = nowNs; }
    // A byte arriving at `nowNs` still belongs to this read.
    bool accepts(qint64 nowNs) const { return nowNs <= endNs(); }
    qint64 endNs() const { return lastArrivalNs_ < 0 ? totalEndNs_ : std::min(totalEndNs_, lastArrivalNs_ + GapNs); }

private:
    qint64 totalEndNs_;
    qint64 lastArrivalNs_ = -1;
};
