// kavro-cli find: every place of a data file that holds a key, in the terms of the type's page,
// so a technician can delete a lost key wherever it is kept.

#include "cli/CliCommand.h"
#include "cli/CliSupport.h"

#include "documents/KeyFinder.h"
#include "model/KeyIdentifier.h"
#include "model/TypeName.h"

#include <QJsonObject>

namespace {

constexpr char FindUsage[] = "find IN HEX6 [--type TYPE] [--json]";
constexpr int KeyTextLength = 6;

const char* HolderName(KeyHolder holder)
{
    switch (holder) {
    case KeyHolder::TableCell: return "table";
    case KeyHolder::MasterKey: return "masterKey";
    case KeyHolder::HiddenKeySlot: return "keySlot";
    case KeyHolder::HiddenHeaderSlot: return "headerSlot";
    case KeyHolder::HiddenExtensionSlot: return "extensionSlot";
    }
    return "";
}

QJsonObject PlaceJson(const KeyPlace& place)
{
    QJsonObject json{{"holder", HolderName(place.holder)}, {"text", KeyPlaceText(place, CliLanguage)}};
    if (place.place) json.insert("place", QLatin1String(place.place));
    if (place.slot >= 0) json.insert("slot", place.slot);
    if (place.holder == KeyHolder::TableCell) {
        json.insert("column", place.cell.column);
        json.insert("row", place.cell.row);
        if (place.where.apartment >= 0) json.insert("apartment", place.where.apartment);
        json.insert("key", place.where.keyNumber);
    }
    return json;
}

int RunFind(const QStringList& args)
{
    const QString typeOption = QStringLiteral("--type");
    const QString json = QStringLiteral("--json");
    const CommandLine line(args, {typeOption}, {json});
    if (!line.ok() || line.positional().size() != 2)
        return Fail(ExitInputRefused, (line.ok() ? QString() : line.error() + '\n') + "usage: kavro-cli " + FindUsage);
    const QString& path = line.positional()[0];
    const QString& keyText = line.positional()[1];

    // The key as the page shows it typed: six hexadecimal characters, the key's third byte first.
    const std::optional<KeyBytes> key =
        keyText.size() == KeyTextLength ? TypedKeyOf(keyText, KeyTextOrder::ThirdByteFirst) : std::nullopt;
    if (!key)
        return Fail(ExitInputRefused,
                    QStringLiteral("'%1' is not a key: give six hexadecimal characters, e.g. 1A2B3C").arg(keyText));
    if (*key == KeyBytes{0xFF, 0xFF, 0xFF})
        return Fail(ExitInputRefused, QStringLiteral("FFFFFF marks an empty slot and is no key"));

    std::optional<TDeviceType> type;
    if (line.has(typeOption) && !(type = ParseType(line.value(typeOption))))
        return Fail(ExitInputRefused,
                    QStringLiteral("unknown controller type '%1' (see kavro-cli types)").arg(line.value(typeOption)));
    const std::unique_ptr<IntercomStore> store = StartUpStore();
    QString error;
    if (!LoadInputFile(path, *store, &error)) return Fail(ExitInputRefused, error);
    if (!type) {
        const std::optional<TDeviceType> named = FindTypeByName(store->Record);
        if (!named)
            return Fail(ExitInputRefused,
                        QStringLiteral("%1: its type name '%2' names no controller type; give --type TYPE")
                            .arg(path, TypeNameText(store->Record)));
        type = named;
    }

    const std::vector<KeyPlace> places = FindKey(*store, *type, *key);
    PrintList(places, line.has(json), PlaceJson, KeyPlaceText);
    return places.empty() ? ExitKeyNotFound : ExitDone;
}

constexpr std::array<CliCommand, 1> Commands{{{"find", FindUsage, RunFind}}};

} // namespace

std::span<const CliCommand> FindCommands() { return Commands; }
