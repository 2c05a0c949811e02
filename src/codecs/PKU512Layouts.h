#pragma once
// PKU-512 layouts: the apartment bank with a system block in place of its unused bytes
// (PKU-512T on a 24C16), and four such banks on a 24C64 (PKU-512S).

#include "codecs/Layout.h"

DecodeOutcome DecodePKU512TImage(ImageBytes image, IntercomStore& store, const DecodeContext& context);
QByteArray EncodePKU512TImage(IntercomStore& store);
DecodeOutcome DecodePKU512SImage(ImageBytes image, IntercomStore& store, const DecodeContext& context);
QByteArray EncodePKU512SImage(IntercomStore& store);

extern const Layout PKU512TLayout;
extern const Layout PKU512SLayout;
