#pragma once
// Whole-chip transfers: a read fetches every 128-byte block and writes the image file after the
// last one; a write sends an image in memory page by page in chunks.
//
// Preconditions: the port is open, the link is not in reader mode, and for a write CheckAdapter succeeded. Both
// close the port before they return, whatever the result.

#include "model/Language.h"

#include <QByteArray>
#include <QString>

#include <optional>

class ProgrammerLink;
class TransferProgress;
struct ChipGeometry;

enum class TransferResult { Completed, Cancelled, Failed };

constexpr int PauseAfterChunkMs = 20;

// What a read does to the image file it was given.
enum class ImageFileMode {
    // A fixed name of the working folder: made afresh (never through a link, never over anything
    // but a regular file) before the prompt; a cancelled or failed read removes it.
    EmptiedFirst,
    ReplacedWhenComplete, // replaced only by a complete read; otherwise it stays as it was
};

// The prompt and the block loop: the whole chip in memory, or nothing when the user cancelled or
// the read failed (reported); `result` tells which. The port is closed afterwards.
std::optional<QByteArray> ReadWholeChip(ProgrammerLink& link, const ChipGeometry& geometry, TransferProgress& progress,
                                        Language language, TransferResult& result);

// A read that ends in an image file; a file that cannot be made or written is reported.
TransferResult ReadChipToImage(ProgrammerLink& link, const ChipGeometry& geometry, const QString& imagePath,
                               TransferProgress& progress, Language language,
                               ImageFileMode mode = ImageFileMode::EmptiedFirst);

// The block loop of a read, without prompt and without closing the port: every block of the
// chip into memory, the progress moving with each. A block that does not come is reported; the
// result is then empty.
std::optional<QByteArray> ReadChipBlocks(ProgrammerLink& link, const ChipGeometry& geometry, TransferProgress& progress,
                                         Language language);

// The question before a transfer: true when the user inserted the chip and pressed OK.
bool AskInsertChip(ProgrammerLink& link, const Bilingual& text, Language language);

// Sends `image`, exactly these bytes, to the chip. An image shorter than the chip is completed with
// 0xFF, the content of an erased chip.
TransferResult WriteImageToChip(ProgrammerLink& link, const ChipGeometry& geometry, const QByteArray& image,
                                TransferProgress& progress, Language language);
// The page loop of a write, without prompt and without closing the port; the chip must be in
// the socket and the adapter checked.
TransferResult WriteChipPages(ProgrammerLink& link, const ChipGeometry& geometry, const QByteArray& image,
                              TransferProgress& progress, Language language);
