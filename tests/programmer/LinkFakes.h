#pragma once
// In-process stand-ins for the programmer's world: a clock whose waits take no time, a serial port
// with the simulator's firmware model behind it, and recorders for progress and the window.

#include "programmer/Chips.h"
#include "programmer/Clock.h"
#include "programmer/PortList.h"
#include "programmer/ProgrammerDiscovery.h"
#include "programmer/SerialPort.h"
#include "programmer/TransferProgress.h"
#include "sim/FirmwareModel.h"
#include "support/ArrivingPieces.h"
#include "support/InstantClock.h"

#include <QList>
#include <QStringList>
#include <QTest>

#include <deque>

// A serial port with the firmware model behind it. Replies arrive in pieces with a gap before each;
// a read follows the line's read rule (ReadRule) over them in virtual time: it takes the pieces
// whose gap is at most 2 ms, up to the count asked for, and a read left short takes the time the
// rule waits for more.
class FakeProgrammerPort : public SerialPort {
public:
    explicit FakeProgrammerPort(InstantClock& clock, FirmwareModel::Settings settings = {})
            : clock_(clock), firmware_(memories, settings)
    {
    }

    PortOpenResult open(const QString& path) override;
    LineSetupResult configure() override { return setupResult; }
    bool isOpen() const override { return open_; }
    using SerialPort::read;
    QByteArray read(int count, int limitMs) override;
    bool hasInput() override { return open_ && !arrivals_.empty(); }
    bool hungUp() const override { return open_ && unplugAfter >= 0 && replies_ >= unplugAfter && arrivals_.empty(); }
    void write(QByteArrayView bytes) override;
    void clearErrors() override {}
    QByteArray purge() override;
    void close() override { open_ = false; }
    QString errorText() const override { return QStringLiteral("Device or resource busy"); }

    // Bytes that arrive as if the programmer sent them, in one piece, `gapBeforeUs` after the
    // previous piece.
    void arrive(const QByteArray& bytes, qint64 gapBeforeUs = 0) { arrivals_.push_back({bytes, gapBeforeUs * 1000}); }
    // The same, once the next packet has been written: a reply the test makes up.
    void arriveAfterNextWrite(const QByteArray& bytes, qint64 gapBeforeUs = 0)
    {
        scripted_.push_back({bytes, gapBeforeUs * 1000});
    }

    ChipMemories memories;
    // Faults and outcomes a test can set.
    PortOpenResult openResult = PortOpenResult::Opened;
    LineSetupResult setupResult = LineSetupResult::Applied;
    bool silent = false;
    int stallAfter = -1;        // replies answered before the programmer goes quiet; below 0 never
    qint64 splitGapUs = -1;     // at or above 0: every longer reply arrives in two halves this far apart
    bool corruptWrites = false; // the chip stores every page with its last byte inverted
    std::optional<char> idleReplyOverride;
    bool repeatReplies = false;   // every reply comes twice, back to back
    QByteArray junkBeforeReplies; // arrives with every reply, just before it
    int unplugAfter = -1;         // replies answered before the line hangs up; below 0 never


    // What the computer did.
    QList<QByteArray> writes;
    QStringList openedPaths;
    int openAttempts = 0;
    QByteArray discarded; // every byte a purge threw away
    // Virtual milliseconds the reads kept the caller waiting, and how many reads there were.
    qint64 blockedMs = 0;
    int reads = 0;
    const FirmwareModel& firmware() const { return firmware_; }

private:
    InstantClock& clock_;
    FirmwareModel firmware_;
    std::deque<ArrivingPiece> arrivals_;
    std::deque<ArrivingPiece> scripted_;
    bool open_ = false;
    int replies_ = 0;
};

class FixedPortList : public PortList {
public:
    std::optional<QList<PortEntry>> ports() override { return list; }
    std::optional<QList<PortEntry>> list = QList<PortEntry>{};
};

class RecordingProgress : public TransferProgress {
public:
    void open() override { ++opened; }
    void reset(int maximum) override { maxima.append(maximum); }
    void advance(int position, qint64 bytes) override
    {
        positions.append(position);
        byteCounts.append(bytes);
    }
    void close() override { ++closed; }

    int opened = 0;
    int closed = 0;
    QList<int> maxima;
    QList<int> positions;
    QList<qint64> byteCounts;
};

class RecordingDisplay : public DiscoveryDisplay {
public:
    void setTitle(const QString& title) override { titles.append(title); }
    void showStatus(const QString& text) override { statuses.append(text); }
    void enableProgrammerMode(bool enabled) override { modeButton.append(enabled); }

    QStringList titles;
    QStringList statuses;
    QList<bool> modeButton;
};

// One data row per chip, or per chip that can be written, in a column "chip".
inline void AddChipRows(bool writableOnly)
{
    QTest::addColumn<QString>("chip");
    for (const ProgrammerChip& chip : Chips)
        if (!writableOnly || chip.write.exists()) QTest::newRow(chip.name) << QString::fromLatin1(chip.name);
}
