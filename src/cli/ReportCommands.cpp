// kavro-cli commands that make documents of a data file: the report of an installation and the
// filling of individual codes, as the window's Print and Fill ind. codes do.

#include "cli/CliCommand.h"
#include "cli/CliSupport.h"

#include "documents/CodeFilling.h"
#include "documents/Report.h"
#include "model/FileIO.h"
#include "model/Language.h"

#include <QDateTime>
#include <QFile>

#include <array>

namespace {

constexpr char ReportUsage[] = "report IN -o OUT [--lang ru|en] [--from TYPE]";
int RunReport(const QStringList& args)
{
    const QString lang = QStringLiteral("--lang");
    const CommandLine line(args, {OutOption, lang, FromOption}, {});
    if (auto status = CheckInvocation(line, 1, QLatin1String(ReportUsage), true)) return *status;
    Language language = ReadLanguageFlag(LanguageIniPath());
    if (line.has(lang)) {
        if (line.value(lang) != QLatin1String("ru") && line.value(lang) != QLatin1String("en"))
            return Fail(ExitBadArguments, QStringLiteral("unknown language '%1' (ru or en)").arg(line.value(lang)));
        language = line.value(lang) == QLatin1String("ru") ? Language::Russian : Language::English;
    }
    int status = ExitDone;
    auto store = StartUpStore();
    const std::optional<OpenedDocument> document = OpenAsDataFile(line, line.positional()[0], *store, &status);
    if (!document) return status;
    const QByteArray report = ReportBytes(document->type, false, language, RecordReportSource(*store));
    const QString out = line.value(OutOption);
    if (out == QLatin1String("-")) {
        QFile standardOutput;
        if (!standardOutput.open(stdout, QIODevice::WriteOnly) || standardOutput.write(report) != report.size())
            return Fail(ExitInputRefused, QStringLiteral("cannot write the report to standard output"));
        return ExitDone;
    }
    // Passwords and codes: the report is for the user only.
    return WriteOutput(WriteFileSafely(out, report, FileAccess::UserOnly));
}

constexpr char FillCodesUsage[] = "fill-codes IN -o OUT [--seed N] [--from TYPE]";
int RunFillCodes(const QStringList& args)
{
    const QString seedOption = QStringLiteral("--seed");
    const CommandLine line(args, {OutOption, seedOption, FromOption}, {});
    if (auto status = CheckInvocation(line, 1, QLatin1String(FillCodesUsage), true)) return *status;
    CodeGenerator::result_type seed = static_cast<CodeGenerator::result_type>(QDateTime::currentSecsSinceEpoch());
    if (line.has(seedOption)) {
        bool isNumber = false;
        seed = line.value(seedOption).toUInt(&isNumber);
        if (!isNumber)
            return Fail(ExitBadArguments,
                        QStringLiteral("--seed takes a whole number, not '%1'").arg(line.value(seedOption)));
    }
    int status = ExitDone;
    auto store = StartUpStore();
    const std::optional<OpenedDocument> document = OpenAsDataFile(line, line.positional()[0], *store, &status);
    if (!document) return status;
    // The window's command on a data file: the DS1996 variant for a G300, as a file opens.
    if (const TableSpec* table = CodeTableOf(document->type, false)) {
        CodeGenerator generator(seed);
        FillCodes(*store, *table, generator);
    }
    return WriteStore(line.value(OutOption), *store, document->layout == InputLayout::Extended);
}

constexpr std::array<CliCommand, 2> Commands{{
    {"report", ReportUsage, RunReport},
    {"fill-codes", FillCodesUsage, RunFillCodes},
}};

} // namespace

std::span<const CliCommand> ReportCommands() { return Commands; }
