#pragma once
// A key event as the editing rules see it: which key, whether it came from the numeric keypad,
// the modifiers held and whether it is the press or the release. The rules answer whether the
// key goes on to the table or field (Pass) or is swallowed before it has any effect (Swallow).

#include "model/KeyIdentifier.h" // TypedKeyOf
#include "model/TableSpecs.h"
#include "model/KeyStore.h" // KeyBytes
#include "views/KeyPhase.h"

#include <Qt>

#include <cstdint>
#include <optional>

class QKeyEvent;

enum class Verdict { Pass, Swallow };

struct KeyInput {
    int key; // Qt::Key
    bool keypad;
    Qt::KeyboardModifiers modifiers;
    KeyPhase phase;

    bool isPress() const { return phase == KeyPhase::Press; }
};

KeyInput KeyInputOf(const QKeyEvent& event, KeyPhase phase);
// The Enter press with no modifier keys by which a code cell or a field is confirmed or restored.
KeyInput EnterPress();

bool IsEnter(const KeyInput& input);
// A digit key of the main keyboard or of the keypad: the key decides, not the character it types.
std::optional<int> DecimalDigitOf(const KeyInput& input);
// A digit key or a letter key A to F.
std::optional<int> HexDigitOf(const KeyInput& input);
// Shift, Control, Alt and their kind pressed alone: they only change what the next key types.
bool IsModifierAlone(const KeyInput& input);
// A key held with Control, Alt or Meta: a command of the window (a menu, a shortcut), never key
// input for a cell or field.
bool IsCommandChord(const KeyInput& input);

// The value of decimal digits read one digit per nibble, the first digit in the highest nibble
// (digits "0451" give 0x0451); nothing when a character is no decimal digit.
std::optional<std::uint16_t> DigitNibbleValue(QStringView digits);
