// libFuzzer target over what the programmer sends back: the replies of the handshakes and of a
// whole-chip read (short, long, split into pieces, late) and the frames of a running key reader
// (short, long, split, wrong checksum), each frame's key stored as the window stores it.
//
// Input: byte 0 picks the exchange, byte 1 its chip, controller type or wait mode, byte 2 the
// selected cell of a key table; the rest is the line as a script of pieces, each a length byte,
// a byte of milliseconds that pass before the piece arrives, and the piece's bytes.

#include "FuzzSupport.h"
#include "model/NewDocument.h"
#include "model/Prompts.h"
#include "model/TableSpecs.h"
#include "programmer/Chips.h"
#include "programmer/ChipTransfer.h"
#include "programmer/Clock.h"
#include "programmer/KeyReaders.h"
#include "model/KeyStore.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/SerialPort.h"
#include "programmer/TransferProgress.h"
#include "support/ArrivingPieces.h"
#include "support/FixedAnswerPrompts.h"
#include "support/InstantClock.h"

#include <cstdint>
#include <cstdlib>
#include <deque>
#include <memory>

namespace {

// The line as the script says it: each piece arrives its gap after the read that waits for it
// starts, or after the piece before it within one read; a read follows the port's ReadRule.
class ScriptedLine : public SerialPort {
public:
    ScriptedLine(InstantClock& clock, const std::uint8_t* data, std::size_t size) : clock_(clock)
    {
        while (size >= 2) {
            const std::size_t length = std::min<std::size_t>(data[0], size - 2);
            pieces_.push_back(
                {QByteArray(reinterpret_cast<const char*>(data + 2), qsizetype(length)), qint64(data[1]) * 1'000'000});
            data += 2 + length;
            size -= 2 + length;
        }
    }

    bool exhausted() const { return pieces_.empty(); }

    PortOpenResult open(const QString&) override
    {
        open_ = true;
        return PortOpenResult::Opened;
    }
    LineSetupResult configure() override { return LineSetupResult::Applied; }
    bool isOpen() const override { return open_; }
    using SerialPort::read;
    QByteArray read(int count, int limitMs) override
    {
        QByteArray bytes;
        if (!open_ || count <= 0) return bytes;
        ReadRule rule(clock_.nowNs(), count, limitMs);
        const qint64 at = TakeArrivingBytes(pieces_, count, rule, clock_.nowNs(), FirstPiece::WaitsItsGap, bytes);
        clock_.setNowNs(bytes.size() == count ? at : std::max(rule.endNs(), at));
        return bytes;
    }
    bool hasInput() override { return open_ && !pieces_.empty() && pieces_.front().gapNs == 0; }
    bool hungUp() const override { return false; }
    void write(QByteArrayView) override {}
    void clearErrors() override {}
    // What has arrived but not been read is dropped: the rest of a piece partly read.
    QByteArray purge() override
    {
        QByteArray stale;
        while (!pieces_.empty() && pieces_.front().gapNs == 0) {
            stale += pieces_.front().bytes;
            pieces_.pop_front();
        }
        return stale;
    }
    void close() override { open_ = false; }
    QString errorText() const override { return {}; }

private:
    InstantClock& clock_;
    std::deque<ArrivingPiece> pieces_;
    bool open_ = false;
};


void Handshakes(ProgrammerLink& link, std::uint8_t mode)
{
    link.setReplyWait((mode & 1) != 0 ? ReplyWait::Direct : ReplyWait::PollTicks);
    link.OpenProgrammerPort(Language::English);
    if (link.CheckAdapter(Language::English)) link.QueryAdapterVersion(Language::English);
    Require(link.LastReply().bytes.size() <= 1);
}

void ChipRead(ProgrammerLink& link, std::uint8_t chipChoice)
{
    const ChipGeometry& geometry = Chips[chipChoice % Chips.size()].read;
    link.setReplyWait(ReplyWait::Direct);
    link.OpenProgrammerPort(Language::English);
    NoProgress progress;
    const std::optional<QByteArray> chip = ReadChipBlocks(link, geometry, progress, Language::English);
    Require(!chip || chip->size() == geometry.imageSize());
}

// A running reader on the page of a controller type, as the window's poll timer drives it: every
// frame's key goes to the page's receiver.
void ReaderFrames(ProgrammerLink& link, ScriptedLine& line, std::uint8_t typeChoice, std::uint8_t cellChoice)
{
    const auto type = AllDeviceTypes[typeChoice % DeviceTypeCount];
    static const auto store = std::make_unique<IntercomStore>();
    ApplyNewDocument(*store, type);
    const InputTargets targets;
    const KeyReceiver& receiver = ReceiverOf(type, (typeChoice & 0x80) != 0, targets);
    const TableSpec* table = ReceiverTable(receiver);
    // The grid keeps its selection inside the table, below the header and right of column 0.
    const CellRef selected =
        table ? CellRef{1 + cellChoice % (table->columns - 1), 1 + cellChoice % table->rows} : CellRef{};

    link.OnReaderFrame = [&](QByteArrayView frame, ReaderModes) {
        Require(frame.size() <= 4);
        const std::optional<KeyBytes> key = KeyOfFrame(frame);
        if (!key) return;
        if (receiver.kind == ReceiverKind::MasterKey || receiver.kind == ReceiverKind::HeaderRow)
            StoreSingleKey(*store, receiver, table, selected.row, *key);
        else
            StoreKey(*store, receiver, table, selected, *key, [](CellRef) { return true; });
    };
    if (!StartReader(link, (typeChoice & 0x40) != 0 ? KeyReader::Rfid : KeyReader::TouchMemory, Language::English))
        return;
    for (int tick = 0; tick < 4096 && !line.exhausted(); ++tick) {
        link.clock().idleMs(PollPeriodMs);
        link.PollTick();
    }
    StopReader(link);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    InstantClock clock;
    ScriptedLine line(clock, data + 3, size - 3);
    FixedAnswerPrompts prompts(PromptAnswer::Ok);
    ProgrammerLink link(line, prompts, clock);
    link.ProgrammerPresent = true;
    switch (data[0] % 3) {
    case 0: Handshakes(link, data[1]); break;
    case 1: ChipRead(link, data[1]); break;
    default: ReaderFrames(link, line, data[1], data[2]); break;
    }
    return 0;
}
