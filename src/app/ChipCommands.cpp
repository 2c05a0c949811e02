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
constexpr Bilingual ErrorTitle{"Ошибка", "Error"};
}

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
    const QString imagePath = ImageFileName(ImageFileOf(*item.kind));
    // A link or a folder planted at the image file's name is refused before the port is opened.
    if (!ImageFileNameUsable(imagePath, language)) return;
    if (!host_.link.OpenProgrammerPort(language)) return;
    if (ReadChipToImage(host_.link, ProgrammerChipOf(item).read, imagePath, host_.progress, language)
        != TransferResult::Completed)
        return;

    const TDeviceType type = window.CurrentType();
    const std::optional<ReadDecoding> decoding = ReadDecodingFor(*item.kind, type);
    if (!decoding) {
        // No layout of this type lives on that chip: the document stays as it was.
        QFile::remove(imagePath);
        return;
    }
    StoreTypeName(host_.store.Record, type);
    const FileOutcome decoded = DecodeImageFile(*decoding->layout, host_.store, {host_.prompts, language});
    if (!decoded.ok) return; // the unusable image file was reported
    if (decoded.decoded == DecodeOutcome::Rejected) {
        // Damaged data the user declined: nothing is shown, the image file stays for a look.
        window.HideDataSet();
        return;
    }
    if (decoding->thenConvertTo)
        RunConversion(*ConversionTo(*decoding->thenConvertTo), host_.store.Record, window);
    window.ShowDataSet();
    QFile::remove(imagePath);
    host_.documents.MarkModified();
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
        return;
    }
    const QString imagePath = ImageFileName(ImageFileOf(*item.kind));
    host_.stopReaders();
    if (!host_.link.OpenProgrammerPort(language)) return;
    if (!host_.link.CheckAdapter(language)) return;
    const QByteArray& sent = encoded.image;
    const TransferResult written =
        WriteImageToChip(host_.link, ProgrammerChipOf(item).write, sent, host_.progress, language);
    QFile::remove(imagePath);
    // A match says nothing, as a write does; a chip that differs from what was sent is reported.
    if (written != TransferResult::Completed || !host_.verifyAfterWrite()) return;
    const VerifyResult check = VerifyChipAgainstImage(host_.link, ProgrammerChipOf(item), sent, host_.progress, language);
    if (check.readBack && !check.matches()) ShowVerifyMismatch(host_.prompts, check, language);
}
