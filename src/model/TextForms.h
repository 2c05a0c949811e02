#pragma once
// How keys, codes and passwords read as text, the same everywhere they are shown.

#include "model/IntercomData.h"

#include <QString>

#include <cstdint>

// "%02X %02X %02X" of the slot's third, second and first byte; an empty slot reads "FF FF FF".
QString KeyText(const KeySlot& slot);
// The same in stored order, first byte first (the DS1995 variant of the G300 page).
QString StoredOrderKeyText(const KeySlot& slot);
// Four-digit values (codes, passwords, general code): "%04X", so nibbles that are not decimal
// digits show as the letters A to F in their places.
QString FourDigitText(std::uint16_t value);
// Two-digit values: "%02X" (a 16-bit value above 0xFF keeps all its digits).
QString TwoDigitText(std::uint16_t value);
