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
    for (QByteArray reply : firmware_.receive(bytes)) {
        if (silent || (stallAfter >= 0 && replies_ >= stallAfter)) continue;
        ++replies_;
        if (reply.size() == 1 && static_cast<std::uint8_t>(reply[0]) == IdleReply && idleReplyOverride)
            reply[0] = *idleReplyOverride;
        if (splitReplies && reply.size() > 1) {
            const auto half = reply.size() / 2;
            arrivals_.push_back({reply.left(half), false});
            arrivals_.push_back({reply.mid(half), true});
        } else {
            arrivals_.push_back({reply, false});
        }
    }
}

QByteArray FakeProgrammerPort::read(int count)
{
    QByteArray bytes;
    if (!open_ || count <= 0) return bytes;
    while (bytes.size() < count && !arrivals_.empty()) {
        Piece& piece = arrivals_.front();
        if (!bytes.isEmpty() && piece.gapBefore) break;
        piece.gapBefore = false;
        const QByteArray taken = piece.bytes.left(count - bytes.size());
        bytes += taken;
        piece.bytes.remove(0, taken.size());
        if (piece.bytes.isEmpty()) arrivals_.pop_front();
    }
    clock_.advance(bytes.size() == count ? 1 : bytes.isEmpty() ? ReadTimeoutMs(count) : ReadGapMs + 1);
    return bytes;
}
