// Whole-chip reads and writes through kavro-sim pacing its replies as the real line would, timed
// against the line's own limit: the bytes on the wire at 256000 baud with a start bit, 8 data bits
// and two stop bits, plus the 20 ms pause after every write chunk.
//
// Usage: bench_transfer [CHIP...]   (all chips when none is given)

#include "model/Prompts.h"
#include "programmer/ChipGeometry.h"
#include "programmer/ChipTransfer.h"
#include "programmer/Clock.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/QtSerialPort.h"
#include "programmer/TransferProgress.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

namespace {

class AcceptingPrompts : public Prompts {
public:
    PromptAnswer message(const QString& text, const QString&, PromptButtons buttons, PromptIcon) override
    {
        if (buttons == PromptButtons::Ok) std::fprintf(stderr, "bench_transfer: %s\n", qPrintable(text));
        return PromptAnswer::Ok;
    }
    std::optional<FileDialogChoice> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileDialogChoice> saveFile(const FileDialogRequest&) override { return std::nullopt; }
};

constexpr double SecondsPerByte = 11.0 / 256000.0;

double ReadLimit(const ChipGeometry& g) { return g.blockCount * (PacketOverhead + BlockSize) * SecondsPerByte; }

double WriteLimit(const ChipGeometry& g)
{
    const int chunks = g.blockCount * g.chunksPerPage;
    return chunks * ((g.chunkSize + PacketOverhead + 1) * SecondsPerByte + PauseAfterChunkMs / 1000.0);
}

void Report(const char* chip, const char* operation, TransferResult result, double seconds, double limit)
{
    if (result != TransferResult::Completed) {
        std::printf("%-8s %-5s  failed\n", chip, operation);
        return;
    }
    std::printf("%-8s %-5s %9.3f s %9.3f s %+7.1f %%\n", chip, operation, seconds, limit, (seconds / limit - 1) * 100);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QStringList wanted = app.arguments().mid(1);
    QTemporaryDir chips;
    QProcess sim;
    sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    sim.start(QStringLiteral(KAVRO_SIM_PATH), {QStringLiteral("--wire-rate"), QStringLiteral("--chips"), chips.path()});
    if (!sim.waitForStarted() || !sim.waitForReadyRead(5000)) {
        std::fprintf(stderr, "bench_transfer: kavro-sim did not start\n");
        return 1;
    }
    const QString port = QString::fromLocal8Bit(sim.readLine().trimmed().mid(5));

    QtSerialPort serial;
    AcceptingPrompts prompts;
    SystemClock clock;
    NoProgress progress;
    ProgrammerLink link(serial, prompts, clock);
    link.ProgrammerPresent = true;
    link.ProgrammerPortPath = port;

    std::printf("%-8s %-5s %11s %11s %9s\n", "chip", "op", "measured", "line limit", "over");
    const QString image = chips.filePath(QStringLiteral("image.bin"));
    for (const ProgrammerChip& chip : Chips) {
        if (!wanted.isEmpty() && !wanted.contains(QLatin1String(chip.name), Qt::CaseInsensitive)) continue;
        if (chip.read.command == pcReadIButton && qstrcmp(chip.name, "DS1996") != 0) continue; // same command as DS1996
        QElapsedTimer timer;
        if (link.OpenProgrammerPort(Language::English) != 0) return 1;
        timer.start();
        auto result = ReadChipToImage(link, chip.read, image, progress, Language::English);
        Report(chip.name, "read", result, timer.nsecsElapsed() / 1e9, ReadLimit(chip.read));
        if (!chip.write.exists()) continue;
        if (link.OpenProgrammerPort(Language::English) != 0) return 1;
        timer.start();
        result = WriteImageToChip(link, chip.write, image, progress, Language::English);
        Report(chip.name, "write", result, timer.nsecsElapsed() / 1e9, WriteLimit(chip.write));
    }
    sim.terminate();
    sim.waitForFinished();
    return 0;
}
