#include "codecs/ImageFiles.h"

#include "codecs/CodecTables.h"
#include "model/FileIO.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <functional>
#include <memory>

namespace {

FileOutcome Failure(const QString& error) { return {false, DecodeOutcome::Accepted, error, {}}; }

} // namespace

std::optional<QByteArray> ReadImageBytes(const QString& path, Language language, QString& error, LinkUse links)
{
    const InputBytes input = ReadInputFile(path, MaxDumpSize, links);
    if (!input.ok()) {
        error = input.result.message(language);
        return std::nullopt;
    }
    if (input.longer) {
        error = Tr(language, "Файл %1 больше %2 байт и не может быть дампом микросхемы.",
                   "The file %1 is larger than %2 bytes and cannot be a chip dump.")
                    .arg(path)
                    .arg(MaxDumpSize);
        return std::nullopt;
    }
    return input.bytes;
}

namespace {

// Runs the encoder and hands its image to `write`. The encoder changes the CRC work byte; when
// the write fails the record is put back as it was.
FileOutcome EncodeTo(const Layout& layout, IntercomStore& store, Language language,
                     const std::function<FileResult(const QByteArray&)>& write)
{
    if (!layout.encode)
        return Failure(Tr(language, "Для %1 нет кодировщика.", "There is no encoder for %1.").arg(layout.name));
    const auto before = std::make_unique<TIntercomData>(store.Record);
    const QByteArray image = layout.encode(store);
    if (const FileResult written = write(image); !written.ok()) {
        store.Record = *before;
        return Failure(written.message(language));
    }
    return {true, DecodeOutcome::Accepted, {}, image};
}

// The image file as the encoder made it, read back: what is on disk is what will be sent.
FileResult WriteImageFileChecked(const QString& path, const QByteArray& image)
{
    if (const FileResult written = WriteFixedNameFile(path, image); !written.ok()) return written;
    const InputBytes readBack = ReadInputFile(path, MaxDumpSize, LinkUse::Refuse);
    if (!readBack.ok()) return readBack.result;
    if (readBack.bytes != image || readBack.longer) return {path, FileFailure::ReadsBackOther};
    return {path};
}

} // namespace

FileOutcome DecodeImageFile(const Layout& layout, IntercomStore& store, const DecodeContext& context)
{
    QString error;
    const std::optional<QByteArray> image =
        ReadImageBytes(ImageFileName(layout.chip), context.language, error, LinkUse::Refuse);
    if (!image) return Failure(error);
    return {true, layout.decode(AsImage(*image), store, context), {}, {}};
}

FileOutcome EncodeImageFile(const Layout& layout, IntercomStore& store, Language language)
{
    const QString path = ImageFileName(layout.chip);
    return EncodeTo(layout, store, language,
                    [&](const QByteArray& image) { return WriteImageFileChecked(path, image); });
}

FileOutcome ImportDump(const QString& dumpPath, std::optional<TDeviceType> type, IntercomStore& store,
                       const DecodeContext& context)
{
    QString error;
    const std::optional<QByteArray> dump = ReadImageBytes(dumpPath, context.language, error);
    if (!dump) return Failure(error);

    // Without a type the dump only lands in the 24C16 image file, where a later command finds it.
    const Layout* layout = DumpLayoutFor(type);
    const QString imagePath = ImageFileName(layout ? layout->chip : ChipKind::C24C16);
    // A dump that is itself the image file is decoded where it lies and kept: removing the image
    // file afterwards would delete the user's dump.
    const bool dumpIsImageFile = QFileInfo(dumpPath) == QFileInfo(imagePath);
    if (!dumpIsImageFile) {
        if (const FileResult written = WriteFixedNameFile(imagePath, *dump); !written.ok())
            return Failure(written.message(context.language));
    }
    if (!layout) return {true, DecodeOutcome::Accepted, {}, {}};

    const FileOutcome outcome = DecodeImageFile(*layout, store, context);
    if (!dumpIsImageFile) QFile::remove(imagePath);
    return outcome;
}

FileOutcome ExportDump(const QString& dumpPath, std::optional<TDeviceType> type, IntercomStore& store,
                       Language language)
{
    const Layout* layout = DumpLayoutFor(type);
    if (!layout)
        return Failure(Tr(language, "Не выбран тип контроллера: файл %1 не записан.",
                          "No controller type is selected: %1 was not written.")
                           .arg(dumpPath));
    return EncodeTo(*layout, store, language,
                    [&](const QByteArray& image) { return WriteFileSafely(dumpPath, image); });
}
