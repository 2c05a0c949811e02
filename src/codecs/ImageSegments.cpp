#include "codecs/ImageSegments.h"

#include <cstddef>

namespace {

template <typename SlotArray>
KeySlot& SlotAt(SlotArray& array, int index)
{
    return array.at(static_cast<std::size_t>(index));
}

void CountKey(TIntercomData& record, bool notEmpty, KeyCounting counting)
{
    if (notEmpty && counting == KeyCounting::Counted) ++record.KeyCounter;
}

} // namespace

void DecodeSegments(ImageReader& in, IntercomStore& store, std::span<const Segment> segments, KeyCounting counting)
{
    TIntercomData& r = store.Record;
    for (const Segment& s : segments) {
        switch (s.area) {
        case Area::Filler: in.skip(s.count); break;
        case Area::KeySlots:
            for (int i = s.first; i < s.first + s.count; ++i) CountKey(r, in.keySlot(SlotAt(r.KeySlots, i)), counting);
            break;
        case Area::HeaderKeySlots:
            for (int i = s.first; i < s.first + s.count; ++i) in.keySlot(SlotAt(r.HeaderKeySlots, i));
            break;
        case Area::ExtensionKeySlots:
            for (int i = s.first; i < s.first + s.count; ++i) in.keySlot(SlotAt(store.ExtensionKeySlots, i));
            break;
        case Area::Codes:
            for (int i = s.first; i < s.first + s.count; ++i) r.Codes.at(static_cast<std::size_t>(i)) = in.digitPair();
            break;
        case Area::PassThrough:
            for (int i = s.first; i < s.first + s.count; ++i) {
                const DigitByte digits = DecodeDigitByte(in.next());
                r.PassThroughArea.at(static_cast<std::size_t>(i)) = digits.valid ? digits.value : 0xFF;
            }
            break;
        case Area::LockTime: r.LockTime = in.next(); break;
        case Area::Volume: r.Volume = in.next(); break;
        case Area::ConciergeNumber: in.skip(3); break;
        }
    }
}

void EncodeSegments(ImageWriter& out, const IntercomStore& store, std::span<const Segment> segments)
{
    const TIntercomData& r = store.Record;
    for (const Segment& s : segments) {
        switch (s.area) {
        case Area::Filler: out.fill(s.count); break;
        case Area::KeySlots:
            for (int i = s.first; i < s.first + s.count; ++i) out.keySlot(r.KeySlots.at(static_cast<std::size_t>(i)));
            break;
        case Area::HeaderKeySlots:
            for (int i = s.first; i < s.first + s.count; ++i)
                out.keySlot(r.HeaderKeySlots.at(static_cast<std::size_t>(i)));
            break;
        case Area::ExtensionKeySlots:
            for (int i = s.first; i < s.first + s.count; ++i)
                out.keySlot(store.ExtensionKeySlots.at(static_cast<std::size_t>(i)));
            break;
        case Area::Codes:
            for (int i = s.first; i < s.first + s.count; ++i) out.digitPair(r.Codes.at(static_cast<std::size_t>(i)));
            break;
        case Area::PassThrough:
            for (int i = s.first; i < s.first + s.count; ++i)
                out.byte(EncodeDigitByte(r.PassThroughArea.at(static_cast<std::size_t>(i))));
            break;
        case Area::LockTime: out.byte(r.LockTime); break;
        case Area::Volume: out.byte(r.Volume); break;
        case Area::ConciergeNumber: {
            const auto number = static_cast<std::uint32_t>(r.ConciergeNumber);
            for (int shift = 0; shift < 24; shift += 8) out.byte(static_cast<std::uint8_t>(number >> shift));
            break;
        }
        }
    }
}

void EmptyKeySlots(TIntercomData& record, int first, int last)
{
    for (int i = first; i <= last; ++i) SlotAt(record.KeySlots, i).clear();
}

void EmptyCodes(TIntercomData& record, int first, int last)
{
    for (int i = first; i <= last; ++i) record.Codes.at(static_cast<std::size_t>(i)) = EmptyDigitValue;
}

void DecodeBankHeader(ImageReader& in, TIntercomData& record, ServiceEncoding service)
{
    record.ServicePassword = service == ServiceEncoding::PlainDigits ? in.strictPair() : in.digitPair();
    record.SystemPassword = in.digitPair();
    const std::uint8_t generalLow = in.next();
    record.ConfigByte = in.next();
    const std::uint8_t generalHigh = in.next();
    record.GeneralCode = DecodeDigitPair(generalLow, generalHigh);
    in.skip(1); // the header CRC is not checked
}

void EncodeBankHeader(ImageWriter& out, TIntercomData& record, ServiceEncoding service)
{
    if (service == ServiceEncoding::PlainDigits) {
        out.byte(static_cast<std::uint8_t>(record.ServicePassword & 0xFF));
        out.byte(static_cast<std::uint8_t>(record.ServicePassword >> 8));
    } else {
        out.digitPair(record.ServicePassword);
    }
    out.digitPair(record.SystemPassword);
    out.byte(EncodeDigitByte(static_cast<std::uint8_t>(record.GeneralCode & 0xFF)));
    out.byte(record.ConfigByte);
    out.byte(EncodeDigitByte(static_cast<std::uint8_t>(record.GeneralCode >> 8)));
    out.crcOfLast(7, record);
}
