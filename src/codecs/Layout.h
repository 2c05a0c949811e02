#pragma once
// A chip layout: a pair of pure functions between the image bytes and the record.

#include "model/Language.h"
#include "model/Prompts.h"
#include "model/IntercomData.h"
#include "model/TypeCatalogue.h"

#include <QByteArray>

#include <cstdint>
#include <span>

enum class DecodeOutcome { Accepted, Rejected };

// What a decoder may need besides the bytes: only the DS1995 decoder asks a question.
struct DecodeContext {
    Prompts& prompts;
    Language language;
};

using ImageBytes = std::span<const std::uint8_t>;

inline ImageBytes AsImage(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

// A decoder reads the image from its first byte on (bytes past the end read as 0xFF) and writes
// record fields; an encoder returns the whole image it writes. Encoders take the store mutably:
// the CRC work byte AuxByte is part of their behaviour.
using DecodeFunction = DecodeOutcome (*)(ImageBytes image, IntercomStore& store, const DecodeContext& context);
using EncodeFunction = QByteArray (*)(IntercomStore& store);

struct Layout {
    const char* name; // e.g. "T150 24C16"
    ChipKind chip;    // the chip its image is for, and so its image file
    DecodeFunction decode;
    EncodeFunction encode; // nullptr where no encoder exists (DS1995)
};
