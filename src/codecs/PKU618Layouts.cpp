#include "codecs/PKU618Layouts.h"

#include "codecs/ImageSegments.h"

namespace {

struct PKU618Chip {
    Segment keys; // key slots 0 onward
    KeyCounting counting;
    int padding; // bytes 0xFF the encoder writes after the keys
};
constexpr PKU618Chip On24C16{Keys(0, 480), KeyCounting::Counted, 1560};
constexpr PKU618Chip On24C64{Keys(0, 1200), KeyCounting::NotCounted, 6984};

// The header has no CRC: AuxByte holds the concierge number here, GeneralCode the lock time.
DecodeOutcome Decode(ImageBytes image, IntercomStore& store, const PKU618Chip& chip)
{
    TIntercomData& r = store.Record;
    ImageReader in(image);
    in.keySlot(r.MasterKey);
    in.skip(1);
    r.AuxByte = in.next();
    r.ConfigByte = in.next();
    r.GeneralCode = in.next();
    in.skip(1);
    DecodeSegments(in, store, {&chip.keys, 1}, chip.counting);
    EmptyKeySlots(r, chip.keys.count, KeySlotCount - 1);
    return DecodeOutcome::Accepted;
}

QByteArray Encode(IntercomStore& store, const PKU618Chip& chip)
{
    const TIntercomData& r = store.Record;
    ImageWriter out;
    out.keySlot(r.MasterKey);
    out.byte(0xFF);
    out.byte(r.AuxByte);
    out.byte(r.ConfigByte);
    out.byte(static_cast<std::uint8_t>(r.GeneralCode & 0xFF));
    out.byte(0xFF);
    EncodeSegments(out, store, {&chip.keys, 1});
    out.fill(chip.padding);
    return out.bytes();
}

} // namespace

DecodeOutcome DecodePKU618Image(ImageBytes image, IntercomStore& store, const DecodeContext&)
{
    return Decode(image, store, On24C16);
}

QByteArray EncodePKU618Image(IntercomStore& store) { return Encode(store, On24C16); }

DecodeOutcome DecodePKU618Image64(ImageBytes image, IntercomStore& store, const DecodeContext&)
{
    return Decode(image, store, On24C64);
}

QByteArray EncodePKU618Image64(IntercomStore& store) { return Encode(store, On24C64); }

const Layout PKU618Layout{"PKU-618 24C16", ChipKind::C24C16, DecodePKU618Image, EncodePKU618Image};
const Layout PKU618Layout64{"PKU-618 24C64", ChipKind::C24C64, DecodePKU618Image64, EncodePKU618Image64};
