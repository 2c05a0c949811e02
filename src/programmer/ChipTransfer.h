#pragma once
// Whole-chip transfers between the programmer and an image file: a read fetches every 128-byte
// block and writes the file after the last one; a write sends the file page by page in chunks.
//
// Preconditions: the port is open, ReaderMode is 0, and for a write CheckAdapter succeeded. Both
// close the port before they return, whatever the result.

#include "model/Language.h"

#include <QString>

class ProgrammerLink;
class TransferProgress;
struct ChipGeometry;

enum class TransferResult { Completed, Cancelled, Failed };

constexpr int PauseAfterChunkMs = 20;

TransferResult ReadChipToImage(ProgrammerLink& link, const ChipGeometry& geometry, const QString& imagePath,
                               TransferProgress& progress, Language language);

// An image shorter than the chip is completed with 0xFF, the content of an erased chip.
TransferResult WriteImageToChip(ProgrammerLink& link, const ChipGeometry& geometry, const QString& imagePath,
                                TransferProgress& progress, Language language);
