#pragma once
// Apartment bank layouts: one 2048-byte bank on a 24C16 (T150 family: T150, PKU-511, QS151), two
// banks and the 800-byte pass-through area on a 24C64 (PKU-630, 4896 bytes).

#include "codecs/Layout.h"

DecodeOutcome DecodeT150Image(ImageBytes image, IntercomStore& store, const DecodeContext& context);
QByteArray EncodeT150Image(IntercomStore& store);
DecodeOutcome DecodePKU630Image(ImageBytes image, IntercomStore& store, const DecodeContext& context);
QByteArray EncodePKU630Image(IntercomStore& store);

extern const Layout T150Layout;
extern const Layout PKU630Layout;
