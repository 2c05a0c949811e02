#pragma once
// Which layouts serve a controller type: for chip dumps, and for the chip read and write commands
// by chip. A type's row names its layout family; the families are one table here.

#include "codecs/Layout.h"
#include "model/ControllerTypes.h"

#include <optional>
#include <span>

// The layout a chip dump of `type` is imported and exported with; nullptr without a type.
const Layout* DumpLayoutFor(std::optional<TDeviceType> type);

// What a read command decodes after its transfer, by chip and type. The page it then shows
// follows from the type (and, for G300, the chip read) as for every other fill.
struct ReadDecoding {
    const Layout* layout;
    std::optional<TDeviceType> thenConvertTo; // 24C16 read on PKU-512S: converted to PKU-512S
};
// Empty where the pairing decodes nothing, and without a type.
std::optional<ReadDecoding> ReadDecodingFor(ChipKind chip, std::optional<TDeviceType> type);

// What a write command does before its transfer, by chip and type.
enum class WriteStep {
    Encode,         // encode with `layout` into the image file, then write
    UseImageOnDisk, // nothing is encoded; the image file as it lies on disk is written
    Nothing         // the command does nothing at all
};
struct WriteEncoding {
    WriteStep step;
    const Layout* layout; // set for Encode
};
// `chip` is one of the written chips: 24C16, 24C64, DS1996 (DS1995 is never written: Nothing).
// Without a type, or where the type's layouts have none for the chip, the chip's fallback.
WriteEncoding WriteEncodingFor(ChipKind chip, std::optional<TDeviceType> type);

// Every layout, once each (for tests and fuzzing).
std::span<const Layout* const> AllLayouts();
