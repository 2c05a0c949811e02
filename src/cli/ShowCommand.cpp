// kavro-cli show: a readable summary of a data file, or the same as JSON for other tools.

#include "cli/CliCommand.h"
#include "cli/CliSupport.h"

#include "model/TextForms.h"
#include "model/TypeName.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <memory>

namespace {

QJsonValue KeyValue(const KeySlot& slot) { return slot.isEmpty() ? QJsonValue() : QJsonValue(KeyText(slot)); }

// Every non-empty slot of `keySlots` with its index.
template <typename Slots>
QJsonArray KeyList(const Slots& keySlots)
{
    QJsonArray list;
    for (int slot = 0; slot < static_cast<int>(keySlots.size()); ++slot)
        if (!keySlots[slot].isEmpty()) list.append(QJsonObject{{"slot", slot}, {"key", KeyText(keySlots[slot])}});
    return list;
}

QJsonObject Summary(const QString& path, InputLayout layout, const IntercomStore& store)
{
    const TIntercomData& r = store.Record;
    const std::optional<TDeviceType> type = FindTypeByName(r);
    // Apartments are numbered from 0, as the pages number them (apartment r-1 in row r).
    QJsonArray codes;
    for (int apartment = 0; apartment < CodeCount; ++apartment)
        if (r.Codes[apartment] != EmptyDigitValue)
            codes.append(QJsonObject{{"apartment", apartment}, {"code", FourDigitText(r.Codes[apartment])}});
    QJsonObject summary{
        {"file", path},
        {"layout", InputLayoutName(layout)},
        {"typeName", TypeNameText(r)},
        {"type", type ? QJsonValue(TypeIndex(*type)) : QJsonValue()},
        {"servicePassword", FourDigitText(r.ServicePassword)},
        {"systemPassword", FourDigitText(r.SystemPassword)},
        {"generalCode", FourDigitText(r.GeneralCode)},
        {"configByte", TwoDigitText(r.ConfigByte)},
        {"auxByte", TwoDigitText(r.AuxByte)},
        {"conciergeNumber", r.ConciergeNumber},
        {"lockTime", r.LockTime},
        {"volume", r.Volume},
        {"keyCounter", r.KeyCounter},
        {"codeCounter", r.CodeCounter},
        {"masterKey", KeyValue(r.MasterKey)},
        {"codes", codes},
        {"keys", KeyList(r.KeySlots)},
        {"headerKeys", KeyList(r.HeaderKeySlots)},
    };
    if (layout == InputLayout::Extended) summary.insert("extensionKeys", KeyList(store.ExtensionKeySlots));
    return summary;
}

void PrintKeys(QTextStream& out, const char* title, const QJsonValue& keys)
{
    const QJsonArray list = keys.toArray();
    out << title << ": " << list.size() << '\n';
    for (const QJsonValue& entry : list)
        out << "  " << entry["slot"].toInt() << '\t' << entry["key"].toString() << '\n';
}

void PrintText(QTextStream& out, const QJsonObject& s)
{
    const QString type = s["type"].isNull() ? QStringLiteral("unknown") : QString::number(s["type"].toInt());
    out << "File:             " << s["file"].toString() << " (" << s["layout"].toString() << ")\n"
        << "Type:             " << type << " \"" << s["typeName"].toString() << "\"\n"
        << "Service password: " << s["servicePassword"].toString() << '\n'
        << "System password:  " << s["systemPassword"].toString() << '\n'
        << "General code:     " << s["generalCode"].toString() << '\n'
        << "Configuration:    " << s["configByte"].toString() << '\n'
        << "Concierge:        " << s["conciergeNumber"].toInt() << '\n'
        << "Lock time:        " << s["lockTime"].toInt() << '\n'
        << "Volume:           " << s["volume"].toInt() << '\n'
        << "Master key:       " << (s["masterKey"].isNull() ? QStringLiteral("none") : s["masterKey"].toString())
        << '\n'
        << "Key counter:      " << s["keyCounter"].toInt() << '\n'
        << "Code counter:     " << s["codeCounter"].toInt() << '\n';
    const QJsonArray codes = s["codes"].toArray();
    out << "Codes: " << codes.size() << '\n';
    for (const QJsonValue& entry : codes)
        out << "  apartment " << entry["apartment"].toInt() << '\t' << entry["code"].toString() << '\n';
    PrintKeys(out, "Keys", s["keys"]);
    PrintKeys(out, "Header keys", s["headerKeys"]);
    if (s.contains("extensionKeys")) PrintKeys(out, "Extension keys", s["extensionKeys"]);
}

} // namespace

int RunShow(const QStringList& args)
{
    const QString json = QStringLiteral("--json");
    const CommandLine line(args, {}, {json});
    if (!line.ok() || line.positional().size() != 1)
        return Fail(ExitBadArguments,
                    (line.ok() ? QString() : line.error() + '\n') + "usage: kavro-cli show IN [--json]");
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    QString error;
    const QString path = line.positional()[0];
    const auto layout = LoadInputFile(path, *store, &error);
    if (!layout) return Fail(ExitInputRefused, error);
    const QJsonObject summary = Summary(path, *layout, *store);
    QTextStream out(stdout);
    if (line.has(json))
        out << QJsonDocument(summary).toJson(QJsonDocument::Indented);
    else
        PrintText(out, summary);
    return ExitDone;
}
