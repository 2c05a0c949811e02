#include "app/ChipCommands.h"

#include "app/CommandStates.h"
#include "app/ConversionCommands.h"
#include "app/ReaderButtons.h"
#include "app/Session.h"
#include "app/StatusLine.h"
#include "app/WritePreviewQuestion.h"
#include "archive/BackedUpWrite.h"
#include "archive/EntryType.h"
#include "codecs/CodecTables.h"
#include "codecs/ImageFiles.h"
#include "documents/WritePreview.h"
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
constexpr Bilingual EntryOpened{"Образ микросхемы %1 из архива открыт", "Chip %1 image opened from the archive"};
constexpr Bilingual EntryNotADocument{
    "Запись архива %1 (микросхема %2, тип «%3») не открывается как документ: этот тип домофона не хранит данные на "
    "такой микросхеме. Её образ можно сохранить в файл или записать обратно в микросхему.",
    "Archive entry %1 (chip %2, type \"%3\") does not open as a document: that controller type keeps no data on "
    "such a chip. Its image can be saved to a file or written back to a chip."};
constexpr Bilingual EntryNotWritable{"Микросхему %1 нельзя записать: запись архива %2 не восстановлена.",
                                     "A %1 cannot be written: archive entry %2 was not restored."};

} // namespace

void ChipCommands::ShowError(const QString& text, Language language)
{
    host_.session.Prompter().message(text, ErrorTitle.in(language), PromptButtons::Ok, PromptIcon::Error);
}

bool ChipCommands::ImageFileNameUsable(const QString& imagePath, Language language)
{
    const FileResult check = CheckFixedName(imagePath);
    if (!check.ok()) ShowError(check.message(language), language);
    return check.ok();
}

void ChipCommands::Report(const Bilingual& text, const char* chip)
{
    host_.status.ShowEvent(text.in(host_.window.CurrentLanguage()).arg(QString::fromLatin1(chip)));
}

bool ChipCommands::OpenPort(const char* chip, const Bilingual& notDone)
{
    if (!host_.link.ProgrammerPresent) {
        Report(NoProgrammer, chip);
        return false;
    }
    if (host_.link.OpenProgrammerPort(host_.window.CurrentLanguage())) return true;
    Report(notDone, chip);
    return false;
}

void ChipCommands::Keep(const QString& chip, std::optional<TDeviceType> type, const QByteArray& image)
{
    const Language language = host_.window.CurrentLanguage();
    ArchiveRecorder archive(host_.session.Archive(), WarnInMessageBox(host_.session.Prompter(), language));
    ArchiveEntry entry;
    entry.chip = chip;
    entry.type = TypeText(type);
    entry.source = ArchiveSource::Read;
    archive.keepRead(entry, image);
}

ChipCommands::ShowOutcome ChipCommands::ShowImage(ChipKind kind, std::optional<TDeviceType> type,
                                                  const QByteArray& image)
{
    DocumentWindow& window = host_.window;
    const std::optional<ReadDecoding> decoding = ReadDecodingFor(kind, type);
    // No layout of this type lives on that chip: the document stays as it was.
    if (!decoding) return ShowOutcome::OtherType;
    StoreTypeName(host_.session.Store().Record, type);
    if (decoding->layout->decode(AsImage(image), host_.session.Store(),
                                 {host_.session.Prompter(), window.CurrentLanguage()}) == DecodeOutcome::Rejected) {
        // Damaged data the user declined is not shown.
        window.HideDataSet();
        return ShowOutcome::Rejected;
    }
    if (decoding->thenConvertTo)
        RunConversion(*ConversionTo(*decoding->thenConvertTo), host_.session.Store().Record, window);
    window.ShowDataSet();
    host_.documents.MarkModified();
    return ShowOutcome::Shown;
}

void ChipCommands::Read(const ChipItem& item)
{
    if (!item.kind) return; // 24C32 and 24C128 stay disabled and read nothing
    DocumentWindow& window = host_.window;
    if (!host_.documents.AskSaveFirst()) return;
    host_.documents.ForgetFileName();
    host_.readers.StopAll();
    if (*item.kind == ChipKind::DS1995) host_.session.SetSmallIButton(true);
    if (*item.kind == ChipKind::DS1996) host_.session.SetSmallIButton(false);
    const QString imagePath = ImageFileName(*item.kind);
    const std::optional<QByteArray> image = FetchImage(item, imagePath);
    if (!image) return;
    const std::optional<TDeviceType> type = window.CurrentType();
    switch (ShowImage(*item.kind, type, *image)) {
    case ShowOutcome::OtherType:
        QFile::remove(imagePath);
        Report(ChipOfOtherType, item.chip);
        return;
    case ShowOutcome::Rejected:
        // The image file of damaged data stays for a look.
        Report(ChipNotRead, item.chip);
        return;
    case ShowOutcome::Shown:
        QFile::remove(imagePath);
        Report(ChipRead, item.chip);
        return;
    }
}

std::optional<QByteArray> ChipCommands::FetchImage(const ChipItem& item, const QString& imagePath)
{
    const Language language = host_.window.CurrentLanguage();
    // A link or a folder planted at the image file's name is refused before the port is opened.
    if (!ImageFileNameUsable(imagePath, language)) {
        Report(ChipNotRead, item.chip);
        return std::nullopt;
    }
    if (!OpenPort(item.chip, ChipNotRead)) return std::nullopt;
    if (ReadChipToImage(host_.link, ProgrammerChipOf(item).read, imagePath, host_.progress, language) !=
        TransferResult::Completed) {
        Report(ChipNotRead, item.chip);
        return std::nullopt;
    }
    QString error;
    std::optional<QByteArray> image = ReadImageBytes(imagePath, language, error, LinkUse::Refuse);
    if (!image) {
        ShowError(error, language);
        Report(ChipNotRead, item.chip);
        return std::nullopt;
    }
    const std::optional<TDeviceType> type = host_.window.CurrentType();
    // The entry names the type only when the chip holds that type's data.
    Keep(QString::fromLatin1(item.chip), ReadDecodingFor(*item.kind, type) ? type : std::nullopt, *image);
    return image;
}

std::optional<QByteArray> ChipCommands::ReadForComparison(const ChipItem& item)
{
    if (!item.kind) return std::nullopt;
    host_.readers.StopAll();
    const QString imagePath = ImageFileName(*item.kind);
    std::optional<QByteArray> image = FetchImage(item, imagePath);
    if (image) {
        QFile::remove(imagePath);
        Report(ChipRead, item.chip);
    }
    return image;
}

bool ChipCommands::OpenArchived(const ArchiveEntry& entry, const QByteArray& image)
{
    const Language language = host_.window.CurrentLanguage();
    const std::optional<ChipKind> kind = ChipKindByName(entry.chip);
    const std::optional<TDeviceType> type = TypeOfEntry(entry);
    if (!kind || !type.has_value() || !ReadDecodingFor(*kind, type)) {
        ShowError(EntryNotADocument.in(language).arg(entry.id).arg(entry.chip, entry.type), language);
        return false;
    }
    if (!host_.documents.AskSaveFirst()) return false;
    host_.documents.ForgetFileName();
    host_.readers.StopAll();
    if (*kind == ChipKind::DS1995) host_.session.SetSmallIButton(true);
    if (*kind == ChipKind::DS1996) host_.session.SetSmallIButton(false);
    host_.window.SelectTypeSilently(type);
    if (ShowImage(*kind, type, image) != ShowOutcome::Shown) return false;
    host_.status.ShowEvent(EntryOpened.in(language).arg(entry.chip));
    return true;
}

void ChipCommands::Write(const ChipItem& item)
{
    if (!item.kind) return;
    DocumentWindow& window = host_.window;
    const Language language = window.CurrentLanguage();
    const std::optional<TDeviceType> type = window.CurrentType();
    const WriteEncoding encoding = WriteEncodingFor(*item.kind, type);
    // Without an encoder of its own a type has nothing to send: an image file left on disk by an
    // earlier command is never written to a chip in its place.
    if (encoding.step != WriteStep::Encode) return;
    // The image file is written and read back before the port is opened; what is sent, and what
    // the chip is compared with afterwards, are the encoded bytes themselves.
    const FileOutcome encoded = EncodeImageFile(*encoding.layout, host_.session.Store(), language);
    if (!encoded.ok) {
        ShowError(encoded.error, language);
        Report(ChipNotWritten, item.chip);
        return;
    }
    // The encoded image file stays for a look when the programmer could not be reached.
    if (Send({ProgrammerChipOf(item), encoded.image, type, encoding.layout, &host_.session.Store(),
              host_.documents.State().DocumentPath}))
        QFile::remove(ImageFileName(*item.kind));
}

void ChipCommands::Restore(const ArchiveEntry& entry, const QByteArray& image)
{
    const Language language = host_.window.CurrentLanguage();
    const ProgrammerChip* chip = FindChip(entry.chip);
    if (!chip || !chip->write.exists() || image.size() > ChipSize(*chip)) {
        ShowError(EntryNotWritable.in(language).arg(entry.chip).arg(entry.id), language);
        return;
    }
    // The preview compares in the terms of the entry's page when the image decodes as its type.
    const std::optional<ChipKind> kind = ChipKindByName(entry.chip);
    const std::optional<TDeviceType> type = TypeOfEntry(entry);
    const Layout* layout = nullptr;
    if (kind && type.has_value())
        if (const WriteEncoding encoding = WriteEncodingFor(*kind, type); encoding.step == WriteStep::Encode)
            layout = encoding.layout;
    std::unique_ptr<IntercomStore> intended;
    if (layout) {
        intended = std::make_unique<IntercomStore>();
        ResetRecord(*intended);
        if (layout->decode(AsImage(image), *intended, {host_.session.Prompter(), language}) == DecodeOutcome::Rejected)
            intended.reset();
    }
    Send({*chip, image, type, intended ? layout : nullptr, intended.get(),
          QStringLiteral("archive entry %1").arg(entry.id)});
}

bool ChipCommands::ConfirmWrite(const Sending& sending, const QByteArray& chipContent)
{
    const Language language = host_.window.CurrentLanguage();
    const WritePreview preview = sending.layout ? PreviewWrite(chipContent, *sending.layout, *sending.intended,
                                                               *sending.type, {host_.session.Prompter(), language})
                                                : PreviewImageWrite(chipContent, sending.image);
    return AskToWrite(host_.session.Prompter(), preview, QString::fromLatin1(sending.chip.name), TypeText(sending.type),
                      language);
}

bool ChipCommands::Send(const Sending& sending)
{
    const Language language = host_.window.CurrentLanguage();
    const char* chipName = sending.chip.name;
    host_.readers.StopAll();
    if (!OpenPort(chipName, ChipNotWritten)) return false;
    if (!host_.link.CheckAdapter(language)) {
        Report(ChipNotWritten, chipName);
        return false;
    }
    ArchiveRecorder archive(host_.session.Archive(), WarnInMessageBox(host_.session.Prompter(), language));
    const BackedUpWriteRequest request{sending.chip,
                                       sending.image,
                                       TypeText(sending.type),
                                       sending.file,
                                       ArchiveSource::BeforeWrite,
                                       host_.session.BackupBeforeWrite(),
                                       host_.session.VerifyAfterWrite()};
    BackedUpWriteQuestions questions;
    questions.writeWithoutBackup = [this, language](BackupMissing missing) {
        return AskToWriteWithoutBackup(host_.session.Prompter(), missing, language);
    };
    if (host_.session.PreviewWrite())
        questions.confirmWrite = [&](const QByteArray& chipContent) { return ConfirmWrite(sending, chipContent); };
    const BackedUpWriteResult result =
        RunBackedUpWrite(host_.link, host_.progress, language, archive, request, questions);
    if (result.written != TransferResult::Completed) {
        Report(ChipNotWritten, chipName);
        return true;
    }
    if (!result.check) {
        Report(ChipWritten, chipName);
        return true;
    }
    if (!result.check->readBack) {
        // The read-back's own message named the connection fault; the user must not take it for
        // a failed write.
        host_.session.Prompter().message(WriteNotChecked.in(language).arg(QString::fromLatin1(chipName)),
                                         MessageTitle.in(language), PromptButtons::Ok, PromptIcon::Warning);
        Report(ChipWrittenUnchecked, chipName);
        return true;
    }
    if (!result.check->matches()) {
        ShowVerifyMismatch(host_.session.Prompter(), *result.check, language);
        Report(ChipWrittenDiffers, chipName);
        return true;
    }
    Report(ChipWrittenAndChecked, chipName);
    return true;
}
