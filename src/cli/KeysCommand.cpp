// kavro-cli keys: the keys of a data file's page to a CSV, and a CSV's keys into a data file
// through the rules of a typed key.

#include "cli/CliCommand.h"
#include "cli/CliSupport.h"

#include "documents/KeyCsv.h"
#include "model/ControllerTypes.h"
#include "model/TypeName.h"

#include <QTextStream>

#include <memory>

namespace {

constexpr char KeysUsage[] = "keys export IN -o OUT.csv [--type TYPE]\n"
                             "  kavro-cli keys import IN CSV -o OUT [--type TYPE]";
const QString TypeOption = QStringLiteral("--type");

// A spreadsheet export is far below this; anything larger is no key list.
constexpr qint64 CsvLimit = 16 * 1024 * 1024;

// The data file and the page its keys belong to: the --type given, else the type the file names.
struct KeysDocument {
    std::unique_ptr<IntercomStore> store = StartUpStore();
    InputLayout layout{};
    std::optional<TDeviceType> type;
};

std::optional<KeysDocument> LoadKeysDocument(const CommandLine& line, int* status)
{
    KeysDocument document;
    if (line.has(TypeOption)) {
        const auto type = ParseType(line.value(TypeOption));
        if (!type) {
            *status =
                Fail(ExitInputRefused,
                     QStringLiteral("unknown controller type '%1' (see kavro-cli types)").arg(line.value(TypeOption)));
            return std::nullopt;
        }
        document.type = type;
    }
    const QString& path = line.positional()[1];
    QString error;
    const auto layout = LoadInputFile(path, *document.store, &error);
    if (!layout) {
        *status = Fail(ExitInputRefused, error);
        return std::nullopt;
    }
    document.layout = *layout;
    if (!document.type && !(document.type = FindTypeByName(document.store->Record))) {
        *status = Fail(ExitInputRefused, QStringLiteral("%1 names no controller type; give --type TYPE").arg(path));
        return std::nullopt;
    }
    return document;
}

int RunExport(const CommandLine& line)
{
    int status = ExitDone;
    const auto document = LoadKeysDocument(line, &status);
    if (!document) return status;
    return WriteOutput(
        WriteFileSafely(line.value(OutOption), ExportKeyCsv(*document->store, {*document->type}, CliLanguage)));
}

int RunImport(const CommandLine& line)
{
    int status = ExitDone;
    const auto document = LoadKeysDocument(line, &status);
    if (!document) return status;
    const InputBytes csv = ReadInputFile(line.positional()[2], CsvLimit);
    if (!csv.ok()) return Fail(ExitInputRefused, csv.result.message(CliLanguage));
    if (csv.longer)
        return Fail(ExitInputRefused, QStringLiteral("%1: too large for a key list").arg(line.positional()[2]));

    const KeyCsvImport imported = ImportKeyCsv(csv.bytes, *document->store, {*document->type}, CliLanguage);
    if (imported.fileError)
        return Fail(ExitInputRefused, QStringLiteral("%1: %2").arg(line.positional()[2], *imported.fileError));
    QTextStream err(stderr);
    for (const KeyLineReport& report : imported.lines)
        if (report.outcome != KeyLineOutcome::Stored)
            err << "kavro-cli: " << line.positional()[2] << ": " << KeyLineText(report, CliLanguage) << '\n';
    // The extension slots are kept only by the extended layout: a plain data file would lose them.
    const bool extended =
        document->layout == InputLayout::Extended || ControllerTypeOf(*document->type).usesExtensionSlots;
    if (const int written = WriteStore(line.value(OutOption), *document->store, extended); written != ExitDone)
        return written;
    return imported.allStored() ? ExitDone : ExitChipDiffers;
}

int RunKeys(const QStringList& args)
{
    const CommandLine line(args, {OutOption, TypeOption}, {});
    const QString action = line.positional().value(0);
    const int positionals = action == QLatin1String("import") ? 3 : 2;
    if (action != QLatin1String("import") && action != QLatin1String("export"))
        return Fail(ExitBadArguments, QStringLiteral("usage: kavro-cli ") + KeysUsage);
    if (auto status = CheckInvocation(line, positionals, QLatin1String(KeysUsage), true)) return *status;
    return action == QLatin1String("import") ? RunImport(line) : RunExport(line);
}

constexpr std::array<CliCommand, 1> Commands{{{"keys", KeysUsage, RunKeys}}};

} // namespace

std::span<const CliCommand> KeysCommands() { return Commands; }
