// kavro-cli commands on data files and chip images: types, new, decode, encode, convert.

#include "cli/CliCommand.h"
#include "cli/CliPrompts.h"
#include "cli/CliSupport.h"

#include "model/Language.h"
#include "codecs/CodecTables.h"
#include "codecs/ImageFiles.h"
#include "documents/Conversion.h"
#include "model/DataFile.h"
#include "model/FileIO.h"
#include "model/NewDocument.h"
#include "model/TypeName.h"

#include <QTextStream>

#include <array>
#include <memory>

int RunShow(const QStringList& args); // ShowCommand.cpp

namespace {

const QString ChipOption = QStringLiteral("--chip");
const QString WithExtension = QStringLiteral("--with-extension");

std::optional<ChipKind> ChipArgument(const CommandLine& line, int* status)
{
    const auto chip = ParseChip(line.value(ChipOption));
    if (!chip)
        *status =
            Fail(ExitBadArguments,
                 QStringLiteral("unknown chip '%1' (24C16, 24C64, DS1995 or DS1996)").arg(line.value(ChipOption)));
    return chip;
}

int RunTypes(const QStringList& args)
{
    if (!args.isEmpty()) return Fail(ExitBadArguments, QStringLiteral("usage: kavro-cli types"));
    QTextStream out(stdout);
    for (const TDeviceType type : AllDeviceTypes) out << TypeIndex(type) << '\t' << TypeText(type) << '\n';
    return ExitDone;
}

constexpr char NewUsage[] = "new TYPE -o OUT [--with-extension]";
int RunNew(const QStringList& args)
{
    const CommandLine line(args, {OutOption}, {WithExtension});
    if (auto status = CheckInvocation(line, 1, QLatin1String(NewUsage), true)) return *status;
    int status = ExitDone;
    const auto type = TypeArgument(line.positional()[0], &status);
    if (!type) return status;
    auto store = StartUpStore();
    ApplyNewDocument(*store, *type);
    return WriteStore(line.value(OutOption), *store, line.has(WithExtension));
}

constexpr char DecodeUsage[] =
    "decode TYPE IMAGE -o OUT [--chip CHIP] [--base BASE] [--on-damaged continue|reject] [--with-extension]";
int RunDecode(const QStringList& args)
{
    const QString base = QStringLiteral("--base");
    const QString onDamaged = QStringLiteral("--on-damaged");
    const CommandLine line(args, {OutOption, ChipOption, base, onDamaged}, {WithExtension});
    if (auto status = CheckInvocation(line, 2, QLatin1String(DecodeUsage), true)) return *status;
    int status = ExitDone;
    const auto type = TypeArgument(line.positional()[0], &status);
    if (!type) return status;
    const QString damaged = line.has(onDamaged) ? line.value(onDamaged) : QStringLiteral("reject");
    if (damaged != QLatin1String("continue") && damaged != QLatin1String("reject"))
        return Fail(ExitBadArguments, QStringLiteral("--on-damaged takes continue or reject"));

    // Which layout decodes, and whether a conversion follows, as the read command or the dump
    // import would do it.
    const Layout* layout = DumpLayoutFor(*type);
    std::optional<TDeviceType> thenConvertTo;
    if (line.has(ChipOption)) {
        const auto chip = ChipArgument(line, &status);
        if (!chip) return status;
        const auto decoding = ReadDecodingFor(*chip, *type);
        if (!decoding)
            return Fail(ExitBadArguments, QStringLiteral("a %1 read decodes nothing for %2")
                                              .arg(QLatin1String(ChipName(*chip)), TypeText(*type)));
        layout = decoding->layout;
        thenConvertTo = decoding->thenConvertTo;
    }

    auto store = StartUpStore();
    QString error;
    if (line.has(base) && !LoadInputFile(line.value(base), *store, &error)) return Fail(ExitInputRefused, error);
    const auto image = ReadImageBytes(line.positional()[1], Language::English, error);
    if (!image) return Fail(ExitInputRefused, error);

    CommandLinePrompts prompts(damaged == QLatin1String("continue"));
    const DecodeContext context{prompts, Language::English};
    StoreTypeName(store->Record, *type);
    if (layout->decode(AsImage(*image), *store, context) == DecodeOutcome::Rejected)
        return Fail(ExitInputRefused, QStringLiteral("%1: damaged data rejected").arg(line.positional()[1]));
    if (thenConvertTo) ApplyConversion(*ConversionTo(*thenConvertTo), store->Record, *type, false);
    return WriteStore(line.value(OutOption), *store, line.has(WithExtension));
}

constexpr char EncodeUsage[] = "encode TYPE IN -o OUT [--chip CHIP]";
int RunEncode(const QStringList& args)
{
    const CommandLine line(args, {OutOption, ChipOption}, {});
    if (auto status = CheckInvocation(line, 2, QLatin1String(EncodeUsage), true)) return *status;
    int status = ExitDone;
    const auto type = TypeArgument(line.positional()[0], &status);
    if (!type) return status;
    const Layout* layout = DumpLayoutFor(*type);
    if (line.has(ChipOption)) {
        const auto chip = ChipArgument(line, &status);
        if (!chip) return status;
        const WriteEncoding encoding = WriteEncodingFor(*chip, *type);
        if (encoding.step != WriteStep::Encode)
            return Fail(ExitBadArguments, QStringLiteral("a %1 write encodes nothing for %2")
                                              .arg(QLatin1String(ChipName(*chip)), TypeText(*type)));
        layout = encoding.layout;
    }
    auto store = StartUpStore();
    QString error;
    if (!LoadInputFile(line.positional()[1], *store, &error)) return Fail(ExitInputRefused, error);
    return WriteOutput(WriteFileSafely(line.value(OutOption), layout->encode(*store)));
}

constexpr char ConvertUsage[] = "convert TARGET IN -o OUT [--from TYPE]";
int RunConvert(const QStringList& args)
{
    const QString from = QStringLiteral("--from");
    const CommandLine line(args, {OutOption, from}, {});
    if (auto status = CheckInvocation(line, 2, QLatin1String(ConvertUsage), true)) return *status;
    int status = ExitDone;
    const auto target = TypeArgument(line.positional()[0], &status);
    if (!target) return status;
    const ConversionRule* rule = ConversionTo(*target);
    if (!rule) return Fail(ExitBadArguments, QStringLiteral("no conversion leads to %1").arg(TypeText(*target)));
    auto store = StartUpStore();
    const std::optional<OpenedDocument> document = OpenAsDataFile(line, line.positional()[1], *store, &status);
    if (!document) return status;
    ApplyConversion(*rule, store->Record, document->type, false);
    return WriteStore(line.value(OutOption), *store, document->layout == InputLayout::Extended);
}

constexpr std::array<CliCommand, 6> Commands{{
    {"types", "types", RunTypes},
    {"new", NewUsage, RunNew},
    {"decode", DecodeUsage, RunDecode},
    {"encode", EncodeUsage, RunEncode},
    {"convert", ConvertUsage, RunConvert},
    {"show", "show IN [--json]", RunShow},
}};

} // namespace

std::span<const CliCommand> DataCommands() { return Commands; }
