#include "app/ReportCommands.h"

#include "app/PageLookup.h"
#include "app/Session.h"
#include "app/StatusLine.h"
#include "documents/CodeFilling.h"
#include "documents/Report.h"
#include "model/FileIO.h"
#include "model/Prompts.h"
#include "model/TextForms.h"
#include "views/PageParts.h"

#include <QDateTime>
#include <QDir>
#include <QLineEdit>

namespace {

constexpr Bilingual CannotWriteReport{"Ошибка записи отчёта в файл %1:\n%2", "Cannot write the report to %1:\n%2"};
constexpr Bilingual ReportWritten{"Отчёт записан в %1", "Report written to %1"};
constexpr Bilingual NoProgramForReport{"Не найдена программа, которая открыла бы отчёт.\nОтчёт записан в файл %1",
                                       "No program was found to open the report.\nThe report was written to %1"};

// The texts the user sees on the page: what each field displays and each cell holds.
class PageReportSource : public ReportSource {
public:
    explicit PageReportSource(const PageLookup& pages) : pages_(pages) {}
    QString Field(FieldId field) const override
    {
        const QLineEdit* edit = pages_.Field(field);
        return edit ? edit->displayText() : QString();
    }
    QString Cell(TableId table, int column, int row) const override
    {
        const RecordGrid* grid = pages_.Grid(table);
        return grid ? grid->Cell(column, row) : QString();
    }

private:
    const PageLookup& pages_;
};

} // namespace

void ReportCommands::N4Click()
{
    const Language language = session_.CurrentLanguage();
    const QByteArray report =
        ReportBytes(session_.CurrentType(), session_.SmallIButton(), language, PageReportSource(pages_));
    const QString path = QDir::current().absoluteFilePath(QLatin1String(ReportFileName));
    // Passwords and codes: the report is for the user only, and a link planted at its name is refused.
    if (const FileResult written = WriteFixedNameFile(path, report); !written.ok()) {
        session_.Prompter().message(CannotWriteReport.in(language).arg(path, written.reason(language)),
                                    ErrorTitle.in(language), PromptButtons::Ok, PromptIcon::Error);
        return;
    }
    status_.ShowEvent(ReportWritten.in(language).arg(QDir::toNativeSeparators(path)));
    if (!openInEditor_(path))
        session_.Prompter().message(NoProgramForReport.in(language).arg(QDir::toNativeSeparators(path)),
                                    MessageTitle.in(language), PromptButtons::Ok, PromptIcon::Information);
}

void ReportCommands::N5Click()
{
    const TableSpec* table = CodeTableOf(session_.CurrentType(), session_.SmallIButton());
    if (!table) return;
    CodeGenerator generator(static_cast<CodeGenerator::result_type>(QDateTime::currentSecsSinceEpoch()));
    IntercomStore& store = session_.Store();
    FillCodes(store, *table, generator);
    if (RecordGrid* grid = pages_.Grid(table->id))
        for (int row = 1; row <= table->rows; ++row)
            if (const std::optional<int> code = CodeOfRow(*table, row))
                grid->SetCell(table->codeColumn, row,
                              FourDigitText(store.Record.Codes[static_cast<std::size_t>(*code)]));
    // New codes may already be printed and handed out: closing must not drop them unasked.
    session_.MarkModified();
}
