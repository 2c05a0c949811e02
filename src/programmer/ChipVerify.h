#pragma once
// The check after a write: the chip is read back, without a second insert-chip prompt, and
// compared over its whole size with what was sent, completed with 0xFF as the write completes a
// short image.

#include "model/Language.h"

#include <QByteArray>
#include <QString>

class Prompts;
class ProgrammerLink;
class TransferProgress;
struct ProgrammerChip;

struct VerifyResult {
    bool readBack = false; // false: the chip could not be read back (already reported)
    int differingBytes = 0;
    int firstDifference = -1; // address of the first differing byte, -1 when none differs
    QByteArray chip;          // what was read back

    bool matches() const { return readBack && differingBytes == 0; }
};

// Opens the port, reads `chip` back with the progress moving, closes the port and compares.
VerifyResult VerifyChipAgainstImage(ProgrammerLink& link, const ProgrammerChip& chip, QByteArray sent,
                                    TransferProgress& progress, Language language);

// "...differing bytes: N, first address 0x1F3F" in the language given.
QString VerifyMismatchText(const VerifyResult& result, Language language);
// Shows the mismatch as an error message.
void ShowVerifyMismatch(Prompts& prompts, const VerifyResult& result, Language language);
