#include "app/KeyFileCommands.h"

#include "app/DocumentCommands.h"
#include "app/Session.h"
#include "documents/KeyCsv.h"
#include "model/FileIO.h"

#include <QStringList>

namespace {

constexpr Bilingual ExportTitle{"Экспорт ключей", "Export keys"};
constexpr Bilingual ImportTitle{"Импорт ключей", "Import keys"};
constexpr Bilingual CsvFilter{"таблица CSV(*.csv)|*.csv", "CSV spreadsheet(*.csv)|*.csv"};
constexpr Bilingual KeysExported{"Ключи записаны в файл\n%1", "The keys were written to\n%1"};
constexpr Bilingual ImportRefused{"Файл не прочитан: %1", "The file was not read: %1"};
constexpr Bilingual NothingImported{"В файле нет ни одного ключа.", "The file holds no key."};
// A key list of 7680 slots in CSV stays far below this; anything larger is no key list.
constexpr qint64 CsvLimit = 16 * 1024 * 1024;
constexpr Bilingual TooLarge{"слишком большой для списка ключей", "too large for a key list"};
// A message box taller than the screen hides its button: a long report ends with a count.
constexpr int ShownLines = 30;
constexpr Bilingual MoreLines{"… и ещё строк: %1", "… and %1 more lines"};

FileDialogRequest CsvRequest(const Bilingual& title, Language language, bool mustExist, const QString& folder)
{
    return {title.in(language), CsvFilter.in(language), QStringLiteral("csv"), QString(), 1, mustExist, folder};
}

} // namespace

void KeyFileCommands::Export()
{
    const std::optional<TDeviceType> type = session_.CurrentType();
    if (!type) return; // no page is shown, and the commands are off
    const Language language = session_.CurrentLanguage();
    FileDialogRequest request = CsvRequest(ExportTitle, language, false, documents_.Recent().LastFolder());
    request.fileName = QStringLiteral("keys.csv");
    const std::optional<FileDialogChoice> target = session_.Prompter().saveFile(request);
    if (!target) return;
    const QByteArray csv = ExportKeyCsv(session_.Store(), {*type, session_.SmallIButton()}, language);
    const FileResult written = WriteFileSafely(target->path, csv);
    if (!written.ok()) {
        session_.Prompter().message(written.message(language), ErrorTitle.in(language), PromptButtons::Ok,
                                    PromptIcon::Error);
        return;
    }
    session_.Prompter().message(KeysExported.in(language).arg(target->path), ExportTitle.in(language),
                                PromptButtons::Ok, PromptIcon::Information);
}

void KeyFileCommands::Import()
{
    const std::optional<TDeviceType> type = session_.CurrentType();
    if (!type) return; // no page is shown, and the commands are off
    const Language language = session_.CurrentLanguage();
    Prompts& prompts = session_.Prompter();
    const std::optional<FileDialogChoice> source =
        prompts.openFile(CsvRequest(ImportTitle, language, true, documents_.Recent().LastFolder()));
    if (!source) return;
    const InputBytes csv = ReadInputFile(source->path, CsvLimit);
    std::optional<QString> refused;
    if (!csv.ok())
        refused = csv.result.message(language);
    else if (csv.longer)
        refused = TooLarge.in(language);
    KeyCsvImport imported;
    if (!refused) {
        imported = ImportKeyCsv(csv.bytes, session_.Store(), {*type, session_.SmallIButton()}, language);
        refused = imported.fileError;
    }
    if (refused) {
        prompts.message(ImportRefused.in(language).arg(*refused), ErrorTitle.in(language), PromptButtons::Ok,
                        PromptIcon::Error);
        return;
    }
    QStringList lines;
    bool anyStored = false;
    for (const KeyLineReport& report : imported.lines) {
        if (lines.size() < ShownLines) lines << KeyLineText(report, language);
        anyStored = anyStored || report.outcome == KeyLineOutcome::Stored;
    }
    if (imported.lines.size() > ShownLines) lines << MoreLines.in(language).arg(imported.lines.size() - ShownLines);
    if (anyStored) {
        session_.MarkModified();
        session_.RefillPage();
    }
    prompts.message(lines.isEmpty() ? NothingImported.in(language) : lines.join(QLatin1Char('\n')),
                    ImportTitle.in(language), PromptButtons::Ok,
                    imported.allStored() ? PromptIcon::Information : PromptIcon::Warning);
}
