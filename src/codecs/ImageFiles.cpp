#include "codecs/ImageFiles.h"

#include "codecs/CodecTables.h"
#include "model/FileIO.h"

#include <QFile>
#include <QFileInfo>

#include <array>
#include <memory>

namespace {

struct ImageFileEntry {
    ImageFile file;
    ChipKind chip;
    const char* name;
};
constexpr std::array<ImageFileEntry, 4> ImageFiles{{
    {ImageFile::Dev24C16, ChipKind::C24C16, "~dev24c16.tmp"},
    {ImageFile::Dev24C64, ChipKind::C24C64, "~dev24c64.tmp"},
    {ImageFile::Dev1995, ChipKind::DS1995, "~dev1995.tmp"},
    {ImageFile::Dev1996, ChipKind::DS1996, "~dev1996.tmp"},
}};

FileOutcome Failure(const QString& error) { return {false, DecodeOutcome::Accepted, error}; }

} // namespace

std::optional<QByteArray> ReadImageBytes(const QString& path, Language language, QString& error)
{
    QString detail;
    bool tooLong = false;
    std::optional<QByteArray> bytes = ReadFileBytes(path, MaxDumpSize, &detail, &tooLong);
    if (!bytes) {
        error = Tr(language, "Не удалось прочитать файл %1", "Cannot read the file %1").arg(path) + "\n" + detail;
        return std::nullopt;
    }
    if (tooLong) {
        error = Tr(language, "Файл %1 больше %2 байт и не может быть дампом микросхемы.",
                   "The file %1 is larger than %2 bytes and cannot be a chip dump.")
                    .arg(path)
                    .arg(MaxDumpSize);
        return std::nullopt;
    }
    return bytes;
}

namespace {

QString WriteFailure(const QString& path, Language language, const QString& detail)
{
    return Tr(language, "Не удалось записать файл %1", "Cannot write the file %1").arg(path) + "\n" + detail;
}

// Runs the encoder and writes its image to `path` whole. The encoder changes the CRC work byte;
// when the write fails the record is put back as it was.
FileOutcome EncodeTo(const QString& path, const Layout& layout, IntercomStore& store, Language language)
{
    if (!layout.encode)
        return Failure(Tr(language, "Для %1 нет кодировщика.", "There is no encoder for %1.").arg(layout.name));
    const auto before = std::make_unique<TIntercomData>(store.Record);
    const QByteArray image = layout.encode(store);
    QString detail;
    if (!WriteFileAtomically(path, image, &detail)) {
        store.Record = *before;
        return Failure(WriteFailure(path, language, detail));
    }
    return {true, DecodeOutcome::Accepted, {}};
}

} // namespace

QString ImageFileName(ImageFile file)
{
    for (const ImageFileEntry& entry : ImageFiles)
        if (entry.file == file) return QString::fromLatin1(entry.name);
    return {};
}

ImageFile ImageFileOf(ChipKind chip)
{
    for (const ImageFileEntry& entry : ImageFiles)
        if (entry.chip == chip) return entry.file;
    return ImageFile::Dev24C16;
}

FileOutcome DecodeImageFile(const Layout& layout, IntercomStore& store, const DecodeContext& context)
{
    QString error;
    const std::optional<QByteArray> image = ReadImageBytes(ImageFileName(layout.imageFile), context.language, error);
    if (!image) return Failure(error);
    return {true, layout.decode(AsImage(*image), store, context), {}};
}

FileOutcome EncodeImageFile(const Layout& layout, IntercomStore& store, Language language)
{
    return EncodeTo(ImageFileName(layout.imageFile), layout, store, language);
}

FileOutcome ImportDump(const QString& dumpPath, TDeviceType type, IntercomStore& store, const DecodeContext& context)
{
    QString error;
    const std::optional<QByteArray> dump = ReadImageBytes(dumpPath, context.language, error);
    if (!dump) return Failure(error);

    // Without a type the dump only lands in the 24C16 image file, where a later command finds it.
    const Layout* layout = DumpLayoutFor(type);
    const QString imagePath = ImageFileName(layout ? layout->imageFile : ImageFile::Dev24C16);
    // A dump that is itself the image file is decoded where it lies and kept: removing the image
    // file afterwards would delete the user's dump.
    const bool dumpIsImageFile = QFileInfo(dumpPath) == QFileInfo(imagePath);
    QString detail;
    if (!dumpIsImageFile && !WriteFileAtomically(imagePath, *dump, &detail))
        return Failure(WriteFailure(imagePath, context.language, detail));
    if (!layout) return {true, DecodeOutcome::Accepted, {}};

    const FileOutcome outcome = DecodeImageFile(*layout, store, context);
    if (!dumpIsImageFile) QFile::remove(imagePath);
    return outcome;
}

FileOutcome ExportDump(const QString& dumpPath, TDeviceType type, IntercomStore& store, Language language)
{
    const Layout* layout = DumpLayoutFor(type);
    if (!layout)
        return Failure(Tr(language, "Не выбран тип контроллера: файл %1 не записан.",
                          "No controller type is selected: %1 was not written.")
                           .arg(dumpPath));
    return EncodeTo(dumpPath, *layout, store, language);
}
