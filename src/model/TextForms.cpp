#include "model/TextForms.h"

namespace {
QString Hex(unsigned value, int width)
{
    return QStringLiteral("%1").arg(value, width, 16, QLatin1Char('0')).toUpper();
}
}

QString KeyText(const KeySlot& slot)
{
    return Hex(slot.bytes[2], 2) + QLatin1Char(' ') + Hex(slot.bytes[1], 2) + QLatin1Char(' ') + Hex(slot.bytes[0], 2);
}

QString FourDigitText(std::uint16_t value) { return Hex(value, 4); }

QString TwoDigitText(std::uint8_t value) { return Hex(value, 2); }
