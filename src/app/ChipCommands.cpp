#include "app/ChipCommands.h"

#include "app/CommandStates.h"
#include "app/ConversionCommands.h"
#include "codecs/CodecTables.h"
#include "codecs/ImageFiles.h"
#include "model/TypeName.h"
#include "programmer/ChipTransfer.h"
#include "programmer/ChipVerify.h"
#include "programmer/ProgrammerLink.h"

#include <QFile>

namespace {
constexpr Bilingual ChipRead{"Микросхема %1 прочитана", "Chip %1 read"};
constexpr Bilingual ChipNotRead{"Микросхема %1 не прочитана", "Chip %1 not read"};
constexpr Bilingual ChipOfOtherType{"Микросхема %1 не прочитана: этот тип домофона её не использует",
                                    "Chip %1 not read: this controller type does not use it"};
constexpr Bilingual ChipWritten{"Микросхема %1 записана", "Chip %1 written"};
constexpr Bilingual ChipWrittenAndChecked{"Микросхема %1 записана и проверена", "Chip %1 written and checked"};
constexpr Bilingual ChipWrittenDiffers{"Микросхема %1 записана, но проверка нашла отличия",
                                       "Chip %1 written, but the check found differences"};
constexpr Bilingual ChipWrittenUnchecked{"Микросхема %1 записана, но проверить запись не удалось",
                                         "Chip %1 written, but the write could not be checked"};
constexpr Bilingual WriteNotChecked{"Запись микросхемы %1 завершена, но проверить её не удалось: "
                                    "связь с программатором прервалась при чтении.",
                                    "The write of chip %1 finished, but it could not be checked: the connection "
                                    "to the programmer failed while reading it back."};
constexpr Bilingual ChipNotWritten{"Микросхема %1 не записана", "Chip %1 not written"};
constexpr Bilingual NoProgrammer{"Программатор не найден: микросхема %1 не обработана",
                                 "No programmer found: chip %1 was not touched"};
} // namespace

void ChipCommands::ShowError(const QString& text, Language language)
{
    host_.prompts.message(text, ErrorTitle.in(language), PromptButtons::Ok, PromptIcon::Error);
}

bool ChipCommands::ImageFileNameUsable(const QString& imagePath, Language language)
{
    const FileResult check = CheckFixedName(imagePath);
    if (!check.ok()) ShowError(check.message(language), language);
    return check.ok();
}

void ChipCommands::Report(const Bilingual& text, const ChipItem& item)
{
    host_.report(text.in(host_.window.CurrentLanguage()).arg(QString::fromLatin1(item.chip)));
}

bool ChipCommands::OpenPort(const ChipItem& item, const Bilingual& notDone)
{
    if (!host_.link.ProgrammerPresent) {
        Report(NoProgrammer, item);
        return false;
    }
    if (host_.link.OpenProgrammerPort(host_.window.CurrentLanguage())) return true;
    Report(notDone, item);
    return false;
}

void ChipCommands::Read(const ChipItem& item)
{
    if (!item.kind) return; // 24C32 and 24C128 stay disabled and read nothing
    DocumentWindow& window = host_.window;
    if (!host_.documents.AskSaveFirst()) return;
    host_.documents.ForgetFileName();
    host_.stopReaders();
    if (*item.kind == ChipKind::DS1995) host_.setSmallIButton(true);
    if (*item.kind == ChipKind::DS1996) host_.setSmallIButton(false);
    const Language language = window.CurrentLanguage();
    const QString imagePath = ImageFileName(*item.kind);
    // A link or a folder planted at the image file's name is refused before the port is opened.
    if (!ImageFileNameUsable(imagePath, language)) {
        Report(ChipNotRead, item);
        return;
    }
    if (!OpenPort(item, ChipNotRead)) return;
    if (ReadChipToImage(host_.link, ProgrammerChipOf(item).read, imagePath, host_.progress, language)
        != TransferResult::Completed) {
        Report(ChipNotRead, item);
        return;
    }

    const std::optional<TDeviceType> type = window.CurrentType();
    const std::optional<ReadDecoding> decoding = ReadDecodingFor(*item.kind, type);
    if (!decoding) {
        // No layout of this type lives on that chip: the document stays as it was.
        QFile::remove(imagePath);
        Report(ChipOfOtherType, item);
        return;
    }
    StoreTypeName(host_.store.Record, type);
    const FileOutcome decoded = DecodeImageFile(*decoding->layout, host_.store, {host_.prompts, language});
    if (!decoded.ok || decoded.decoded == DecodeOutcome::Rejected) {
        // An unusable image file was reported; damaged data the user declined is not shown, and
        // its image file stays for a look.
        if (decoded.ok) window.HideDataSet();
        Report(ChipNotRead, item);
        return;
    }
    if (decoding->thenConvertTo)
        RunConversion(*ConversionTo(*decoding->thenConvertTo), host_.store.Record, window);
    window.ShowDataSet();
    QFile::remove(imagePath);
    host_.documents.MarkModified();
    Report(ChipRead, item);
}

void ChipCommands::Write(const ChipItem& item)
{
    if (!item.kind) return;
    DocumentWindow& window = host_.window;
    const Language language = window.CurrentLanguage();
    const WriteEncoding encoding = WriteEncodingFor(*item.kind, window.CurrentType());
    // Without an encoder of its own a type has nothing to send: an image file left on disk by an
    // earlier command is never written to a chip in its place.
    if (encoding.step != WriteStep::Encode) return;
    // The image file is written and read back before the port is opened; what is sent, and what
    // the chip is compared with afterwards, are the encoded bytes themselves.
    const FileOutcome encoded = EncodeImageFile(*encoding.layout, host_.store, language);
    if (!encoded.ok) {
        ShowError(encoded.error, language);
        Report(ChipNotWritten, item);
        return;
    }
    const QString imagePath = ImageFileName(*item.kind);
    host_.stopReaders();
    if (!OpenPort(item, ChipNotWritten)) return;
    if (!host_.link.CheckAdapter(language)) {
        Report(ChipNotWritten, item);
        return;
    }
    const QByteArray& sent = encoded.image;
    const TransferResult written =
        WriteImageToChip(host_.link, ProgrammerChipOf(item).write, sent, host_.progress, language);
    QFile::remove(imagePath);
    if (written != TransferResult::Completed) {
        Report(ChipNotWritten, item);
        return;
    }
    if (!host_.verifyAfterWrite()) {
        Report(ChipWritten, item);
        return;
    }
    const VerifyResult check = VerifyChipAgainstImage(host_.link, ProgrammerChipOf(item), sent, host_.progress, language);
    if (!check.readBack) {
        // The read-back's own message named the connection fault; the user must not take it for
        // a failed write.
        host_.prompts.message(WriteNotChecked.in(language).arg(QString::fromLatin1(item.chip)),
                              MessageTitle.in(language), PromptButtons::Ok, PromptIcon::Warning);
        Report(ChipWrittenUnchecked, item);
        return;
    }
    if (!check.matches()) {
        ShowVerifyMismatch(host_.prompts, check, language);
        Report(ChipWrittenDiffers, item);
        return;
    }
    Report(ChipWrittenAndChecked, item);
}
