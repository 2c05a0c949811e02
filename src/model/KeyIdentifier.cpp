#include "model/KeyIdentifier.h"

bool HoldsKey(const KeySlot& slot, KeyBytes key)
{
    return slot.bytes[0] == key[0] && slot.bytes[1] == key[1] && slot.bytes[2] == key[2] && slot.bytes[3] == 0xFF;
}

std::optional<KeyBytes> TypedKeyOf(QStringView text, KeyTextOrder order)
{
    if (text.size() < 6) return std::nullopt;
    unsigned number = 0;
    for (const QChar character : text.left(6)) {
        const int digit = QStringView(&character, 1).toInt(nullptr, 16);
        const bool isHex = (character >= QLatin1Char('0') && character <= QLatin1Char('9')) ||
                           (character.toUpper() >= QLatin1Char('A') && character.toUpper() <= QLatin1Char('F'));
        if (!isHex) return std::nullopt;
        number = number * 16 + static_cast<unsigned>(digit);
    }
    const KeyBytes thirdByteFirst{std::uint8_t(number), std::uint8_t(number >> 8), std::uint8_t(number >> 16)};
    if (order == KeyTextOrder::ThirdByteFirst) return thirdByteFirst;
    return KeyBytes{thirdByteFirst[2], thirdByteFirst[1], thirdByteFirst[0]};
}
