#include "app/ReportCommands.h"

#include "documents/CodeFilling.h"
#include "documents/Report.h"
#include "model/FileIO.h"
#include "model/TextForms.h"
#include "views/StringGrid.h"

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
    explicit PageReportSource(QWidget& pages) : pages_(pages) {}
    QString Field(const char* name) const override
    {
        const auto* field = pages_.findChild<QLineEdit*>(QString::fromLatin1(name));
        return field ? field->displayText() : QString();
    }
    QString Cell(const char* table, int column, int row) const override
    {
        const auto* grid = pages_.findChild<StringGrid*>(QString::fromLatin1(table));
        return grid ? grid->Cell(column, row) : QString();
    }

private:
    QWidget& pages_;
};

} // namespace

void ReportCommands::N4Click()
{
    const Language language = host_.page.language();
    const QByteArray report =
        ReportBytes(host_.page.currentType(), host_.smallIButton(), language, PageReportSource(host_.pages));
    const QString path = QDir::current().absoluteFilePath(QLatin1String(ReportFileName));
    // Passwords and codes: the report is for the user only, and a link planted at its name is refused.
    if (const FileResult written = WriteFixedNameFile(path, report); !written.ok()) {
        host_.prompts.message(CannotWriteReport.in(language).arg(path, written.reason(language)),
                              ErrorTitle.in(language), PromptButtons::Ok, PromptIcon::Error);
        return;
    }
    host_.report(ReportWritten.in(language).arg(QDir::toNativeSeparators(path)));
    if (!host_.openInEditor(path))
        host_.prompts.message(NoProgramForReport.in(language).arg(QDir::toNativeSeparators(path)),
                              MessageTitle.in(language), PromptButtons::Ok, PromptIcon::Information);
}

void ReportCommands::N5Click()
{
    const TableSpec* table = CodeTableOf(host_.page.currentType(), host_.smallIButton());
    if (!table) return;
    CodeGenerator generator(static_cast<CodeGenerator::result_type>(QDateTime::currentSecsSinceEpoch()));
    IntercomStore& store = host_.page.store;
    FillCodes(store, *table, generator);
    if (auto* grid = host_.pages.findChild<StringGrid*>(QString::fromLatin1(table->name)))
        for (int row = 1; row <= table->rows; ++row)
            if (const std::optional<int> code = CodeOfRow(*table, row))
                grid->SetCell(table->codeColumn, row, FourDigitText(store.Record.Codes[static_cast<std::size_t>(*code)]));
    // New codes may already be printed and handed out: closing must not drop them unasked.
    host_.page.markModified();
}
