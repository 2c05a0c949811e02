#include "programmer/ChipTransfer.h"

#include "model/Prompts.h"
#include "programmer/ChipGeometry.h"
#include "programmer/Clock.h"
#include "programmer/LinkTexts.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/SerialPort.h"
#include "programmer/TransferProgress.h"

#include <QFile>

namespace {

// The wait for one reply of a transfer: the same 11 poll periods as a reply wait, counted from
// the send, while the port is read directly.
constexpr qint64 TransferReplyTimeoutMs = (ReplyTimeoutTicks + 1) * PollPeriodMs;

// Reads until one read returns `count` bytes; false when the time-out passes first.
bool ReadWholeReply(ProgrammerLink& link, int count)
{
    link.ExpectedReplyLength = static_cast<std::uint32_t>(count);
    link.ReplyPending = true;
    link.ReplyComplete = false;
    link.ReplyTicks = 0;
    const qint64 deadline = link.clock().nowMs() + TransferReplyTimeoutMs;
    do {
        const QByteArray bytes = link.port().read(count);
        std::copy(bytes.begin(), bytes.end(), link.ReplyBuffer.begin());
        link.ReplyLength = static_cast<std::uint32_t>(bytes.size());
        if (bytes.size() == count) {
            link.ReplyComplete = true;
            break;
        }
    } while (link.clock().nowMs() < deadline);
    link.ReplyPending = false;
    return link.ReplyComplete;
}

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

void ShowConnectionLost(ProgrammerLink& link, const Bilingual& text, Language language)
{
    link.prompts().message(text.in(language), LinkTexts::ErrorLoud.in(language), PromptButtons::Ok,
                           PromptIcon::Error);
}

} // namespace

TransferResult ReadChipToImage(ProgrammerLink& link, const ChipGeometry& geometry, const QString& imagePath,
                               TransferProgress& progress, Language language)
{
    progress.open();
    // The file is emptied before the prompt and receives data only after the last block.
    QFile image(imagePath);
    if (!image.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        link.prompts().message(LinkTexts::CannotCreateImage.in(language) + QStringLiteral("\n") + imagePath,
                               QString(), PromptButtons::Ok, PromptIcon::Error);
        return Finish(link, progress, TransferResult::Failed);
    }
    if (!AskInsertChip(link, LinkTexts::InsertChipToRead, language))
        return Finish(link, progress, TransferResult::Cancelled);

    progress.reset(geometry.blockCount);
    QByteArray buffer(geometry.blockCount * BlockSize, '\xFF');
    for (int block = 0; block < geometry.blockCount; ++block) {
        link.SendPacket(link.PreparePacket({geometry.command, static_cast<std::uint16_t>(block), true, {}}));
        if (!ReadWholeReply(link, BlockSize)) {
            ShowConnectionLost(link, LinkTexts::ReadConnectionLost, language);
            return Finish(link, progress, TransferResult::Failed);
        }
        std::copy_n(link.ReplyBuffer.begin(), BlockSize, buffer.begin() + block * BlockSize);
        progress.advance(block + 1, qint64(block + 1) * BlockSize);
    }
    if (image.write(buffer) != buffer.size() || !image.flush()) {
        link.prompts().message(LinkTexts::CannotCreateImage.in(language) + QStringLiteral("\n") + imagePath,
                               QString(), PromptButtons::Ok, PromptIcon::Error);
        return Finish(link, progress, TransferResult::Failed);
    }
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
        if (!ReadWholeReply(link, 1)) {
            ShowConnectionLost(link, LinkTexts::WriteConnectionLost, language);
            return Finish(link, progress, TransferResult::Failed);
        }
        link.clock().sleepMs(PauseAfterChunkMs);
    }
    return Finish(link, progress, TransferResult::Completed);
}
