#pragma once
// Value encodings of the chip images: digit bytes, digit pairs, key identifiers and the CRC-8.

#include "codecs/Layout.h"

#include <QByteArray>

#include <cstdint>
#include <initializer_list>

struct DigitByte {
    bool valid;
    std::uint8_t value;
};

// Valid when neither nibble is above 0xA; the value has each nibble 0xA replaced by 0.
DigitByte DecodeDigitByte(std::uint8_t b);
// Each nibble 0 replaced by 0xA; other nibbles, 0xF included, stay.
std::uint8_t EncodeDigitByte(std::uint8_t b);

// A digit-nibble value from its two image bytes, low byte first; 0xFFFF when either byte is not a
// valid digit byte.
std::uint16_t DecodeDigitPair(std::uint8_t low, std::uint8_t high);
// As DecodeDigitPair, but a byte is valid only when both nibbles are 0 to 9, and nothing is
// replaced (the PKU-630 concierge number is stored in plain digits).
std::uint16_t DecodeStrictPair(std::uint8_t low, std::uint8_t high);

// One step of the Dallas/Maxim 1-Wire CRC-8 (x^8 + x^5 + x^4 + 1, least significant bit first).
std::uint8_t Crc8Step(std::uint8_t crc, std::uint8_t byte);
// One step on the record's work byte AuxByte.
void Crc8Update(TIntercomData& record, std::uint8_t byte);
// Sets AuxByte to 0 and runs the CRC over `bytes`; returns the result, which AuxByte keeps.
std::uint8_t Crc8Over(TIntercomData& record, std::initializer_list<std::uint8_t> bytes);

// Reads an image from the first byte on; bytes past the end read as 0xFF, so a short image
// decodes as erased chip memory.
class ImageReader {
public:
    explicit ImageReader(ImageBytes image) : image_(image) {}
    std::uint8_t next();
    void skip(int count) { position_ += count; }

    // Two bytes to a digit-nibble value; always consumes both bytes.
    std::uint16_t digitPair();
    // Two bytes in plain digits (DecodeStrictPair); always consumes both bytes.
    std::uint16_t strictPair();
    // Empties the slot, then reads three key bytes into bytes 0 to 2. Returns true when the
    // slot is not empty afterwards.
    bool keySlot(KeySlot& slot);

private:
    ImageBytes image_;
    int position_ = 0;
};

// Writes an image in order.
class ImageWriter {
public:
    void byte(std::uint8_t b) { bytes_.append(static_cast<char>(b)); }
    void fill(int count, std::uint8_t b = 0xFF) { bytes_.append(count, static_cast<char>(b)); }
    // EncodeDigitByte of the low byte, then of the high byte.
    void digitPair(std::uint16_t value);
    // Bytes 0, 1 and 2 of the slot; byte 3 is never written.
    void keySlot(const KeySlot& slot);
    // Sets AuxByte to 0, runs the CRC over the last `count` bytes written and writes the result.
    void crcOfLast(int count, TIntercomData& record);

    int size() const { return static_cast<int>(bytes_.size()); }
    const QByteArray& bytes() const { return bytes_; }
    std::uint8_t at(int offset) const { return static_cast<std::uint8_t>(bytes_.at(offset)); }

private:
    QByteArray bytes_;
};
