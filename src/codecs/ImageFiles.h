#pragma once
// The file layer over the layouts: fixed image files in the working directory and chip dumps.

#include "model/FileIO.h"
#include "model/Language.h"
#include "codecs/Layout.h"
#include "model/TypeCatalogue.h"
#include "programmer/Chips.h" // ImageFileName

#include <QString>

#include <optional>

inline constexpr int MaxDumpSize = 65536;


// The outcome of a file-layer operation; `error` names the file and says what went wrong.
struct FileOutcome {
    bool ok = false;
    DecodeOutcome decoded = DecodeOutcome::Accepted; // meaningful when ok
    QString error;
    QByteArray image; // what an encoder made, as it was written (EncodeImageFile, ExportDump)
};

// The whole of a chip dump or image file, refused (with `error` naming the file) when it cannot
// be read, is not a regular file or holds more than any layout's image. The working folder's image
// files are read with LinkUse::Refuse.
std::optional<QByteArray> ReadImageBytes(const QString& path, Language language, QString& error,
                                         LinkUse links = LinkUse::Follow);

// Reads the layout's image file and decodes it. An image file that cannot be read (or is larger
// than any chip dump) is reported and the record does not change.
FileOutcome DecodeImageFile(const Layout& layout, IntercomStore& store, const DecodeContext& context);

// Encodes the record into the layout's image file, written whole for the user only and read back.
// A link or anything but a regular file at the image file's name, a file that cannot be written or
// one that does not read back as encoded is reported (in `language`) and the record does not
// change. The outcome carries the encoded image.
FileOutcome EncodeImageFile(const Layout& layout, IntercomStore& store, Language language = Language::English);

// Opening a chip dump for `type`: the dump's bytes go to the type's image file, are decoded and
// the image file is deleted. A dump longer than 65536 bytes or one that cannot be read is
// refused and the record does not change. Without a type nothing is decoded.
FileOutcome ImportDump(const QString& dumpPath, std::optional<TDeviceType> type, IntercomStore& store,
                       const DecodeContext& context);

// Saving as a chip dump: the type's encoder output becomes the dump file, written through a
// temporary file and a rename so a failure leaves the previous file intact and the record
// unchanged. Without a type nothing is written, the file stays as it was and a failure is reported.
FileOutcome ExportDump(const QString& dumpPath, std::optional<TDeviceType> type, IntercomStore& store,
                       Language language = Language::English);
