#pragma once
// A key identifier: its three bytes, when a slot holds it, and how it is typed as text.

#include "model/IntercomData.h"
#include "model/TableSpecs.h"

#include <QStringView>

#include <array>
#include <cstdint>
#include <optional>

// The three bytes of a key identifier in image order, as a reader frame or the keyboard delivers them.
using KeyBytes = std::array<std::uint8_t, 3>;

// A slot holds a key when its bytes 0 to 2 are the key and its byte 3 is 0xFF (the duplicate
// test); a key of three 0xFF is held by every empty slot.
bool HoldsKey(const KeySlot& slot, KeyBytes key);

// The key typed as six hexadecimal characters, letters in either case. Keys read third byte
// first (the first two characters are the key's third byte); the DS1995 table shows and takes
// them in stored order (the first two characters are its first byte).
std::optional<KeyBytes> TypedKeyOf(QStringView text, KeyTextOrder order);
