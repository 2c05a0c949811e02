#pragma once
// G300 iButton layouts: codes and keys each carry their own CRC-8 and are dropped when it does
// not match. DS1996 (200 codes, 1800 keys) is read and written; DS1995 (100 codes, 425 keys) is
// only read, and a damaged header makes its decoder ask whether to go on.

#include "codecs/Layout.h"

DecodeOutcome DecodeG300Image(ImageBytes image, IntercomStore& store, const DecodeContext& context);
QByteArray EncodeG300Image(IntercomStore& store);
DecodeOutcome DecodeG300DS1995Image(ImageBytes image, IntercomStore& store, const DecodeContext& context);

extern const Layout G300Layout;
extern const Layout G300DS1995Layout;

// What the DS1995 decoder puts in place of a damaged header when the user goes on.
inline constexpr std::uint16_t DefaultPassword = 0x8527;
inline constexpr std::uint16_t DefaultGeneralCode = 0x9385;
inline constexpr std::uint8_t DefaultConfigByte = 0x7F;
