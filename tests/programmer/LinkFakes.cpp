#include "LinkFakes.h"

PortOpenResult FakeProgrammerPort::open(const QString& path)
{
    ++openAttempts;
    openedPaths.append(path);
    open_ = openResult == PortOpenResult::Opened;
    return openResult;
}

void FakeProgrammerPort::write(QByteArrayView bytes)
{
    if (!open_) return;
    writes.append(bytes.toByteArray());
    arrivals_.insert(arrivals_.end(), scripted_.begin(), scripted_.end());
    scripted_.clear();
    firmware_.setCorruptWrites(corruptWrites);
    for (const FirmwareModel::Exchange& exchange : firmware_.receive(bytes)) {
        if (!exchange.reply) continue;
        QByteArray reply = *exchange.reply;
        if (silent || (stallAfter >= 0 && replies_ >= stallAfter) || (unplugAfter >= 0 && replies_ >= unplugAfter))
            continue;
        ++replies_;
        if (reply.size() == 1 && static_cast<std::uint8_t>(reply[0]) == IdleReply && idleReplyOverride)
            reply[0] = *idleReplyOverride;
        reply = junkBeforeReplies + reply;
        if (repeatReplies) reply += reply;
        if (splitGapUs >= 0 && reply.size() > 1) {
            const auto half = reply.size() / 2;
            arrive(reply.left(half));
            arrive(reply.mid(half), splitGapUs);
        } else {
            arrive(reply);
        }
    }
}

QByteArray FakeProgrammerPort::read(int count, int limitMs)
{
    QByteArray bytes;
    if (!open_ || count <= 0) return bytes;
    ++reads;
    // Pieces already waiting are there at the start; each later one comes its gap after the last.
    ReadRule rule(0, count, limitMs);
    TakeArrivingBytes(arrivals_, count, rule, 0, FirstPiece::AlreadyThere, bytes);
    // A whole read costs a millisecond; a short one lasts until the rule gives up.
    // A hung-up line gives what it holds and ends the read at once.
    const qint64 tookNs = bytes.size() == count ? 1'000'000 : hungUp() ? 0 : rule.endNs();
    const qint64 tookMs = (tookNs + 999'999) / 1'000'000;
    blockedMs += tookMs;
    clock_.advance(tookMs);
    return bytes;
}

QByteArray FakeProgrammerPort::purge()
{
    QByteArray stale;
    for (const ArrivingPiece& piece : arrivals_) stale += piece.bytes;
    arrivals_.clear();
    discarded += stale;
    return stale;
}
