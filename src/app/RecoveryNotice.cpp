#include "app/RecoveryNotice.h"

#include "model/Prompts.h"
#include "model/RecoveryFile.h"

namespace {
constexpr Bilingual WorkWasSaved{
    "Несохранённые данные, оставшиеся при прошлом завершении программы, сохранены здесь:\n%1\n"
    "Их можно открыть командой Файл > Открыть.",
    "Unsaved data left when the program last ended have been saved here:\n%1\nFile > Open opens them."};
} // namespace

void AnnounceRecoveryFiles(Prompts& prompts, Language language, const QString& folder)
{
    const QStringList files = UnannouncedRecoveryFiles(folder);
    if (files.isEmpty()) return;
    prompts.message(WorkWasSaved.in(language).arg(files.join(QLatin1Char('\n'))), MessageTitle.in(language),
                    PromptButtons::Ok, PromptIcon::Information);
    MarkRecoveryFilesAnnounced(folder, files);
}
