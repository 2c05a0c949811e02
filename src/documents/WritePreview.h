#pragma once
// What a write will change on a chip: the chip's content before the write, decoded with the
// layout the document is written in, compared with the document in the terms of the type's page.

#include "codecs/Layout.h"
#include "documents/RecordDifference.h"

enum class ChipContent {
    Blank,      // erased: every byte 0xFF, nothing is lost
    NotDecoded, // does not decode as the selected type, or its bytes are not what the type writes
    Identical,  // the write would change nothing
    Differs,    // `changes` lists what the write changes
};

struct WritePreview {
    ChipContent content = ChipContent::Blank;
    std::vector<DifferenceItem> changes; // from the chip's content to the document
    int differingBytes = 0;              // an image compared byte by byte, without a layout
};

// `document` is the record about to be written with `layout` as `type`; a decoder's question (the
// DS1995's) goes to `context`.
WritePreview PreviewWrite(const QByteArray& chipContent, const Layout& layout, const IntercomStore& document,
                          TDeviceType type, const DecodeContext& context);

// The same for an image without a controller type: blank, identical, or how many bytes differ.
WritePreview PreviewImageWrite(const QByteArray& chipContent, const QByteArray& image);
