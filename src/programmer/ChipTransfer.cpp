#include "programmer/ChipTransfer.h"

#include "model/Prompts.h"
#include "programmer/BlockReplies.h"
#include "programmer/ChipGeometry.h"
#include "programmer/Clock.h"
#include "programmer/LinkTexts.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/TransferProgress.h"

#include <QFile>
#include <QSaveFile>

#include <memory>

namespace {

// Ends a transfer: the port and the progress display close whatever the outcome.
TransferResult Finish(ProgrammerLink& link, TransferProgress& progress, TransferResult result)
{
    link.ClosePort();
    progress.close();
    return result;
}

bool AskInsertChip(ProgrammerLink& link, const Bilingual& text, Language language)
{
    return link.prompts().message(text.in(language), LinkTexts::Message.in(language), PromptButtons::OkCancel,
                                  PromptIcon::Question)
        == PromptAnswer::Ok;
}

} // namespace

std::optional<QByteArray> ReadChipBlocks(ProgrammerLink& link, const ChipGeometry& geometry, TransferProgress& progress,
                                         Language language)
{
    progress.reset(geometry.blockCount);
    QByteArray buffer(geometry.blockCount * BlockSize, '\xFF');
    for (int block = 0; block < geometry.blockCount; ++block) {
        link.SendPacket(link.PreparePacket({geometry.command, static_cast<std::uint16_t>(block), true, {}}));
        if (!TakeBlockReply(link, BlockSize, {TransferDirection::Read, block, block * BlockSize}, language))
            return std::nullopt;
        std::copy_n(link.ReplyBuffer.begin(), BlockSize, buffer.begin() + block * BlockSize);
        progress.advance(block + 1, qint64(block + 1) * BlockSize);
    }
    return buffer;
}

TransferResult ReadChipToImage(ProgrammerLink& link, const ChipGeometry& geometry, const QString& imagePath,
                               TransferProgress& progress, Language language, ImageFileMode mode)
{
    progress.open();
    // The image receives data only after the last block. Emptied first, it is truncated before the
    // prompt; replaced when complete, the bytes go to a temporary file renamed over it at the end.
    std::unique_ptr<QFileDevice> image;
    if (mode == ImageFileMode::EmptiedFirst) image = std::make_unique<QFile>(imagePath);
    else image = std::make_unique<QSaveFile>(imagePath);
    const auto cannotWrite = [&] {
        link.prompts().message(LinkTexts::CannotCreateImage.in(language) + QStringLiteral("\n") + imagePath,
                               QString(), PromptButtons::Ok, PromptIcon::Error);
        return Finish(link, progress, TransferResult::Failed);
    };
    if (!image->open(QIODevice::WriteOnly | QIODevice::Truncate)) return cannotWrite();
    if (!AskInsertChip(link, LinkTexts::InsertChipToRead, language))
        return Finish(link, progress, TransferResult::Cancelled);
    const std::optional<QByteArray> buffer = ReadChipBlocks(link, geometry, progress, language);
    if (!buffer) return Finish(link, progress, TransferResult::Failed);
    if (image->write(*buffer) != buffer->size() || !image->flush()) return cannotWrite();
    if (auto* replaced = qobject_cast<QSaveFile*>(image.get()); replaced && !replaced->commit()) return cannotWrite();
    return Finish(link, progress, TransferResult::Completed);
}

TransferResult WriteImageToChip(ProgrammerLink& link, const ChipGeometry& geometry, const QString& imagePath,
                                TransferProgress& progress, Language language)
{
    progress.open();
    QFile image(imagePath);
    if (!image.open(QIODevice::ReadOnly)) {
        link.prompts().message(LinkTexts::CannotOpenImage.in(language) + QStringLiteral("\n") + imagePath, QString(),
                               PromptButtons::Ok, PromptIcon::Error);
        return Finish(link, progress, TransferResult::Failed);
    }
    QByteArray buffer = image.read(MaxImageSize);
    image.close();
    // What lies beyond the end of a short image is written as an erased chip holds it.
    if (buffer.size() < geometry.imageSize()) buffer.append(geometry.imageSize() - buffer.size(), '\xFF');

    if (!AskInsertChip(link, LinkTexts::InsertChipToWrite, language))
        return Finish(link, progress, TransferResult::Cancelled);

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
        link.SendPacket(link.PreparePacket({geometry.command, pageNumber, completesPage, chunk}));
        if (!TakeBlockReply(link, 1, {TransferDirection::Write, pageNumber, offset - geometry.chunkSize}, language))
            return Finish(link, progress, TransferResult::Failed);
        link.clock().sleepMs(PauseAfterChunkMs);
    }
    return Finish(link, progress, TransferResult::Completed);
}
