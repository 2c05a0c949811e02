#pragma once
// The runs of an image that every layout family is built from: key identifiers, codes, system
// values and 0xFF fillers. A layout's body is a table of segments read or written in order.

#include "codecs/Encodings.h"

#include <span>

enum class Area {
    Filler,            // `count` bytes 0xFF; skipped when decoding
    KeySlots,          // key slots first .. first+count-1, three bytes each
    HeaderKeySlots,    // header key slots, three bytes each, never counted
    ExtensionKeySlots, // PKU-630XE extension key slots, three bytes each, never counted
    Codes,             // codes as digit pairs
    PassThrough,       // PassThroughArea bytes as digit bytes (invalid ones decode as 0xFF)
    LockTime,          // one byte as it is
    Volume,            // one byte as it is
    ConciergeNumber,   // bytes 0 to 2 of ConciergeNumber; written, never read back
};

struct Segment {
    Area area;
    int first;
    int count;
};

constexpr Segment Fill(int bytes) { return {Area::Filler, 0, bytes}; }
constexpr Segment Keys(int first, int count) { return {Area::KeySlots, first, count}; }
constexpr Segment HeaderKeys(int first, int count) { return {Area::HeaderKeySlots, first, count}; }
constexpr Segment ExtensionKeys(int first, int count) { return {Area::ExtensionKeySlots, first, count}; }
constexpr Segment CodeRun(int first, int count) { return {Area::Codes, first, count}; }

// Whether the key slots a decoder reads rise KeyCounter (never reset by a decoder).
enum class KeyCounting { Counted, NotCounted };

void DecodeSegments(ImageReader& in, IntercomStore& store, std::span<const Segment> segments, KeyCounting counting);
void EncodeSegments(ImageWriter& out, const IntercomStore& store, std::span<const Segment> segments);

// Empty the key slots from `first` to `last` inclusive.
void EmptyKeySlots(TIntercomData& record, int first, int last);
// Set codes from `first` to `last` inclusive to the empty value.
void EmptyCodes(TIntercomData& record, int first, int last);

// The 8-byte bank header of the apartment bank layouts: service password, system password,
// general code around the configuration byte, CRC-8 of the seven bytes before it.
enum class ServiceEncoding {
    DigitPair,   // digit bytes with the digit 0 as nibble 0xA
    PlainDigits, // PKU-630: the concierge number in plain decimal nibbles
};
void DecodeBankHeader(ImageReader& in, TIntercomData& record, ServiceEncoding service);
void EncodeBankHeader(ImageWriter& out, TIntercomData& record, ServiceEncoding service);
