#include "codecs/G300Layouts.h"

#include "codecs/Encodings.h"
#include "codecs/ImageSegments.h"

#include <array>
#include <memory>

namespace {

struct G300Chip {
    int codes;
    int gapBeforeHeader;
    int gapAfterHeader;
    int keys;
    KeyCounting counting;
};
constexpr G300Chip DS1996{200, 8, 8, 1800, KeyCounting::Counted};
constexpr G300Chip DS1995{100, 4, 8, 425, KeyCounting::NotCounted};
constexpr int DS1996TrailingFill = 368;

const Bilingual DamagedDataQuestion{"Нарушение целостности данных. Продолжить?",
                                    "Data integrity has been damaged. Do you want to continue?"};
const Bilingual QuestionCaption{"Сообщение", "Message"};

// A code record: the digit pair as stored and the CRC of those two bytes. The CRC is checked on
// the bytes as stored (digit 0 as nibble 0xA); only then are the nibbles 0xA made digits 0.
void DecodeCodeRecord(ImageReader& in, TIntercomData& r, std::uint16_t& code)
{
    const std::uint8_t low = in.next();
    const std::uint8_t high = in.next();
    const bool valid = DecodeDigitByte(low).valid && DecodeDigitByte(high).valid;
    code = valid ? static_cast<std::uint16_t>(low | (high << 8)) : EmptyDigitValue;
    const std::uint8_t crc = in.next();
    if (Crc8Over(r, {static_cast<std::uint8_t>(code & 0xFF), static_cast<std::uint8_t>(code >> 8), crc}) != 0)
        code = EmptyDigitValue;
    else
        code = DecodeDigitPair(static_cast<std::uint8_t>(code & 0xFF), static_cast<std::uint8_t>(code >> 8));
}

// A key record: three key bytes and their CRC. A key that fails its CRC is emptied, but a counted
// key stays counted.
void DecodeKeyRecord(ImageReader& in, TIntercomData& r, KeySlot& slot, KeyCounting counting)
{
    if (in.keySlot(slot) && counting == KeyCounting::Counted) ++r.KeyCounter;
    const auto& b = slot.bytes;
    if (Crc8Over(r, {b[0], b[1], b[2], in.next()}) != 0) slot.clear();
}

// The header's seven bytes as read, and its CRC byte.
struct G300Header {
    std::array<std::uint8_t, 7> bytes;
    std::uint8_t crc;
};

G300Header DecodeHeader(ImageReader& in, TIntercomData& r)
{
    G300Header header{};
    for (std::uint8_t& b : header.bytes) b = in.next();
    header.crc = in.next();
    const auto& h = header.bytes;
    r.ServicePassword = DecodeDigitPair(h[0], h[1]);
    r.SystemPassword = DecodeDigitPair(h[2], h[3]);
    r.ConfigByte = h[4];
    r.GeneralCode = DecodeDigitPair(h[5], h[6]);
    return header;
}

void DecodeCodes(ImageReader& in, TIntercomData& r, const G300Chip& chip)
{
    for (int i = 0; i < chip.codes; ++i) DecodeCodeRecord(in, r, r.Codes.at(static_cast<std::size_t>(i)));
    in.skip(chip.gapBeforeHeader);
}

void DecodeKeys(ImageReader& in, TIntercomData& r, const G300Chip& chip)
{
    for (int i = 0; i < chip.keys; ++i)
        DecodeKeyRecord(in, r, r.KeySlots.at(static_cast<std::size_t>(i)), chip.counting);
}

bool UserGoesOnWithDamagedData(const DecodeContext& context)
{
    return context.prompts.message(DamagedDataQuestion.in(context.language), QuestionCaption.in(context.language),
                                   PromptButtons::OkCancel, PromptIcon::Question) == PromptAnswer::Ok;
}

} // namespace

DecodeOutcome DecodeG300Image(ImageBytes image, IntercomStore& store, const DecodeContext&)
{
    TIntercomData& r = store.Record;
    ImageReader in(image);
    DecodeCodes(in, r, DS1996);
    DecodeHeader(in, r); // a header CRC mismatch is ignored on this chip
    in.skip(DS1996.gapAfterHeader);
    DecodeKeys(in, r, DS1996);
    EmptyKeySlots(r, DS1996.keys, KeySlotCount - 1);
    return DecodeOutcome::Accepted;
}

QByteArray EncodeG300Image(IntercomStore& store)
{
    TIntercomData& r = store.Record;
    ImageWriter out;
    for (std::uint16_t code : r.Codes) {
        out.digitPair(code);
        out.crcOfLast(2, r);
    }
    out.fill(DS1996.gapBeforeHeader);
    out.digitPair(r.ServicePassword);
    out.digitPair(r.SystemPassword);
    out.byte(r.ConfigByte);
    out.digitPair(r.GeneralCode);
    out.crcOfLast(7, r);
    out.fill(DS1996.gapAfterHeader);
    for (int i = 0; i < DS1996.keys; ++i) {
        out.keySlot(r.KeySlots.at(static_cast<std::size_t>(i)));
        out.crcOfLast(3, r);
    }
    out.fill(DS1996TrailingFill);
    return out.bytes();
}

DecodeOutcome DecodeG300DS1995Image(ImageBytes image, IntercomStore& store, const DecodeContext& context)
{
    TIntercomData& r = store.Record;
    // Declining damaged data leaves the record exactly as it was before the decode.
    const auto before = std::make_unique<TIntercomData>(r);
    ImageReader in(image);
    DecodeCodes(in, r, DS1995);
    const G300Header header = DecodeHeader(in, r);
    const auto& h = header.bytes;
    if (Crc8Over(r, {h[0], h[1], h[2], h[3], h[4], h[5], h[6]}) != header.crc) {
        if (!UserGoesOnWithDamagedData(context)) {
            r = *before;
            return DecodeOutcome::Rejected;
        }
        r.ServicePassword = DefaultPassword;
        r.SystemPassword = DefaultPassword;
        r.ConfigByte = DefaultConfigByte;
        r.GeneralCode = DefaultGeneralCode;
    }
    in.skip(DS1995.gapAfterHeader);
    DecodeKeys(in, r, DS1995);
    EmptyKeySlots(r, DS1995.keys, 2399);
    return DecodeOutcome::Accepted;
}

const Layout G300Layout{"G300 DS1996", ChipKind::DS1996, DecodeG300Image, EncodeG300Image};
const Layout G300DS1995Layout{"G300 DS1995", ChipKind::DS1995, DecodeG300DS1995Image, nullptr};
