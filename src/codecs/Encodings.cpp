#include "codecs/Encodings.h"

namespace {

constexpr std::uint8_t HighNibble(std::uint8_t b) { return b >> 4; }
constexpr std::uint8_t LowNibble(std::uint8_t b) { return b & 0x0F; }
constexpr std::uint8_t FromNibbles(std::uint8_t high, std::uint8_t low)
{
    return static_cast<std::uint8_t>((high << 4) | low);
}

constexpr bool IsPlainDigitByte(std::uint8_t b) { return HighNibble(b) <= 9 && LowNibble(b) <= 9; }

constexpr std::uint16_t FromBytes(std::uint8_t low, std::uint8_t high)
{
    return static_cast<std::uint16_t>(low | (high << 8));
}

} // namespace

DigitByte DecodeDigitByte(std::uint8_t b)
{
    const std::uint8_t high = HighNibble(b), low = LowNibble(b);
    if (high > 0xA || low > 0xA) return {false, b};
    return {true, FromNibbles(high == 0xA ? 0 : high, low == 0xA ? 0 : low)};
}

std::uint8_t EncodeDigitByte(std::uint8_t b)
{
    const std::uint8_t high = HighNibble(b), low = LowNibble(b);
    return FromNibbles(high == 0 ? 0xA : high, low == 0 ? 0xA : low);
}

std::uint16_t DecodeDigitPair(std::uint8_t low, std::uint8_t high)
{
    const DigitByte lowDigits = DecodeDigitByte(low);
    const DigitByte highDigits = DecodeDigitByte(high);
    if (!lowDigits.valid || !highDigits.valid) return EmptyDigitValue;
    return FromBytes(lowDigits.value, highDigits.value);
}

std::uint16_t DecodeStrictPair(std::uint8_t low, std::uint8_t high)
{
    if (!IsPlainDigitByte(low) || !IsPlainDigitByte(high)) return EmptyDigitValue;
    return FromBytes(low, high);
}

std::uint8_t Crc8Step(std::uint8_t crc, std::uint8_t byte)
{
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit)
        crc = (crc & 1) ? static_cast<std::uint8_t>((crc >> 1) ^ 0x8C) : static_cast<std::uint8_t>(crc >> 1);
    return crc;
}

void Crc8Update(TIntercomData& record, std::uint8_t byte) { record.AuxByte = Crc8Step(record.AuxByte, byte); }

std::uint8_t Crc8Over(TIntercomData& record, std::initializer_list<std::uint8_t> bytes)
{
    record.AuxByte = 0;
    for (std::uint8_t b : bytes) Crc8Update(record, b);
    return record.AuxByte;
}

std::uint8_t ImageReader::next()
{
    const int at = position_++;
    return at >= 0 && static_cast<std::size_t>(at) < image_.size() ? image_[static_cast<std::size_t>(at)] : 0xFF;
}

std::uint16_t ImageReader::digitPair()
{
    const std::uint8_t low = next();
    const std::uint8_t high = next();
    return DecodeDigitPair(low, high);
}

std::uint16_t ImageReader::strictPair()
{
    const std::uint8_t low = next();
    const std::uint8_t high = next();
    return DecodeStrictPair(low, high);
}

bool ImageReader::keySlot(KeySlot& slot)
{
    slot.clear();
    for (int i = 0; i < 3; ++i) slot.bytes[static_cast<std::size_t>(i)] = next();
    return !slot.isEmpty();
}

void ImageWriter::digitPair(std::uint16_t value)
{
    byte(EncodeDigitByte(static_cast<std::uint8_t>(value & 0xFF)));
    byte(EncodeDigitByte(static_cast<std::uint8_t>(value >> 8)));
}

void ImageWriter::keySlot(const KeySlot& slot)
{
    for (int i = 0; i < 3; ++i) byte(slot.bytes[static_cast<std::size_t>(i)]);
}

void ImageWriter::crcOfLast(int count, TIntercomData& record)
{
    record.AuxByte = 0;
    for (int offset = size() - count; offset < size(); ++offset) Crc8Update(record, at(offset));
    byte(record.AuxByte);
}
