#include "model/TextForms.h"

namespace {

constexpr char16_t HexDigits[] = u"0123456789ABCDEF";

// Upper-case hexadecimal, zero-padded to `width` digits (more when the value needs them).
QString Hex(unsigned value, int width)
{
    return QStringLiteral("%1").arg(value, width, 16, QLatin1Char('0')).toUpper();
}

// The three key bytes as "XX XX XX" in the given order; written by hand because every fill
// writes thousands of them.
QString ThreeBytes(std::uint8_t first, std::uint8_t second, std::uint8_t third)
{
    const char16_t text[8] = {HexDigits[first >> 4],  HexDigits[first & 15],  u' ',
                              HexDigits[second >> 4], HexDigits[second & 15], u' ',
                              HexDigits[third >> 4],  HexDigits[third & 15]};
    return QString(reinterpret_cast<const QChar*>(text), 8);
}

} // namespace

QString KeyText(const KeySlot& slot) { return ThreeBytes(slot.bytes[2], slot.bytes[1], slot.bytes[0]); }

QString StoredOrderKeyText(const KeySlot& slot) { return ThreeBytes(slot.bytes[0], slot.bytes[1], slot.bytes[2]); }

QString FourDigitText(std::uint16_t value) { return Hex(value, 4); }

QString TwoDigitText(std::uint16_t value) { return Hex(value, 2); }
