#pragma once
// Key list layouts: one key list bank on a 24C16 (LMR 700_701_702), four banks on a 24C64
// (LMR 70x-2680), and the 5000 keys of the PKU-630XE in a 65536-byte image.

#include "codecs/Layout.h"

DecodeOutcome DecodeLMR702Image(ImageBytes image, IntercomStore& store, const DecodeContext& context);
QByteArray EncodeLMR702Image(IntercomStore& store);
DecodeOutcome DecodeLMR70x_2680Image(ImageBytes image, IntercomStore& store, const DecodeContext& context);
QByteArray EncodeLMR70x_2680Image(IntercomStore& store);
DecodeOutcome DecodePKU630XEImage(ImageBytes image, IntercomStore& store, const DecodeContext& context);
QByteArray EncodePKU630XEImage(IntercomStore& store);

extern const Layout LMR702Layout;
extern const Layout LMR70x_2680Layout;
extern const Layout PKU630XELayout;
