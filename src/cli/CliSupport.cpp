#include "cli/CliSupport.h"

#include "cli/CliCommand.h"
#include "model/TypeName.h"

#include "model/DataFile.h"
#include "model/FileIO.h"
#include "programmer/Chips.h"

#include <QTextStream>

#include <cstring>

CommandLine::CommandLine(const QStringList& args, const QStringList& valueOptions, const QStringList& flags)
{
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (!arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-")) {
            positional_ << arg;
        } else if (valueOptions.contains(arg)) {
            if (i + 1 >= args.size()) {
                fault_ = ArgumentFault::MissingValue;
                faultyOption_ = arg;
                return;
            }
            values_[arg] = args[++i];
        } else if (flags.contains(arg)) {
            flags_ << arg;
        } else {
            fault_ = ArgumentFault::UnknownOption;
            faultyOption_ = arg;
            return;
        }
    }
}

QString CommandLine::error() const
{
    switch (fault_) {
    case ArgumentFault::MissingValue: return QStringLiteral("option %1 needs a value").arg(faultyOption_);
    case ArgumentFault::UnknownOption: return QStringLiteral("unknown option %1").arg(faultyOption_);
    case ArgumentFault::None: break;
    }
    return QString();
}

int Fail(int status, const QString& message)
{
    QTextStream(stderr) << "kavro-cli: " << message << '\n';
    return status;
}

std::optional<TDeviceType> ParseType(const QString& text)
{
    bool isNumber = false;
    const int index = text.toInt(&isNumber);
    if (isNumber) return TypeAtIndex(index);
    for (const TDeviceType type : AllDeviceTypes)
        if (text.compare(TypeText(type), Qt::CaseInsensitive) == 0) return type;
    return std::nullopt;
}

std::optional<ChipKind> ParseChip(const QString& text) { return ChipKindByName(text); }

QString InputLayoutName(InputLayout layout)
{
    switch (layout) {
    case InputLayout::DataFile: return QStringLiteral("data file");
    case InputLayout::OlderDataFile: return QStringLiteral("older data file");
    case InputLayout::Extended: return QStringLiteral("extended file");
    }
    return {};
}

std::optional<InputLayout> LoadInputFile(const QString& path, IntercomStore& store, QString* error)
{
    const InputBytes input = ReadInputFile(path, ExtendedFileSize);
    if (!input.ok()) {
        *error = input.result.message(CliLanguage);
        return std::nullopt;
    }
    const QByteArray* bytes = &input.bytes;
    if (bytes->size() == ExtendedFileSize && !input.longer) {
        std::memcpy(&store, bytes->constData(), sizeof store);
        return InputLayout::Extended;
    }
    switch (LoadDataFileBytes(store.Record, *bytes)) {
    case LoadResult::Loaded: return InputLayout::DataFile;
    case LoadResult::LoadedLegacy: return InputLayout::OlderDataFile;
    case LoadResult::TooShort:
    case LoadResult::CannotOpen: break;
    }
    *error = QStringLiteral("%1: too short for a data file (%2 bytes, at least %3 needed)")
                 .arg(path)
                 .arg(bytes->size())
                 .arg(LegacyDataFileSize);
    return std::nullopt;
}


std::unique_ptr<IntercomStore> StartUpStore()
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    return store;
}

std::optional<int> CheckInvocation(const CommandLine& line, int positionals, const QString& usage, bool needsOut)
{
    if (!line.ok()) return Fail(ExitBadArguments, line.error() + QStringLiteral("\nusage: kavro-cli ") + usage);
    if (line.positional().size() != positionals)
        return Fail(ExitBadArguments, QStringLiteral("usage: kavro-cli ") + usage);
    if (needsOut && line.value(OutOption).isEmpty())
        return Fail(ExitBadArguments, QStringLiteral("an output file is needed (-o OUT)\nusage: kavro-cli ") + usage);
    return std::nullopt;
}

std::optional<TDeviceType> TypeArgument(const QString& text, int* status)
{
    const auto type = ParseType(text);
    if (!type)
        *status =
            Fail(ExitBadArguments, QStringLiteral("unknown controller type '%1' (see kavro-cli types)").arg(text));
    return type;
}

int WriteOutput(const FileResult& written)
{
    return written.ok() ? ExitDone : Fail(ExitInputRefused, written.message(CliLanguage));
}

int WriteStore(const QString& path, const IntercomStore& store, bool withExtension)
{
    return WriteOutput(SaveStoreFile(store, withExtension, path));
}

std::optional<OpenedDocument> OpenAsDataFile(const CommandLine& line, const QString& path, IntercomStore& store,
                                             int* status)
{
    std::optional<TDeviceType> type;
    if (line.has(FromOption) && !(type = TypeArgument(line.value(FromOption), status))) return std::nullopt;
    QString error;
    const auto layout = LoadInputFile(path, store, &error);
    if (!layout) {
        *status = Fail(ExitInputRefused, error);
        return std::nullopt;
    }
    if (!type) {
        const std::optional<TDeviceType> named = FindTypeByName(store.Record);
        if (!named) {
            *status = Fail(ExitInputRefused,
                           QStringLiteral("%1: its type name '%2' names no controller type; give --from TYPE")
                               .arg(path, TypeNameText(store.Record)));
            return std::nullopt;
        }
        type = named;
    }
    StoreTypeName(store.Record, *type);
    return OpenedDocument{*layout, *type};
}
