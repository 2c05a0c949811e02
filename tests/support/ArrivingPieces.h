#pragma once
// The line of a stand-in programmer port: bytes arrive in pieces, each a gap after the one before
// it, and a read takes them under the port's ReadRule in virtual time, as the real port does.

#include "programmer/SerialPort.h"

#include <QByteArray>

#include <deque>

struct ArrivingPiece {
    QByteArray bytes;
    qint64 gapNs; // after the previous piece, or after the read that waits for it starts
};

// Whether the first piece a read takes waits its gap (a scripted line) or is already there when
// the read starts (a port whose replies wait for the computer to read them).
enum class FirstPiece { WaitsItsGap, AlreadyThere };

// Takes up to `count` bytes into `bytes`, the read starting at `startNs`. A piece the rule no
// longer waits for keeps the time it still takes. Returns when the last byte taken arrived
// (`startNs` when none was).
inline qint64 TakeArrivingBytes(std::deque<ArrivingPiece>& pieces, int count, ReadRule& rule, qint64 startNs,
                                FirstPiece first, QByteArray& bytes)
{
    qint64 at = startNs;
    while (bytes.size() < count && !pieces.empty()) {
        ArrivingPiece& piece = pieces.front();
        const bool waiting = first == FirstPiece::AlreadyThere && bytes.isEmpty();
        const qint64 arrival = waiting ? at : at + piece.gapNs;
        if (!rule.accepts(arrival)) {
            piece.gapNs = arrival - rule.endNs();
            break;
        }
        at = arrival;
        piece.gapNs = 0;
        const QByteArray taken = piece.bytes.left(count - bytes.size());
        bytes += taken;
        piece.bytes.remove(0, taken.size());
        if (piece.bytes.isEmpty()) pieces.pop_front();
        rule.bytesArrived(at);
    }
    return at;
}
