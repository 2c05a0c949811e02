#include "codecs/ApartmentBankLayouts.h"

#include "codecs/ImageSegments.h"

namespace {

// Bank 0 after its header: 600 keys, 40 unused bytes, 100 codes.
constexpr Segment Bank0Body[] = {Keys(0, 600), Fill(40), CodeRun(0, 100)};
// The PKU-630 after bank 0: bank 1 without a header, then the pass-through area.
constexpr Segment PKU630Rest[] = {
    Fill(8), Keys(600, 600), Fill(40), CodeRun(100, 100), {Area::PassThrough, 0, PassThroughSize},
};

} // namespace

DecodeOutcome DecodeT150Image(ImageBytes image, IntercomStore& store, const DecodeContext&)
{
    ImageReader in(image);
    DecodeBankHeader(in, store.Record, ServiceEncoding::DigitPair);
    DecodeSegments(in, store, Bank0Body, KeyCounting::Counted);
    EmptyKeySlots(store.Record, 600, 2399);
    EmptyCodes(store.Record, 100, 199);
    return DecodeOutcome::Accepted;
}

QByteArray EncodeT150Image(IntercomStore& store)
{
    ImageWriter out;
    EncodeBankHeader(out, store.Record, ServiceEncoding::DigitPair);
    EncodeSegments(out, store, Bank0Body);
    return out.bytes();
}

DecodeOutcome DecodePKU630Image(ImageBytes image, IntercomStore& store, const DecodeContext&)
{
    ImageReader in(image);
    DecodeBankHeader(in, store.Record, ServiceEncoding::PlainDigits);
    DecodeSegments(in, store, Bank0Body, KeyCounting::Counted);
    DecodeSegments(in, store, PKU630Rest, KeyCounting::Counted);
    EmptyKeySlots(store.Record, 1200, KeySlotCount - 1);
    return DecodeOutcome::Accepted;
}

QByteArray EncodePKU630Image(IntercomStore& store)
{
    ImageWriter out;
    EncodeBankHeader(out, store.Record, ServiceEncoding::PlainDigits);
    EncodeSegments(out, store, Bank0Body);
    EncodeSegments(out, store, PKU630Rest);
    return out.bytes();
}

const Layout T150Layout{"T150 24C16", ChipKind::C24C16, DecodeT150Image, EncodeT150Image};
const Layout PKU630Layout{"PKU-630 24C64", ChipKind::C24C64, DecodePKU630Image, EncodePKU630Image};
