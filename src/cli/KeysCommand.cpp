// kavro-cli keys: the keys of a data file's page to a CSV, and a CSV's keys into a data file
// through the rules of a typed key.

#include "cli/CliCommand.h"
#include "cli/CliSupport.h"

#include "documents/KeyCsv.h"
#include "model/TypeName.h"

#include <QTextStream>

namespace {

constexpr char KeysUsage[] = "keys export IN -o OUT.csv [--type TYPE]\n"
                             "  kavro-cli keys import IN CSV -o OUT [--type TYPE]";
const QString TypeOption = QStringLiteral("--type");

// A spreadsheet export is far below this; anything larger is no key list.
constexpr qint64 CsvLimit = 16 * 1024 * 1024;

// The data file and the page its keys belong to: the --type given, else the type the file names.
std::optional<TDeviceType> LoadKeysDocument(const CommandLine& line, IntercomStore& store, InputLayout* layout, int* status)
{
    std::optional<TDeviceType> type;
    if (line.has(TypeOption) && !(type = ParseType(line.value(TypeOption)))) {
        *status = Fail(ExitInputRefused,
                       QStringLiteral("unknown controller type '%1' (see kavro-cli types)").arg(line.value(TypeOption)));
        return std::nullopt;
    }
    const QString& path = line.positional()[1];
    QString error;
    const auto loaded = LoadInputFile(path, store, &error);
    if (!loaded) {
        *status = Fail(ExitInputRefused, error);
        return std::nullopt;
    }
    *layout = *loaded;
    if (!type && (type = FindTypeByName(store.Record)) == NoType) {
        *status = Fail(ExitInputRefused, QStringLiteral("%1 names no controller type; give --type TYPE").arg(path));
        return std::nullopt;
    }
    return type;
}

int RunExport(const CommandLine& line)
{
    auto store = StartUpStore();
    InputLayout layout{};
    int status = ExitDone;
    const auto type = LoadKeysDocument(line, *store, &layout, &status);
    if (!type) return status;
    return WriteOutput(WriteFileSafely(line.value(OutOption), ExportKeyCsv(*store, {*type}, CliLanguage)));
}

int RunImport(const CommandLine& line)
{
    auto store = StartUpStore();
    InputLayout layout{};
    int status = ExitDone;
    const auto type = LoadKeysDocument(line, *store, &layout, &status);
    if (!type) return status;
    const InputBytes csv = ReadInputFile(line.positional()[2], CsvLimit);
    if (!csv.ok()) return Fail(ExitInputRefused, csv.result.message(CliLanguage));
    if (csv.longer) return Fail(ExitInputRefused, QStringLiteral("%1: too large for a key list").arg(line.positional()[2]));

    const KeyCsvImport imported = ImportKeyCsv(csv.bytes, *store, {*type}, CliLanguage);
    if (imported.fileError) return Fail(ExitInputRefused, QStringLiteral("%1: %2").arg(line.positional()[2], *imported.fileError));
    QTextStream err(stderr);
    for (const KeyLineReport& report : imported.lines)
        if (report.outcome != KeyLineOutcome::Stored) err << "kavro-cli: " << line.positional()[2] << ": " << KeyLineText(report, CliLanguage) << '\n';
    // The extension slots are kept only by the extended layout: a plain data file would lose them.
    const bool extended = layout == InputLayout::Extended || *type == DeviceTypes::PKU630XE;
    if (const int written = WriteStore(line.value(OutOption), *store, extended); written != ExitDone) return written;
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
