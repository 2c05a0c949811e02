// The programmer's chip operations from a shell: list the ports, ask the firmware version, read a
// chip into a raw dump, write a dump into a chip, compare a chip with a dump.

#include "archive/BackedUpWrite.h"
#include "cli/ChipWrite.h"
#include "cli/CliArchive.h"
#include "cli/CliCommand.h"
#include "cli/CliPrompts.h"
#include "cli/CliSupport.h"
#include "cli/TerminalProgress.h"
#include "model/FileIO.h"
#include "programmer/Chips.h"
#include "programmer/ChipTransfer.h"
#include "programmer/ChipVerify.h"
#include "programmer/Clock.h"
#include "programmer/LinkTexts.h"
#include "programmer/PortList.h"
#include "programmer/ProgrammerDiscovery.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/QtSerialPort.h"
#include "programmer/TracingSerialPort.h"

#include <QFileInfo>
#include <QTextStream>

#include <array>
#include <memory>
#include <optional>

namespace {

// How many differing bytes verify lists before it only counts them.
constexpr int DifferencesShown = 20;

class NoDisplay : public DiscoveryDisplay {
public:
    void setTitle(const QString&) override {}
    void showStatus(const QString&) override {}
    void enableProgrammerMode(bool) override {}
};

const QString PortOption = QStringLiteral("--port");
const QString TraceOption = QStringLiteral("--trace");
const QString VerifyOption = QStringLiteral("--verify");
const QString NoBackupOption = QStringLiteral("--no-backup");

// The options of a chip command after its name: --port and --trace everywhere, -o where the
// command writes a file, --verify and --no-backup where it writes a chip. A wrong option is
// reported.
std::optional<CommandLine> ParseChipOptions(const QStringList& args, bool acceptsOutput, bool writesChip)
{
    QStringList valueOptions{PortOption};
    if (acceptsOutput) valueOptions << OutOption;
    // A shell never shows the insert-chip question; --yes is accepted for scripts.
    QStringList flags{TraceOption, QStringLiteral("--yes"), QStringLiteral("-y")};
    if (writesChip) flags << VerifyOption << NoBackupOption;
    CommandLine line(args, valueOptions, flags);
    if (line.fault() == ArgumentFault::MissingValue)
        Fail(ExitBadArguments, QStringLiteral("%1 needs a value").arg(line.faultyOption()));
    if (line.fault() == ArgumentFault::UnknownOption)
        Fail(ExitBadArguments, QStringLiteral("unknown option '%1'").arg(line.faultyOption()));
    if (!line.ok()) return std::nullopt;
    return line;
}

const ProgrammerChip* ChipArgument(const QString& name)
{
    const ProgrammerChip* chip = FindChip(name);
    if (!chip) QTextStream(stderr) << "kavro-cli: unknown chip '" << name << "' (chips: " << ChipNames() << ")\n";
    return chip;
}

// Everything a chip command needs to reach the programmer, wired once. A shell has no poll timer:
// every exchange takes its reply the moment it is whole. With `trace` every packet and reply is
// printed on standard error.
class ProgrammerSession {
public:
    ProgrammerSession(const QString& portOption, bool trace)
            : ports_(portOption),
              tracing_(trace ? std::make_unique<TracingSerialPort>(serial_, PrintTraceLine) : nullptr),
              link_(tracing_ ? static_cast<SerialPort&>(*tracing_) : serial_, prompts_, clock_),
              discovery_(link_, ports_, display_)
    {
        link_.setReplyWait(ReplyWait::Direct);
    }

    // Finds the programmer and checks its firmware; the failure has been reported when false.
    bool find() { return discovery_.FindProgrammer(CliLanguage); }
    bool open() { return link_.OpenProgrammerPort(CliLanguage); }
    ProgrammerLink& link() { return link_; }
    PortList& ports() { return ports_; }

    // Reads the whole chip; the image, or nothing when the read failed (reported).
    std::optional<QByteArray> readChip(const ProgrammerChip& chip)
    {
        if (!open()) return std::nullopt;
        TerminalProgress progress;
        TransferResult result = TransferResult::Failed;
        return ReadWholeChip(link_, chip.read, progress, CliLanguage, result);
    }

    BackedUpWriteResult writeChip(const ChipWriteRequest& request, CliArchive& archive)
    {
        if (!open() || !link_.CheckAdapter(CliLanguage)) return {};
        TerminalProgress progress;
        const BackedUpWriteRequest write{
            *request.chip,  request.image, {}, request.archivedAs, ArchiveSource::CliBeforeWrite,
            request.backup, request.verify};
        return RunBackedUpWrite(link_, progress, CliLanguage, archive.recorder(), write, {ReportMissingBackup, {}});
    }

    VerifyResult verifyChip(const ProgrammerChip& chip, const QByteArray& dump)
    {
        TerminalProgress progress;
        return VerifyChipAgainstImage(link_, chip, dump, progress, CliLanguage);
    }

private:
    static void PrintTraceLine(const QString& line) { QTextStream(stderr) << line << Qt::endl; }
    // A shell never writes without the backup it was asked to make.
    static bool ReportMissingBackup(BackupMissing missing)
    {
        QTextStream(stderr)
            << (missing == BackupMissing::ReadFailed
                    ? "kavro-cli: the chip's content could not be read for a backup; nothing was written "
                      "(--no-backup writes without one)\n"
                    : "kavro-cli: the chip's content could not be kept; nothing was written "
                      "(--no-backup writes without a backup)\n");
        return false;
    }

    SystemPortList ports_;
    QtSerialPort serial_;
    std::unique_ptr<TracingSerialPort> tracing_;
    CommandLinePrompts prompts_{true, true};
    SystemClock clock_;
    NoDisplay display_;
    ProgrammerLink link_;
    ProgrammerDiscovery discovery_;
};

// Prints the first differences as address, file byte and chip byte, then the outcome.
void ReportComparison(const QByteArray& dump, const VerifyResult& result, const QString& path)
{
    QTextStream out(stdout);
    if (result.matches()) {
        out << "The chip matches " << path << '\n';
        return;
    }
    int listed = 0;
    for (qsizetype address = result.firstDifference; address < result.chip.size() && listed < DifferencesShown;
         ++address) {
        const auto expected = static_cast<std::uint8_t>(address < dump.size() ? dump[address] : '\xFF');
        const auto onChip = static_cast<std::uint8_t>(result.chip[address]);
        if (expected == onChip) continue;
        ++listed;
        out << QStringLiteral("0x%1: file 0x%2, chip 0x%3\n")
                   .arg(address, 6, 16, QLatin1Char('0'))
                   .arg(expected, 2, 16, QLatin1Char('0'))
                   .arg(onChip, 2, 16, QLatin1Char('0'));
    }
    if (result.differingBytes > listed) out << "... " << result.differingBytes - listed << " more differences\n";
    QTextStream(stderr) << "kavro-cli: " << path << ": " << VerifyMismatchText(result, CliLanguage) << '\n';
}

int RunPorts(const QStringList& args)
{
    const auto parsed = ParseChipOptions(args, false, false);
    if (!parsed || !parsed->positional().isEmpty()) return ExitBadArguments;
    ProgrammerSession session(parsed->value(PortOption), parsed->has(TraceOption));
    const auto ports = session.ports().ports();
    if (!ports) {
        QTextStream(stderr) << "kavro-cli: " << LinkTexts::NoPortList.in(CliLanguage) << '\n';
        return ExitDeviceFailure;
    }
    const PortEntry* chosen = ChooseProgrammerPort(*ports);
    QTextStream out(stdout);
    for (const PortEntry& entry : *ports) {
        out << (&entry == chosen ? "* " : "  ") << entry.devicePath;
        if (entry.usbSerial)
            out << QStringLiteral("\tUSB %1:%2")
                       .arg(entry.vendorId, 4, 16, QLatin1Char('0'))
                       .arg(entry.productId, 4, 16, QLatin1Char('0'))
                       .toUpper();
        else
            out << "\tserial";
        if (&entry == chosen) out << "\tprogrammer";
        out << '\n';
    }
    return ExitDone;
}

int RunVersion(const QStringList& args)
{
    const auto parsed = ParseChipOptions(args, false, false);
    if (!parsed || !parsed->positional().isEmpty()) return ExitBadArguments;
    ProgrammerSession session(parsed->value(PortOption), parsed->has(TraceOption));
    if (!session.find()) return ExitDeviceFailure;
    QTextStream(stdout) << "KAVRO-PX17 on " << session.link().ProgrammerPortPath << ", firmware version "
                        << int(static_cast<std::uint8_t>(session.link().LastReply().bytes.at(0))) << '\n';
    return ExitDone;
}

int RunRead(const QStringList& args)
{
    const auto parsed = ParseChipOptions(args, true, false);
    if (!parsed) return ExitBadArguments;
    if (parsed->positional().size() != 1 || parsed->value(OutOption).isEmpty()) {
        QTextStream(stderr) << "kavro-cli: usage: kavro-cli read CHIP -o OUT.bin [--port PATH]\n";
        return ExitBadArguments;
    }
    const ProgrammerChip* chip = ChipArgument(parsed->positional()[0]);
    if (!chip) return ExitBadArguments;
    ProgrammerSession session(parsed->value(PortOption), parsed->has(TraceOption));
    if (!session.find()) return ExitDeviceFailure;
    const auto image = session.readChip(*chip);
    CliArchive archive;
    if (!image) {
        archive.journal(JournalOperation::Read, chip->name, JournalResult::Failed);
        return ExitDeviceFailure;
    }
    // The dump replaces the output file only once it is complete.
    const int status = WriteOutput(WriteFileSafely(parsed->value(OutOption), *image));
    ArchiveEntry entry;
    entry.chip = chip->name;
    entry.source = ArchiveSource::CliRead;
    entry.file = QFileInfo(parsed->value(OutOption)).absoluteFilePath();
    archive.recorder().keepRead(entry, *image);
    return status;
}

// The arguments CHIP and IN.bin of write and verify; a refusal has been reported when empty.
std::optional<std::pair<const ProgrammerChip*, QByteArray>> ChipAndDump(const CommandLine& parsed, bool write,
                                                                        int* status)
{
    *status = ExitBadArguments;
    if (parsed.positional().size() != 2) {
        QTextStream(stderr) << "kavro-cli: usage: kavro-cli " << (write ? "write" : "verify")
                            << " CHIP IN.bin [--port PATH]\n";
        return std::nullopt;
    }
    const ProgrammerChip* chip = ChipArgument(parsed.positional()[0]);
    if (!chip) return std::nullopt;
    if (write && !chip->write.exists()) {
        QTextStream(stderr) << "kavro-cli: a " << chip->name << " cannot be written\n";
        return std::nullopt;
    }
    *status = ExitInputRefused;
    auto dump = LoadDump(parsed.positional()[1], *chip);
    if (!dump) return std::nullopt;
    return std::make_pair(chip, *dump);
}

// The check reads the chip back where it is, without asking for it again.
int CheckChip(ProgrammerSession& session, const ProgrammerChip& chip, const QByteArray& dump, const QString& path,
              CliArchive& archive)
{
    const VerifyResult result = session.verifyChip(chip, dump);
    const QString sha256 = ChipArchive::Sha256(dump);
    if (!result.readBack) {
        archive.journal(JournalOperation::Check, chip.name, JournalResult::Failed, sha256);
        return ExitDeviceFailure;
    }
    archive.journal(JournalOperation::Check, chip.name,
                    result.matches() ? ArchiveCheck::Matched : ArchiveCheck::Differs, sha256);
    ReportComparison(dump, result, path);
    return result.matches() ? ExitDone : ExitChipDiffers;
}

int RunWrite(const QStringList& args)
{
    const auto parsed = ParseChipOptions(args, false, true);
    if (!parsed) return ExitBadArguments;
    int status = ExitDone;
    const auto chipAndDump = ChipAndDump(*parsed, true, &status);
    if (!chipAndDump) return status;
    const QString& path = parsed->positional()[1];
    return WriteChipWithBackup({chipAndDump->first, chipAndDump->second, path, QFileInfo(path).absoluteFilePath(),
                                parsed->value(PortOption), parsed->has(TraceOption), parsed->has(VerifyOption),
                                !parsed->has(NoBackupOption)});
}

int RunVerify(const QStringList& args)
{
    const auto parsed = ParseChipOptions(args, false, false);
    if (!parsed) return ExitBadArguments;
    int status = ExitDone;
    const auto chipAndDump = ChipAndDump(*parsed, false, &status);
    if (!chipAndDump) return status;
    ProgrammerSession session(parsed->value(PortOption), parsed->has(TraceOption));
    if (!session.find()) return ExitDeviceFailure;
    CliArchive archive;
    return CheckChip(session, *chipAndDump->first, chipAndDump->second, parsed->positional()[1], archive);
}


constexpr std::array<CliCommand, 5> Commands{{
    {"ports", "ports [--port PATH]", RunPorts},
    {"version", "version [--port PATH] [--trace]", RunVersion},
    {"read", "read CHIP -o OUT.bin [--port PATH] [--trace]", RunRead},
    {"write", "write CHIP IN.bin [--verify] [--no-backup] [--port PATH] [--trace]", RunWrite},
    {"verify", "verify CHIP IN.bin [--port PATH] [--trace]", RunVerify},
}};

} // namespace

std::span<const CliCommand> ChipCommands() { return Commands; }

bool FitsChip(qint64 size, const QString& origin, const ProgrammerChip& chip)
{
    if (size <= ChipSize(chip)) return true;
    QTextStream(stderr) << "kavro-cli: " << origin << " holds " << size << " bytes, more than the " << ChipSize(chip)
                        << " of a " << chip.name << "; nothing was written\n";
    return false;
}

// A shorter dump stands for the chip with the rest erased.
std::optional<QByteArray> LoadDump(const QString& path, const ProgrammerChip& chip)
{
    const InputBytes input = ReadInputFile(path, ChipSize(chip));
    if (!input.ok()) {
        QTextStream(stderr) << "kavro-cli: " << input.result.message(CliLanguage) << '\n';
        return std::nullopt;
    }
    if (!FitsChip(input.size, path, chip)) return std::nullopt;
    return input.bytes;
}

int WriteChipWithBackup(const ChipWriteRequest& request)
{
    ProgrammerSession session(request.port, request.trace);
    if (!session.find()) return ExitDeviceFailure;
    CliArchive archive;
    const BackedUpWriteResult result = session.writeChip(request, archive);
    if (result.written != TransferResult::Completed) return ExitDeviceFailure;
    if (!result.check) return ExitDone;
    if (!result.check->readBack) return ExitDeviceFailure;
    ReportComparison(request.image, *result.check, request.file);
    return result.check->matches() ? ExitDone : ExitChipDiffers;
}
