#pragma once
// Whole-chip transfers between the programmer and an image file: a read fetches every 128-byte
// block and writes the file after the last one; a write sends the file page by page in chunks.
//
// Preconditions: the port is open, ReaderMode is 0, and for a write CheckAdapter succeeded. Both
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
    EmptiedFirst,         // emptied before the prompt; a cancelled or failed read leaves it empty
    ReplacedWhenComplete, // replaced only by a complete read; otherwise it stays as it was
};

TransferResult ReadChipToImage(ProgrammerLink& link, const ChipGeometry& geometry, const QString& imagePath,
                               TransferProgress& progress, Language language,
                               ImageFileMode mode = ImageFileMode::EmptiedFirst);

// The block loop of a read, without prompt and without closing the port: every block of the
// chip into memory, the progress moving with each. A block that does not come is reported; the
// result is then empty.
std::optional<QByteArray> ReadChipBlocks(ProgrammerLink& link, const ChipGeometry& geometry, TransferProgress& progress,
                                         Language language);

// An image shorter than the chip is completed with 0xFF, the content of an erased chip.
TransferResult WriteImageToChip(ProgrammerLink& link, const ChipGeometry& geometry, const QString& imagePath,
                                TransferProgress& progress, Language language);
