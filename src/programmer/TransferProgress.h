#pragma once
// What a whole-chip transfer shows while it runs: a byte count and a gauge. The window shows a
// small dialog, kavro-cli a bar on a terminal, tests record the positions.

#include <QtGlobal>

class TransferProgress {
public:
    virtual ~TransferProgress() = default;
    virtual void open() = 0;
    // The gauge goes back to 0 with this maximum; the byte count to 0.
    virtual void reset(int maximum) = 0;
    // Gauge position and byte count, shown at once.
    virtual void advance(int position, qint64 bytes) = 0;
    virtual void close() = 0;
};

class NoProgress : public TransferProgress {
public:
    void open() override {}
    void reset(int) override {}
    void advance(int, qint64) override {}
    void close() override {}
};
