#pragma once
// Value encodings of the chip images: digit bytes, digit pairs, key identifiers and the CRC-8.

#include "codecs/Layout.h"

#include <QByteArray>

#include <cstdint>

struct DigitByte {
    bool valid;
    std::uint8_t value;
};

// Valid when neither nibble is above 0xA; the value has each nibble 0xA replaced by 0.
DigitByte DecodeDigitByte(std::uint8_t b);
// Each nibble 0 replaced by 0xA; other nibbles, 0xF included, stay.
std::uint8_t EncodeDigitByte(std::uint8_t b);

// One step of the Dallas/Maxim 1-Wire CRC-8 on the running value.
std::uint8_t Crc8Step(std::uint8_t crc, std::uint8_t byte);
// One step on the record's work byte AuxByte.
void Crc8Update(TIntercomData& record, std::uint8_t byte);

// Reads an image from the first byte on; bytes past the end read as 0xFF, so a short image
// decodes as erased chip memory.
class ImageReader {
public:
    explicit ImageReader(ImageBytes image) : image_(image) {}
    std::uint8_t next();
    void skip(int count);
    int position() const { return position_; }

    // Two bytes to a digit-nibble value; 0xFFFF when a byte is not a valid digit byte.
    std::uint16_t digitPair();
    // As digitPair, but both nibbles must be 0 to 9 and nothing is replaced.
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
    void digitPair(std::uint16_t value);
    void keySlot(const KeySlot& slot);
    int size() const { return static_cast<int>(bytes_.size()); }
    const QByteArray& bytes() const { return bytes_; }
    std::uint8_t at(int offset) const { return static_cast<std::uint8_t>(bytes_.at(offset)); }

private:
    QByteArray bytes_;
};
