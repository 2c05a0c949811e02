// kavro-sim: a KAVRO-PX17 programmer behind a pseudo-terminal. It prints "PORT <path>" first, then
// answers the programmer's packets from chip memory files until it is told to unplug or ends.

#include "programmer/TracingSerialPort.h"
#include "sim/FirmwareModel.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void RequestStop(int) { stopRequested = 1; }

struct SimOptions {
    QString chipsFolder;
    QString linkPath;
    FirmwareModel::Settings firmware;
    bool silent = false;
    int splitGapMs = -1;    // below 0: replies go out whole
    qint64 stallAfter = -1; // below 0: never stalls
    bool wireRate = false;
    bool corruptWrites = false;
    bool trace = false;
};

// Nanoseconds one byte takes at 256000 baud with a start bit, 8 data bits and two stop bits.
constexpr qint64 NanosecondsPerByte = 11LL * 1'000'000'000 / 256000;

void SleepNs(qint64 ns)
{
    if (ns <= 0) return;
    timespec wait{static_cast<time_t>(ns / 1'000'000'000), static_cast<long>(ns % 1'000'000'000)};
    while (nanosleep(&wait, &wait) != 0 && errno == EINTR && !stopRequested) {}
}

bool WriteAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0) {
            if (errno == EINTR) continue;
            return false; // nobody reads the port, or it is gone: the bytes are lost as on a wire
        }
        data += written;
        size -= written;
    }
    return true;
}

class Simulator {
public:
    Simulator(const SimOptions& options, ChipMemories& memories)
            : options_(options), model_(memories, options.firmware), silent_(options.silent)
    {
        model_.setCorruptWrites(options.corruptWrites);
        started_.start();
    }

    bool openTerminal(QString& error);
    int run();

private:
    void onPortBytes();
    void sendReply(const QByteArray& reply, qint64 receivedBytes);
    // Writes bytes to the port as the programmer sends them, traced when asked.
    void send(const char* data, qsizetype size);
    void trace(TraceDirection direction, QByteArrayView bytes);
    bool onCommand(const QByteArray& line); // false: unplug
    void unplug();

    const SimOptions& options_;
    FirmwareModel model_;
    int master_ = -1;
    int slave_ = -1;
    bool silent_;
    qint64 replies_ = 0;
    QByteArray stdinLine_;
    QElapsedTimer started_;
};

bool Simulator::openTerminal(QString& error)
{
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) {
        error = QStringLiteral("cannot create a pseudo-terminal: ") + QString::fromLocal8Bit(strerror(errno));
        return false;
    }
    const char* slaveName = ptsname(master_);
    // Holding the other side open keeps the terminal alive between the program's port sessions.
    slave_ = ::open(slaveName, O_RDWR | O_NOCTTY);
    termios raw{};
    if (slave_ < 0 || tcgetattr(slave_, &raw) != 0) {
        error = QStringLiteral("cannot open %1: %2")
                    .arg(QString::fromLocal8Bit(slaveName), QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    cfmakeraw(&raw);
    tcsetattr(slave_, TCSANOW, &raw);
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    if (!options_.linkPath.isEmpty()) {
        const QByteArray link = QFile::encodeName(options_.linkPath);
        ::unlink(link.constData());
        if (::symlink(slaveName, link.constData()) != 0) {
            error = QStringLiteral("cannot create the link %1: %2")
                        .arg(options_.linkPath, QString::fromLocal8Bit(strerror(errno)));
            return false;
        }
    }
    std::printf("PORT %s\n", slaveName);
    std::fflush(stdout);
    return true;
}

void Simulator::sendReply(const QByteArray& reply, qint64 receivedBytes)
{
    if (silent_ || (options_.stallAfter >= 0 && replies_ >= options_.stallAfter)) return;
    ++replies_;
    if (options_.wireRate) SleepNs((receivedBytes + reply.size()) * NanosecondsPerByte);
    if (options_.splitGapMs >= 0 && reply.size() > 1) {
        const qsizetype half = reply.size() / 2;
        send(reply.constData(), half);
        SleepNs(qint64(options_.splitGapMs) * 1'000'000);
        send(reply.constData() + half, reply.size() - half);
    } else {
        send(reply.constData(), reply.size());
    }
}

void Simulator::send(const char* data, qsizetype size)
{
    trace(TraceDirection::FromProgrammer, QByteArrayView(data, size));
    WriteAll(master_, data, size);
}

void Simulator::trace(TraceDirection direction, QByteArrayView bytes)
{
    if (!options_.trace) return;
    std::fprintf(stderr, "%s\n", qPrintable(TraceLine(started_.nsecsElapsed(), direction, bytes)));
    std::fflush(stderr);
}

void Simulator::onPortBytes()
{
    char buffer[512];
    const ssize_t count = ::read(master_, buffer, sizeof buffer);
    if (count <= 0) return;
    qint64 received = count;
    for (const FirmwareModel::Exchange& exchange : model_.receive(QByteArrayView(buffer, count))) {
        trace(TraceDirection::ToProgrammer, exchange.packet);
        if (!exchange.reply) continue;
        sendReply(*exchange.reply, received);
        received = 0; // the bytes of the request went over the wire once
    }
}

bool Simulator::onCommand(const QByteArray& line)
{
    const QList<QByteArray> words = line.simplified().split(' ');
    const QByteArray& verb = words.value(0);
    if (verb == "unplug") return false;
    if (verb == "silent" && words.size() == 2 && (words[1] == "on" || words[1] == "off")) {
        silent_ = words[1] == "on";
        return true;
    }
    if (verb == "corrupt" && words.size() == 2 && (words[1] == "on" || words[1] == "off")) {
        model_.setCorruptWrites(words[1] == "on");
        return true;
    }
    if ((verb == "key" || verb == "badkey") && words.size() == 2 && words[1].size() == 6) {
        const QByteArray bytes = QByteArray::fromHex(words[1]);
        if (bytes.size() == 3) {
            const std::array<std::uint8_t, 3> key{static_cast<std::uint8_t>(bytes[0]),
                                                  static_cast<std::uint8_t>(bytes[1]),
                                                  static_cast<std::uint8_t>(bytes[2])};
            if (auto frame = model_.keyFrame(key, verb == "key"); frame && !silent_)
                send(frame->constData(), frame->size());
            else
                std::fprintf(stderr, "kavro-sim: no reader is running; key ignored\n");
            return true;
        }
    }
    if (!verb.isEmpty())
        std::fprintf(stderr,
                     "kavro-sim: unknown command '%s' (key HEX6, badkey HEX6, unplug, silent on|off, corrupt on|off)\n",
                     line.trimmed().constData());
    return true;
}

void Simulator::unplug()
{
    if (!options_.linkPath.isEmpty()) ::unlink(QFile::encodeName(options_.linkPath).constData());
    ::close(slave_);
    ::close(master_);
}

int Simulator::run()
{
    bool stdinOpen = true;
    while (!stopRequested) {
        pollfd fds[2] = {{master_, POLLIN, 0}, {STDIN_FILENO, POLLIN, 0}};
        if (::poll(fds, stdinOpen ? 2 : 1, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (fds[0].revents & POLLIN) onPortBytes();
        if (stdinOpen && (fds[1].revents & (POLLIN | POLLHUP))) {
            char buffer[256];
            const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
            if (count <= 0) {
                stdinOpen = false; // without commands the simulator still answers the port
                continue;
            }
            stdinLine_.append(buffer, count);
            qsizetype end;
            while ((end = stdinLine_.indexOf('\n')) >= 0) {
                const QByteArray line = stdinLine_.left(end);
                stdinLine_.remove(0, end + 1);
                if (!onCommand(line)) {
                    unplug();
                    return 0;
                }
            }
        }
    }
    unplug();
    return 0;
}

int Fail(const QString& message)
{
    std::fprintf(stderr, "kavro-sim: %s\n", qPrintable(message));
    return 1;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kavro-sim"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KAVRO_VERSION));
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Simulates a KAVRO-PX17 programmer behind a pseudo-terminal. Prints \"PORT <path>\" first.\n"
                       "Commands on standard input: key HEX6, badkey HEX6, unplug, silent on|off, corrupt on|off."));
    parser.addHelpOption();
    parser.addOptions({
        {QStringLiteral("chips"),
         QStringLiteral("Folder of the chip memory files (24C16.bin ... DS1996.bin), made when missing."),
         QStringLiteral("DIR")},
        {QStringLiteral("link"), QStringLiteral("Keep a symbolic link to the port at PATH."), QStringLiteral("PATH")},
        {QStringLiteral("ibutton"), QStringLiteral("The iButton in the reader: DS1995 or DS1996 (default)."),
         QStringLiteral("CHIP")},
        {QStringLiteral("version"), QStringLiteral("Firmware version to report (default 3)."), QStringLiteral("N")},
        {QStringLiteral("silent"), QStringLiteral("Answer nothing.")},
        {QStringLiteral("split-gap-ms"), QStringLiteral("Send each reply in two halves with N ms between them."),
         QStringLiteral("N")},
        {QStringLiteral("stall-after"), QStringLiteral("Stop answering after N replies."), QStringLiteral("N")},
        {QStringLiteral("wire-rate"), QStringLiteral("Pace replies as a 256000-baud line with two stop bits would.")},
        {QStringLiteral("corrupt-writes"),
         QStringLiteral("Store every written page with its last byte inverted, acknowledging it as usual.")},
        {QStringLiteral("trace"),
         QStringLiteral(
             "Print every packet received and every reply sent, in hex with a time stamp, on standard error.")},
    });
    parser.process(app);

    SimOptions options;
    options.chipsFolder = parser.value(QStringLiteral("chips"));
    options.linkPath = parser.value(QStringLiteral("link"));
    options.silent = parser.isSet(QStringLiteral("silent"));
    options.wireRate = parser.isSet(QStringLiteral("wire-rate"));
    options.corruptWrites = parser.isSet(QStringLiteral("corrupt-writes"));
    options.trace = parser.isSet(QStringLiteral("trace"));
    const auto number = [&](const char* name, qint64& target, qint64 maximum) {
        if (!parser.isSet(QLatin1String(name))) return true;
        bool ok = false;
        target = parser.value(QLatin1String(name)).toLongLong(&ok);
        return ok && target >= 0 && target <= maximum;
    };
    qint64 version = CompatibleFirmware, splitGap = -1;
    if (!number("version", version, 255)) return Fail(QStringLiteral("--version takes a number from 0 to 255"));
    if (!number("split-gap-ms", splitGap, 10000))
        return Fail(QStringLiteral("--split-gap-ms takes a number of milliseconds"));
    if (!number("stall-after", options.stallAfter, std::numeric_limits<qint64>::max()))
        return Fail(QStringLiteral("--stall-after takes a number of replies"));
    options.firmware.version = static_cast<std::uint8_t>(version);
    options.splitGapMs = static_cast<int>(splitGap);
    if (parser.isSet(QStringLiteral("ibutton"))) {
        const ProgrammerChip* chip = FindChip(parser.value(QStringLiteral("ibutton")));
        if (!chip || chip->read.command != pcReadIButton)
            return Fail(QStringLiteral("--ibutton takes DS1995 or DS1996"));
        options.firmware.ibutton = chip;
    }
    // A missing chips folder is made, as its missing chip files are.
    if (!options.chipsFolder.isEmpty() && !QDir().mkpath(options.chipsFolder))
        return Fail(QStringLiteral("the chips folder %1 cannot be made").arg(options.chipsFolder));

    prctl(PR_SET_PDEATHSIG, SIGTERM); // a test that dies takes its simulator with it
    struct sigaction stop {};
    stop.sa_handler = RequestStop;
    sigaction(SIGTERM, &stop, nullptr);
    sigaction(SIGINT, &stop, nullptr);
    sigaction(SIGHUP, &stop, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    ChipMemories memories(options.chipsFolder);
    for (const ProgrammerChip& chip : Chips) memories.memory(chip); // creates the missing chip files
    if (!memories.lastError().isEmpty()) return Fail(memories.lastError());
    Simulator simulator(options, memories);
    QString error;
    if (!simulator.openTerminal(error)) return Fail(error);
    return simulator.run();
}
