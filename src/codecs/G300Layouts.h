#pragma once
// G300 iButton layouts: codes and keys each carry their own CRC-8 and are dropped when it does
// not match. DS1996 (200 codes, 1800 keys) is read and written; DS1995 (100 codes, 425 keys) is
// only read, and a damaged header makes its decoder ask whether to go on.

#include "codecs/Layout.h"
#include "model/NewDocument.h" // the default passwords and general code

DecodeOutcome DecodeG300Image(ImageBytes image, IntercomStore& store, const DecodeContext& context);
QByteArray EncodeG300Image(IntercomStore& store);
DecodeOutcome DecodeG300DS1995Image(ImageBytes image, IntercomStore& store, const DecodeContext& context);

extern const Layout G300Layout;
extern const Layout G300DS1995Layout;

// What the DS1995 decoder puts in place of a damaged header when the user goes on: the default
// passwords and general code of a new document and this configuration byte.
inline constexpr std::uint8_t DefaultConfigByte = 0x7F;
