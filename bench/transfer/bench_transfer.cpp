// Whole-chip reads and writes through kavro-sim pacing its replies as the real line would, timed
// against the line's own limit: the bytes on the wire at 256000 baud with a start bit, 8 data bits
// and two stop bits, plus the 20 ms pause after every write chunk. Then whole `kavro-cli read`
// processes, timed as a user sees them from start to exit, against the same line limit of the
// version check and the read. Last, what the backup before a write costs: whole `kavro-cli write`
// processes with the backup against the same writes with --no-backup, against the line limit of
// the one read the backup adds.
//
// Usage: bench_transfer [--transfers|--cli|--backup] [CHIP...]   (every part and all chips by default)

#include "TransferBench.h"
#include "model/FileIO.h"
#include "model/Prompts.h"
#include "programmer/Chips.h"
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

#include <algorithm>
#include <cstdio>

namespace {

// The version check kavro-cli runs before every chip command: a 6-byte packet and one reply byte.
constexpr double VersionCheckLimit = (PacketOverhead + 1) * SecondsPerByte;

// The median of three runs of kavro-cli with `arguments`, in seconds; below 0 when a run failed.
// The archive the runs keep their images in is `archive`, never the user's.
double TimeCli(const QStringList& arguments, const QString& archive)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("KAVRO_ARCHIVE"), archive);
    QList<double> runs;
    for (int run = 0; run < 3; ++run) {
        QProcess cli;
        cli.setProcessEnvironment(environment);
        QElapsedTimer timer;
        timer.start();
        cli.start(QStringLiteral(KAVRO_CLI_PATH), arguments);
        if (!cli.waitForFinished(120000) || cli.exitCode() != 0) return -1;
        runs.append(timer.nsecsElapsed() / 1e9);
    }
    std::sort(runs.begin(), runs.end());
    return runs[1];
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
    const bool onlyTransfers = wanted.removeAll(QStringLiteral("--transfers"));
    const bool onlyProcesses = wanted.removeAll(QStringLiteral("--cli"));
    const bool onlyBackup = wanted.removeAll(QStringLiteral("--backup"));
    const bool every = !onlyTransfers && !onlyProcesses && !onlyBackup;
    const bool transfers = every || onlyTransfers;
    const bool processes = every || onlyProcesses;
    const bool backup = every || onlyBackup;
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

    const QString image = chips.filePath(QStringLiteral("image.bin"));
    const QString archive = chips.filePath(QStringLiteral("archive.sqlite"));
    const auto chosen = [&](const ProgrammerChip& chip) {
        if (!wanted.isEmpty() && !wanted.contains(QLatin1String(chip.name), Qt::CaseInsensitive)) return false;
        return chip.read.command != pcReadIButton || qstrcmp(chip.name, "DS1996") == 0; // same command as DS1996
    };
    if (transfers) std::printf("%-8s %-5s %11s %11s %9s\n", "chip", "op", "measured", "line limit", "over");
    for (const ProgrammerChip& chip : Chips) {
        if (!transfers || !chosen(chip)) continue;
        QElapsedTimer timer;
        if (!link.OpenProgrammerPort(Language::English)) return 1;
        timer.start();
        auto result = ReadChipToImage(link, chip.read, image, progress, Language::English);
        Report(chip.name, "read", result, timer.nsecsElapsed() / 1e9, ReadLimit(chip.read));
        if (!chip.write.exists()) continue;
        if (!link.OpenProgrammerPort(Language::English)) return 1;
        timer.start();
        result =
            WriteImageToChip(link, chip.write, ReadInputFile(image, MaxImageSize).bytes, progress, Language::English);
        Report(chip.name, "write", result, timer.nsecsElapsed() / 1e9, WriteLimit(chip.write));
    }
    if (processes) {
        std::printf("\nwhole kavro-cli read process (median of 3)\n%-8s %11s %11s %9s %9s\n", "chip", "measured",
                    "line limit", "ratio", "over");
        for (const ProgrammerChip& chip : Chips) {
            if (!chosen(chip)) continue;
            const double seconds = TimeCli({QStringLiteral("read"), QLatin1String(chip.name), QStringLiteral("-o"),
                                            image, QStringLiteral("--port"), port},
                                           archive);
            const double limit = VersionCheckLimit + ReadLimit(chip.read);
            if (seconds < 0)
                std::printf("%-8s  failed\n", chip.name);
            else
                std::printf("%-8s %9.3f s %9.3f s %8.3fx %+7.3f s\n", chip.name, seconds, limit, seconds / limit,
                            seconds - limit);
            std::fflush(stdout);
        }
    }
    if (backup) {
        std::printf("\nthe backup before a kavro-cli write (median of 3)\n%-8s %11s %11s %11s %11s\n", "chip", "write",
                    "no backup", "backup", "read limit");
        for (const ProgrammerChip& chip : Chips) {
            if (!chip.write.exists() || !chosen(chip)) continue;
            // The image written is the chip's own content, read first.
            const QStringList write{QStringLiteral("write"), QLatin1String(chip.name), image, QStringLiteral("--port"),
                                    port};
            const bool read = TimeCli({QStringLiteral("read"), QLatin1String(chip.name), QStringLiteral("-o"), image,
                                       QStringLiteral("--port"), port},
                                      archive) >= 0;
            const double withBackup = read ? TimeCli(write, archive) : -1;
            const double withoutBackup =
                read ? TimeCli(write + QStringList{QStringLiteral("--no-backup")}, archive) : -1;
            if (withBackup < 0 || withoutBackup < 0)
                std::printf("%-8s  failed\n", chip.name);
            else
                std::printf("%-8s %9.3f s %9.3f s %9.3f s %9.3f s\n", chip.name, withBackup, withoutBackup,
                            withBackup - withoutBackup, ReadLimit(chip.read));
            std::fflush(stdout);
        }
    }
    sim.terminate();
    sim.waitForFinished();
    return 0;
}
