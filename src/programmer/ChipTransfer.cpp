#include "programmer/ChipTransfer.h"

#include "model/FileIO.h"
#include "model/Prompts.h"
#include "programmer/BlockReplies.h"
#include "programmer/Chips.h"
#include "programmer/Clock.h"
#include "programmer/LinkTexts.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/TransferProgress.h"


namespace {

// Ends a transfer: the port and the progress display close whatever the outcome.
TransferResult Finish(ProgrammerLink& link, TransferProgress& progress, TransferResult result)
{
    link.ClosePort();
    progress.close();
    return result;
}

} // namespace

bool AskInsertChip(ProgrammerLink& link, const Bilingual& text, Language language)
{
    return link.prompts().message(text.in(language), LinkTexts::Message.in(language), PromptButtons::OkCancel,
                                  PromptIcon::Question) == PromptAnswer::Ok;
}

std::optional<QByteArray> ReadChipBlocks(ProgrammerLink& link, const ChipGeometry& geometry, TransferProgress& progress,
                                         Language language)
{
    progress.reset(geometry.blockCount);
    QByteArray buffer(geometry.blockCount * BlockSize, '\xFF');
    for (int block = 0; block < geometry.blockCount; ++block) {
        link.SendPacket({geometry.command, static_cast<std::uint16_t>(block), true, {}});
        if (!TakeBlockReply(link, BlockSize, {TransferDirection::Read, block, block * BlockSize}, language))
            return std::nullopt;
        buffer.replace(block * BlockSize, BlockSize, link.LastReply().bytes);
        progress.advance(block + 1, qint64(block + 1) * BlockSize);
    }
    return buffer;
}

std::optional<QByteArray> ReadWholeChip(ProgrammerLink& link, const ChipGeometry& geometry, TransferProgress& progress,
                                        Language language, TransferResult& result)
{
    progress.open();
    if (!AskInsertChip(link, LinkTexts::InsertChipToRead, language)) {
        result = Finish(link, progress, TransferResult::Cancelled);
        return std::nullopt;
    }
    std::optional<QByteArray> image = ReadChipBlocks(link, geometry, progress, language);
    result = Finish(link, progress, image ? TransferResult::Completed : TransferResult::Failed);
    return image;
}

TransferResult ReadChipToImage(ProgrammerLink& link, const ChipGeometry& geometry, const QString& imagePath,
                               TransferProgress& progress, Language language, ImageFileMode mode)
{
    const auto cannotWrite = [&](const FileResult& failure) {
        link.prompts().message(LinkTexts::CannotCreateImage.in(language) + QStringLiteral("\n") +
                                   failure.message(language),
                               QString(), PromptButtons::Ok, PromptIcon::Error);
        return Finish(link, progress, TransferResult::Failed);
    };
    // Emptied first, the image file is made afresh before the prompt, so a folder it cannot be
    // made in is known before the chip is asked for; a read that does not complete removes it.
    FreshFile fresh(imagePath);
    if (mode == ImageFileMode::EmptiedFirst) {
        if (const FileResult created = fresh.create(); !created.ok()) return cannotWrite(created);
    }
    TransferResult result = TransferResult::Failed;
    const std::optional<QByteArray> image = ReadWholeChip(link, geometry, progress, language, result);
    if (!image) return result;
    const FileResult written =
        mode == ImageFileMode::EmptiedFirst ? fresh.fill(*image) : WriteFileSafely(imagePath, *image);
    if (!written.ok()) return cannotWrite(written);
    return TransferResult::Completed;
}

TransferResult WriteImageToChip(ProgrammerLink& link, const ChipGeometry& geometry, const QByteArray& image,
                                TransferProgress& progress, Language language)
{
    progress.open();
    if (!AskInsertChip(link, LinkTexts::InsertChipToWrite, language))
        return Finish(link, progress, TransferResult::Cancelled);
    return Finish(link, progress, WriteChipPages(link, geometry, image, progress, language));
}

TransferResult WriteChipPages(ProgrammerLink& link, const ChipGeometry& geometry, const QByteArray& image,
                              TransferProgress& progress, Language language)
{
    QByteArray buffer = image.left(geometry.imageSize());
    // What lies beyond the end of a short image is written as an erased chip holds it.
    if (buffer.size() < geometry.imageSize()) buffer.append(geometry.imageSize() - buffer.size(), '\xFF');

    progress.reset(geometry.blockCount);
    int offset = 0;
    int chunkInPage = 0;
    for (int page = 0; page < geometry.blockCount;) {
        const QByteArray chunk = buffer.mid(offset, geometry.chunkSize);
        const auto pageNumber = static_cast<std::uint16_t>(page);
        offset += geometry.chunkSize;
        const bool completesPage = ++chunkInPage == geometry.chunksPerPage;
        if (completesPage) {
            chunkInPage = 0;
            ++page;
            progress.advance(page, offset);
        }
        link.SendPacket({geometry.command, pageNumber, completesPage, chunk});
        if (!TakeBlockReply(link, 1, {TransferDirection::Write, pageNumber, offset - geometry.chunkSize}, language))
            return TransferResult::Failed;
        link.clock().sleepMs(PauseAfterChunkMs);
    }
    return TransferResult::Completed;
}
