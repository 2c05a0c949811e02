#pragma once
// PKU-618 layouts: an 8-byte header and one list of key identifiers, 480 keys on a 24C16 and
// 1200 on a 24C64. The encoders pad the list past the chip's size (3008 and 10592 bytes).

#include "codecs/Layout.h"

DecodeOutcome DecodePKU618Image(ImageBytes image, IntercomStore& store, const DecodeContext& context);
QByteArray EncodePKU618Image(IntercomStore& store);
DecodeOutcome DecodePKU618Image64(ImageBytes image, IntercomStore& store, const DecodeContext& context);
QByteArray EncodePKU618Image64(IntercomStore& store);

extern const Layout PKU618Layout;
extern const Layout PKU618Layout64;
