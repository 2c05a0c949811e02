// The chip archive from a shell: list, show, export and restore the kept images, add a note,
// read the journal of chip operations, delete an entry.

#include "cli/ChipWrite.h"
#include "cli/CliArchive.h"
#include "cli/CliCommand.h"
#include "cli/CliSupport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <array>

namespace {

const QString JsonFlag = QStringLiteral("--json");
const QString PortOption = QStringLiteral("--port");

QString TimeText(const QDateTime& time) { return time.toString(Qt::ISODateWithMs); }

// The archive could not be used: it is named, and so is the failure.
int ArchiveFailure(ChipArchive& archive) { return Fail(ExitDeviceFailure, archive.lastFailure()); }

// An entry's number; a refusal has been reported when empty.
std::optional<qint64> EntryId(const QString& text)
{
    bool ok = false;
    const qint64 id = text.toLongLong(&ok);
    if (ok && id > 0) return id;
    Fail(ExitInputRefused, QStringLiteral("'%1' is not an archive entry's number").arg(text));
    return std::nullopt;
}

// The entry named by the first argument; `status` says why there is none.
std::optional<ArchiveEntry> EntryArgument(ChipArchive& archive, const CommandLine& line, int* status)
{
    const auto id = EntryId(line.positional().value(0));
    *status = ExitInputRefused;
    if (!id) return std::nullopt;
    auto entry = archive.Entry(*id);
    // An archive that opened and has no such entry is the user's input; one that did not open is not.
    if (!entry) *status = Fail(archive.isOpen() ? ExitInputRefused : ExitDeviceFailure, archive.lastFailure());
    return entry;
}

QJsonObject EntryJson(const ArchiveEntry& entry)
{
    return {{"id", entry.id},       {"time", TimeText(entry.time)}, {"chip", entry.chip},
            {"type", entry.type},   {"source", entry.source},       {"file", entry.file},
            {"check", entry.check}, {"version", entry.version},     {"sha256", entry.sha256},
            {"note", entry.note}};
}

QJsonObject JournalJson(const JournalEntry& row)
{
    return {{"id", row.id},     {"time", TimeText(row.time)}, {"operation", row.operation}, {"chip", row.chip},
            {"type", row.type}, {"result", row.result},       {"sha256", row.sha256}};
}

void PrintJson(const QJsonArray& array) { QTextStream(stdout) << QJsonDocument(array).toJson(QJsonDocument::Indented); }

int RunList(const QStringList& args)
{
    const QString usage = QStringLiteral("archive list [--json] [--note TEXT] [--type TYPE]");
    const CommandLine line(args, {QStringLiteral("--note"), QStringLiteral("--type")}, {JsonFlag});
    if (const auto status = CheckInvocation(line, 0, usage, false)) return *status;
    CliArchive cli;
    const auto entries =
        cli.archive().List({line.value(QStringLiteral("--note")), line.value(QStringLiteral("--type"))});
    if (!entries) return ArchiveFailure(cli.archive());
    if (line.has(JsonFlag)) {
        QJsonArray array;
        for (const ArchiveEntry& entry : *entries) array.append(EntryJson(entry));
        PrintJson(array);
        return ExitDone;
    }
    QTextStream out(stdout);
    for (const ArchiveEntry& entry : *entries)
        out << entry.id << '\t' << TimeText(entry.time) << '\t' << entry.chip << '\t' << entry.type << '\t'
            << entry.source << '\t' << entry.note << '\t' << entry.file << '\n';
    return ExitDone;
}

int RunShow(const QStringList& args)
{
    const CommandLine line(args, {}, {});
    if (const auto status = CheckInvocation(line, 1, QStringLiteral("archive show ID"), false)) return *status;
    CliArchive cli;
    int status = ExitDone;
    const auto entry = EntryArgument(cli.archive(), line, &status);
    if (!entry) return status;
    const QJsonObject fields = EntryJson(*entry);
    QTextStream out(stdout);
    for (const char* name : {"id", "time", "chip", "type", "source", "file", "check", "version", "sha256", "note"})
        out << name << ": " << fields.value(QLatin1String(name)).toVariant().toString() << '\n';
    return ExitDone;
}

int RunExport(const QStringList& args)
{
    const CommandLine line(args, {OutOption}, {});
    if (const auto status = CheckInvocation(line, 1, QStringLiteral("archive export ID -o OUT.bin"), true))
        return *status;
    CliArchive cli;
    int status = ExitDone;
    const auto entry = EntryArgument(cli.archive(), line, &status);
    if (!entry) return status;
    const auto image = cli.archive().Image(entry->sha256);
    if (!image) return ArchiveFailure(cli.archive());
    return WriteOutput(WriteFileSafely(line.value(OutOption), *image, FileAccess::UserOnly));
}

int RunRestore(const QStringList& args)
{
    const QString usage = QStringLiteral("archive restore ID CHIP [--verify] [--no-backup] [--port PATH] [--trace]");
    const CommandLine line(args, {PortOption},
                           {QStringLiteral("--verify"), QStringLiteral("--no-backup"), QStringLiteral("--trace")});
    if (const auto status = CheckInvocation(line, 2, usage, false)) return *status;
    const ProgrammerChip* chip = FindChip(line.positional()[1]);
    if (!chip || !chip->write.exists())
        return Fail(ExitBadArguments, QStringLiteral("'%1' is not a chip this program writes (chips: %2)")
                                          .arg(line.positional()[1], ChipNames()));
    CliArchive cli;
    int status = ExitDone;
    const auto entry = EntryArgument(cli.archive(), line, &status);
    if (!entry) return status;
    // An image goes back only into the kind of chip it was read from.
    if (entry->chip.compare(QLatin1String(chip->name), Qt::CaseInsensitive) != 0)
        return Fail(ExitInputRefused, QStringLiteral("entry %1 holds a %2, not a %3; nothing was written")
                                          .arg(entry->id)
                                          .arg(entry->chip, QLatin1String(chip->name)));
    const auto image = cli.archive().Image(entry->sha256);
    if (!image) return ArchiveFailure(cli.archive());
    const QString origin = QStringLiteral("archive entry %1").arg(entry->id);
    if (!FitsChip(image->size(), origin, *chip)) return ExitInputRefused;
    return WriteChipWithBackup({chip, *image, origin, origin, line.value(PortOption),
                                line.has(QStringLiteral("--trace")), line.has(QStringLiteral("--verify")),
                                !line.has(QStringLiteral("--no-backup"))});
}

int RunNote(const QStringList& args)
{
    const CommandLine line(args, {}, {});
    if (const auto status = CheckInvocation(line, 2, QStringLiteral("archive note ID TEXT"), false)) return *status;
    const auto id = EntryId(line.positional()[0]);
    if (!id) return ExitInputRefused;
    CliArchive cli;
    const ArchiveResult result = cli.archive().Note(*id, line.positional()[1]);
    return result.ok() ? ExitDone : Fail(ExitInputRefused, result.failure);
}

int RunDelete(const QStringList& args)
{
    const CommandLine line(args, {}, {});
    if (const auto status = CheckInvocation(line, 1, QStringLiteral("archive delete ID"), false)) return *status;
    const auto id = EntryId(line.positional()[0]);
    if (!id) return ExitInputRefused;
    CliArchive cli;
    const ArchiveResult result = cli.archive().Delete(*id);
    return result.ok() ? ExitDone : Fail(ExitInputRefused, result.failure);
}

int RunLog(const QStringList& args)
{
    const CommandLine line(args, {}, {JsonFlag});
    if (const auto status = CheckInvocation(line, 0, QStringLiteral("archive log [--json]"), false)) return *status;
    CliArchive cli;
    const auto rows = cli.archive().JournalEntries();
    if (!rows) return ArchiveFailure(cli.archive());
    if (line.has(JsonFlag)) {
        QJsonArray array;
        for (const JournalEntry& row : *rows) array.append(JournalJson(row));
        PrintJson(array);
        return ExitDone;
    }
    QTextStream out(stdout);
    for (const JournalEntry& row : *rows)
        out << TimeText(row.time) << '\t' << row.operation << '\t' << row.chip << '\t' << row.result << '\t'
            << row.sha256 << '\n';
    return ExitDone;
}

struct Subcommand {
    const char* name;
    int (*run)(const QStringList& args);
};

constexpr std::array<Subcommand, 7> Subcommands{{
    {"list", RunList},
    {"show", RunShow},
    {"export", RunExport},
    {"restore", RunRestore},
    {"note", RunNote},
    {"log", RunLog},
    {"delete", RunDelete},
}};

int RunArchive(const QStringList& args)
{
    for (const Subcommand& subcommand : Subcommands)
        if (args.value(0) == QLatin1String(subcommand.name)) return subcommand.run(args.mid(1));
    return Fail(ExitBadArguments,
                QStringLiteral("archive needs one of list, show, export, restore, note, log, delete"));
}

constexpr std::array<CliCommand, 1> Commands{{
    {"archive",
     "archive list [--json] [--note TEXT] [--type TYPE]\n"
     "  kavro-cli archive show ID\n"
     "  kavro-cli archive export ID -o OUT.bin\n"
     "  kavro-cli archive restore ID CHIP [--verify] [--no-backup] [--port PATH] [--trace]\n"
     "  kavro-cli archive note ID TEXT\n"
     "  kavro-cli archive log [--json]\n"
     "  kavro-cli archive delete ID",
     RunArchive},
}};

} // namespace

std::span<const CliCommand> ArchiveCommands() { return Commands; }
