#include "codecs/KeyListLayouts.h"

#include "codecs/ImageSegments.h"

#include <array>

namespace {

constexpr int KeysPerBank = 670;
constexpr int GuardKeysPerBank = 7;
constexpr int LMR70xBanks = 4;

// Bank b after its header (or its 8 bytes 0xFF): 670 keys, 6 unused bytes, 7 guard keys, 3
// unused bytes.
constexpr std::array<Segment, 4> KeyListBankBody(int bank)
{
    return {Keys(KeysPerBank * bank, KeysPerBank), Fill(6), HeaderKeys(GuardKeysPerBank * bank, GuardKeysPerBank),
            Fill(3)};
}

constexpr Segment PKU630XEKeys[] = {ExtensionKeys(0, ExtensionKeySlotCount)};
constexpr int PKU630XEImageSize = 65536;

// Header bytes 0 to 4: the password and the master key's bytes 0 to 2; bytes 3 of the master key
// and the rest of the header are left alone.
void DecodeKeyListHeader(ImageReader& in, TIntercomData& record)
{
    record.ServicePassword = in.digitPair();
    for (std::size_t i = 0; i < 3; ++i) record.MasterKey.bytes[i] = in.next();
    in.skip(3); // the two fixed bytes and the CRC, which is not checked
}

// The header's CRC takes the master key bytes in the opposite order to the one in which they
// stand in the image; the controller checks it that way.
void EncodeKeyListHeader(ImageWriter& out, TIntercomData& record)
{
    out.digitPair(record.ServicePassword);
    const auto& key = record.MasterKey.bytes;
    out.keySlot(record.MasterKey);
    out.byte(0x01);
    out.byte(0x00);
    out.byte(Crc8Over(record, {out.at(0), out.at(1), key[2], key[1], key[0], 0x01, 0x00}));
}

} // namespace

DecodeOutcome DecodeLMR702Image(ImageBytes image, IntercomStore& store, const DecodeContext&)
{
    ImageReader in(image);
    DecodeKeyListHeader(in, store.Record);
    store.Record.AuxByte = 0;
    DecodeSegments(in, store, KeyListBankBody(0), KeyCounting::Counted);
    EmptyKeySlots(store.Record, KeysPerBank, KeySlotCount - 1);
    return DecodeOutcome::Accepted;
}

QByteArray EncodeLMR702Image(IntercomStore& store)
{
    ImageWriter out;
    EncodeKeyListHeader(out, store.Record);
    EncodeSegments(out, store, KeyListBankBody(0));
    return out.bytes();
}

DecodeOutcome DecodeLMR70x_2680Image(ImageBytes image, IntercomStore& store, const DecodeContext&)
{
    ImageReader in(image);
    DecodeKeyListHeader(in, store.Record);
    for (int bank = 0; bank < LMR70xBanks; ++bank) {
        if (bank > 0) in.skip(8);
        DecodeSegments(in, store, KeyListBankBody(bank), KeyCounting::NotCounted);
    }
    return DecodeOutcome::Accepted;
}

QByteArray EncodeLMR70x_2680Image(IntercomStore& store)
{
    ImageWriter out;
    EncodeKeyListHeader(out, store.Record);
    for (int bank = 0; bank < LMR70xBanks; ++bank) {
        if (bank > 0) out.fill(8);
        EncodeSegments(out, store, KeyListBankBody(bank));
    }
    return out.bytes();
}

DecodeOutcome DecodePKU630XEImage(ImageBytes image, IntercomStore& store, const DecodeContext&)
{
    ImageReader in(image);
    DecodeSegments(in, store, PKU630XEKeys, KeyCounting::NotCounted);
    return DecodeOutcome::Accepted;
}

QByteArray EncodePKU630XEImage(IntercomStore& store)
{
    ImageWriter out;
    EncodeSegments(out, store, PKU630XEKeys);
    out.fill(PKU630XEImageSize - out.size());
    return out.bytes();
}

const Layout LMR702Layout{"LMR 700_701_702 24C16", ChipKind::C24C16, DecodeLMR702Image, EncodeLMR702Image};
const Layout LMR70x_2680Layout{"LMR 70x-2680 24C64", ChipKind::C24C64, DecodeLMR70x_2680Image, EncodeLMR70x_2680Image};
const Layout PKU630XELayout{"PKU-630XE", ChipKind::C24C64, DecodePKU630XEImage, EncodePKU630XEImage};
