// libFuzzer target over the programmer's replies as the real port delivers them: a pseudo-terminal
// pair opened once per process stands for the programmer, the real QtSerialPort opens its slave
// side and the real ProgrammerLink reads the handshakes and a whole-chip read through it. The
// other side answers each request from the input.
//
// Input: byte 0 picks the exchange (the handshakes or a chip read), byte 1 the chip, byte 2 is
// unused (the layout fuzz_link's seeds have); the rest is a script of pieces, each a length byte,
// a flag byte and the piece's bytes. A request is answered by the next piece and by every piece
// behind it whose flag is not zero: a reply split in pieces, sent twice or with junk around it.

#include "FuzzSupport.h"
#include "programmer/Chips.h"
#include "programmer/ChipTransfer.h"
#include "programmer/Clock.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/QtSerialPort.h"
#include "programmer/TransferProgress.h"
#include "support/FixedAnswerPrompts.h"

#include <QCoreApplication>
#include <QString>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <fcntl.h>
#include <memory>
#include <mutex>
#include <poll.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace {

// Each look at the clock moves it on nearly a whole reply time-out, so a reply the input does not
// hold is given up after one short read instead of the programmer's 1.1 s; fixed pauses pass at once.
class HurriedClock : public Clock {
public:
    static constexpr qint64 StepMs = ReplyTimeoutMs - 20;
    qint64 nowMs() const override { return now_ += StepMs; }
    void sleepMs(int) override {}
    void idleMs(int) override {}

private:
    mutable qint64 now_ = 0;
};

struct Piece {
    QByteArray bytes;
    bool followsPrevious;
};

// The programmer's side of the pseudo-terminal: a thread that answers every request it reads with
// the next pieces of the current script.
class ScriptedProgrammer {
public:
    ScriptedProgrammer()
    {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
        Require(master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0);
        slavePath_ = QString::fromLocal8Bit(::ptsname(master_));
        // Held open for the process's life, so the terminal never hangs up between two inputs; raw,
        // so no byte is echoed or translated before the port applies its own settings.
        heldSlave_ = ::open(::ptsname(master_), O_RDWR | O_NOCTTY);
        Require(heldSlave_ >= 0);
        termios raw{};
        Require(::tcgetattr(heldSlave_, &raw) == 0);
        ::cfmakeraw(&raw);
        Require(::tcsetattr(heldSlave_, TCSANOW, &raw) == 0);
        std::thread(&ScriptedProgrammer::Answer, this).detach();
    }

    const QString& path() const { return slavePath_; }

    void setScript(const std::uint8_t* data, std::size_t size)
    {
        std::deque<Piece> pieces;
        while (size >= 2) {
            const std::size_t length = std::min<std::size_t>(data[0], size - 2);
            pieces.push_back({QByteArray(reinterpret_cast<const char*>(data + 2), qsizetype(length)), data[1] != 0});
            data += 2 + length;
            size -= 2 + length;
        }
        const std::lock_guard lock(mutex_);
        script_ = std::move(pieces);
    }

    // Nothing of this input reaches the next one.
    void forget()
    {
        {
            const std::lock_guard lock(mutex_);
            script_.clear();
        }
        ::tcflush(heldSlave_, TCIOFLUSH);
    }

private:
    void Answer()
    {
        char request[4096];
        for (;;) {
            pollfd readable{master_, POLLIN, 0};
            if (::poll(&readable, 1, 100) <= 0 || ::read(master_, request, sizeof request) <= 0) continue;
            const std::lock_guard lock(mutex_);
            if (script_.empty()) continue;
            do {
                const QByteArray& bytes = script_.front().bytes;
                Require(::write(master_, bytes.constData(), size_t(bytes.size())) == bytes.size());
                script_.pop_front();
            } while (!script_.empty() && script_.front().followsPrevious);
        }
    }

    int master_ = -1;
    int heldSlave_ = -1;
    QString slavePath_;
    std::mutex mutex_;
    std::deque<Piece> script_;
};

void Handshakes(ProgrammerLink& link)
{
    if (!link.OpenProgrammerPort(Language::English)) return;
    if (link.CheckAdapter(Language::English)) link.QueryAdapterVersion(Language::English);
    Require(link.LastReply().bytes.size() <= 1);
}

void ChipRead(ProgrammerLink& link, std::uint8_t chipChoice)
{
    const ChipGeometry& geometry = Chips[chipChoice % Chips.size()].read;
    if (!link.OpenProgrammerPort(Language::English)) return;
    NoProgress progress;
    const std::optional<QByteArray> chip = ReadChipBlocks(link, geometry, progress, Language::English);
    Require(!chip || chip->size() == geometry.imageSize());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // QSerialPort wants an application object of the thread it runs on.
    static QCoreApplication application(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 3) return 0;
    static ScriptedProgrammer programmer;
    static QtSerialPort port;
    static FixedAnswerPrompts prompts(PromptAnswer::Ok);
    HurriedClock clock;
    ProgrammerLink link(port, prompts, clock);
    link.ProgrammerPresent = true;
    link.ProgrammerPortPath = programmer.path();
    link.setReplyWait(ReplyWait::Direct);
    programmer.setScript(data + 3, size - 3);
    if (data[0] % 2 == 0)
        Handshakes(link);
    else
        ChipRead(link, data[1]);
    link.ClosePort();
    programmer.forget();
    return 0;
}
