#include "codecs/PKU512Layouts.h"

#include "codecs/ImageSegments.h"

namespace {

// Bank 0 after its header: 600 keys, the system block (lock time, concierge number, volume, five
// system keys) in place of the 40 unused bytes, 100 codes.
constexpr Segment Bank0Body[] = {
    Keys(0, 600),
    {Area::LockTime, 0, 1},
    {Area::ConciergeNumber, 0, 3},
    Fill(1),
    {Area::Volume, 0, 1},
    Fill(10),
    HeaderKeys(0, 5),
    Fill(9),
    CodeRun(0, 100),
};
// Banks 1 to 3 of the PKU-512S.
constexpr Segment PKU512SRest[] = {
    Fill(8),  Keys(600, 600),    Fill(240), Fill(8),         Keys(1200, 600),
    Fill(40), CodeRun(100, 100), Fill(8),   Keys(1800, 600), Fill(240),
};

void DecodeBank0(ImageReader& in, IntercomStore& store)
{
    DecodeBankHeader(in, store.Record, ServiceEncoding::DigitPair);
    DecodeSegments(in, store, Bank0Body, KeyCounting::Counted);
}

void EncodeBank0(ImageWriter& out, IntercomStore& store)
{
    EncodeBankHeader(out, store.Record, ServiceEncoding::DigitPair);
    EncodeSegments(out, store, Bank0Body);
}

} // namespace

DecodeOutcome DecodePKU512TImage(ImageBytes image, IntercomStore& store, const DecodeContext&)
{
    ImageReader in(image);
    DecodeBank0(in, store);
    EmptyKeySlots(store.Record, 600, 2399);
    EmptyCodes(store.Record, 100, 199);
    return DecodeOutcome::Accepted;
}

QByteArray EncodePKU512TImage(IntercomStore& store)
{
    ImageWriter out;
    EncodeBank0(out, store);
    return out.bytes();
}

DecodeOutcome DecodePKU512SImage(ImageBytes image, IntercomStore& store, const DecodeContext&)
{
    ImageReader in(image);
    DecodeBank0(in, store);
    DecodeSegments(in, store, PKU512SRest, KeyCounting::Counted);
    return DecodeOutcome::Accepted;
}

QByteArray EncodePKU512SImage(IntercomStore& store)
{
    ImageWriter out;
    EncodeBank0(out, store);
    EncodeSegments(out, store, PKU512SRest);
    return out.bytes();
}

const Layout PKU512TLayout{"PKU-512T 24C16", ChipKind::C24C16, DecodePKU512TImage, EncodePKU512TImage};
const Layout PKU512SLayout{"PKU-512S 24C64", ChipKind::C24C64, DecodePKU512SImage, EncodePKU512SImage};
