#pragma once
// Which layout serves which controller type: for chip dumps, and for the chip read and write
// commands by chip and type.

#include "codecs/Layout.h"
#include "model/TypeCatalogue.h"

#include <optional>
#include <span>

// The layout a chip dump of `type` is imported and exported with; nullptr for NoType.
const Layout* DumpLayoutFor(TDeviceType type);

// What a read command decodes after its transfer, by chip and type. The page it then shows
// follows from the type (and, for G300, the chip read) as for every other fill.
struct ReadDecoding {
    const Layout* layout;
    std::optional<TDeviceType> thenConvertTo; // 24C16 read on PKU-512S: converted to PKU-512S
};
// Empty where the pairing decodes nothing.
std::optional<ReadDecoding> ReadDecodingFor(ChipKind chip, TDeviceType type);

// What a write command does before its transfer, by chip and type.
enum class WriteStep {
    Encode,            // encode with `layout` into the image file, then write
    UseImageOnDisk,    // nothing is encoded; the image file as it lies on disk is written
    Nothing            // the command does nothing at all
};
struct WriteEncoding {
    WriteStep step;
    const Layout* layout; // set for Encode
};
// `chip` is one of the written chips: 24C16, 24C64, DS1996 (DS1995 is never written: Nothing).
WriteEncoding WriteEncodingFor(ChipKind chip, TDeviceType type);

// Every layout, once each (for tests and fuzzing).
std::span<const Layout* const> AllLayouts();
