// kavro-cli diff: what differs between two data files or chip dumps of one controller type, in
// the terms of the type's page.

#include "cli/CliCommand.h"
#include "cli/CliPrompts.h"
#include "cli/CliSupport.h"

#include "codecs/CodecTables.h"
#include "codecs/ImageFiles.h"
#include "documents/RecordDifference.h"
#include "model/TypeName.h"

#include <QJsonObject>

#include <memory>

namespace {

constexpr char DiffUsage[] = "diff A B [--type TYPE] [--json]";

bool IsDump(const QString& path) { return path.endsWith(QLatin1String(".bin"), Qt::CaseInsensitive); }

// A chip dump decoded as `type`, a damaged one refused; the working folder is not touched.
bool LoadDump(const QString& path, TDeviceType type, IntercomStore& store, QString* error)
{
    const auto image = ReadImageBytes(path, CliLanguage, *error);
    if (!image) return false;
    CommandLinePrompts prompts(false);
    if (DumpLayoutFor(type)->decode(AsImage(*image), store, {prompts, CliLanguage}) == DecodeOutcome::Rejected) {
        *error = QStringLiteral("%1: damaged data rejected").arg(path);
        return false;
    }
    return true;
}

const char* SubjectName(DifferenceSubject subject)
{
    switch (subject) {
    case DifferenceSubject::Key: return "key";
    case DifferenceSubject::Code: return "code";
    case DifferenceSubject::Field: return "field";
    case DifferenceSubject::MasterKey: return "masterKey";
    case DifferenceSubject::Setting: return "setting";
    case DifferenceSubject::Value: return "value";
    }
    return "";
}

const char* ChangeName(Change change)
{
    switch (change) {
    case Change::Added: return "added";
    case Change::Removed: return "removed";
    case Change::Changed: return "changed";
    }
    return "";
}

QJsonObject ItemJson(const DifferenceItem& item)
{
    const bool setting = item.subject == DifferenceSubject::Setting;
    QJsonObject json{
        {"subject", SubjectName(item.subject)},
        {"change", ChangeName(item.change)},
        {"place", QLatin1String(item.place)},
        {"before", setting ? item.settingBefore.in(CliLanguage) : item.before},
        {"after", setting ? item.settingAfter.in(CliLanguage) : item.after},
        {"text", DifferenceText(item, CliLanguage)},
    };
    if (item.cell.row >= 0) {
        json.insert("column", item.cell.column);
        json.insert("row", item.cell.row);
    }
    if (item.apartment >= 0) json.insert("apartment", item.apartment);
    if (item.subject == DifferenceSubject::Key) json.insert("key", item.keyNumber);
    return json;
}

int RunDiff(const QStringList& args)
{
    const QString typeOption = QStringLiteral("--type");
    const QString json = QStringLiteral("--json");
    const CommandLine line(args, {typeOption}, {json});
    if (!line.ok() || line.positional().size() != 2)
        return Fail(ExitInputRefused, (line.ok() ? QString() : line.error() + '\n') + "usage: kavro-cli " + DiffUsage);
    std::optional<TDeviceType> type;
    if (line.has(typeOption) && !(type = ParseType(line.value(typeOption))))
        return Fail(ExitInputRefused,
                    QStringLiteral("unknown controller type '%1' (see kavro-cli types)").arg(line.value(typeOption)));

    const std::array<std::unique_ptr<IntercomStore>, 2> stores{StartUpStore(), StartUpStore()};
    for (int i = 0; i < 2; ++i) {
        const QString& path = line.positional()[i];
        QString error;
        if (IsDump(path)) {
            if (!type)
                return Fail(
                    ExitInputRefused,
                    QStringLiteral("%1: a chip dump does not say its controller type; give --type TYPE").arg(path));
            if (!LoadDump(path, *type, *stores[i], &error)) return Fail(ExitInputRefused, error);
        } else if (!LoadInputFile(path, *stores[i], &error)) {
            return Fail(ExitInputRefused, error);
        }
    }
    // Without --type the data files say their type, and both must say the same.
    if (!type) {
        const std::optional<TDeviceType> first = FindTypeByName(stores[0]->Record);
        const std::optional<TDeviceType> second = FindTypeByName(stores[1]->Record);
        if (!first && !second)
            return Fail(ExitInputRefused, QStringLiteral("neither file names a controller type; give --type TYPE"));
        if (first && second && first != second)
            return Fail(ExitInputRefused,
                        QStringLiteral("%1 is a %2 and %3 a %4 file; give --type TYPE to compare them as one")
                            .arg(line.positional()[0], TypeText(first), line.positional()[1], TypeText(second)));
        type = first ? first : second;
    }

    const std::vector<DifferenceItem> items = CompareRecords(*stores[0], *stores[1], *type);
    PrintList(items, line.has(json), ItemJson, DifferenceText);
    return items.empty() ? ExitDone : ExitChipDiffers;
}

constexpr std::array<CliCommand, 1> Commands{{{"diff", DiffUsage, RunDiff}}};

} // namespace

std::span<const CliCommand> DiffCommands() { return Commands; }
