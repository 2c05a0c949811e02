#include "archive/ArchiveRecorder.h"

#include "model/Prompts.h"

namespace {
constexpr Bilingual KeptAsFile{"Образ микросхемы сохранён в файле %1.", "The chip's image was kept in the file %1."};
} // namespace

void ArchiveRecorder::warn(const QString& failure, const QString& fallbackFile)
{
    // One unusable archive is said once per operation, not after every row; an image kept
    // elsewhere is always said, since the user must know where it went.
    if (warned_ && fallbackFile.isEmpty()) return;
    warned_ = true;
    warn_(failure, fallbackFile);
}

bool ArchiveRecorder::keep(ArchiveEntry entry, const QByteArray& image)
{
    const ArchiveResult result = archive_.Add(std::move(entry), image);
    if (result.ok()) return true;
    warn(result.failure, result.fallbackFile);
    return !result.fallbackFile.isEmpty();
}

bool ArchiveRecorder::keepRead(const ArchiveEntry& entry, const QByteArray& image)
{
    const bool kept = keep(entry, image);
    journal(JournalOperation::Read, entry.chip, entry.type, JournalResult::Done, ChipArchive::Sha256(image));
    return kept;
}

void ArchiveRecorder::journal(const QString& operation, const QString& chip, const QString& type, const QString& result,
                              const QString& sha256)
{
    const ArchiveResult kept = archive_.Journal({0, {}, operation, chip, type, result, sha256});
    if (!kept.ok()) warn(kept.failure, {});
}

ArchiveRecorder::Warning WarnInMessageBox(Prompts& prompts, Language language)
{
    return [&prompts, language](const QString& failure, const QString& fallbackFile) {
        QString text = failure;
        if (!fallbackFile.isEmpty()) text += QLatin1Char('\n') + KeptAsFile.in(language).arg(fallbackFile);
        prompts.message(text, MessageTitle.in(language), PromptButtons::Ok, PromptIcon::Warning);
    };
}
