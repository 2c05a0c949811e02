#include "editing/KeyInput.h"

#include <QKeyEvent>

KeyInput KeyInputOf(const QKeyEvent& event, KeyPhase phase)
{
    return {event.key(), event.modifiers().testFlag(Qt::KeypadModifier), event.modifiers(), phase};
}

KeyInput EnterPress() { return {Qt::Key_Return, false, Qt::NoModifier, KeyPhase::Press}; }

bool IsEnter(const KeyInput& input) { return input.key == Qt::Key_Return || input.key == Qt::Key_Enter; }

namespace {

// Control, Alt or Meta make a letter or digit key a command of the editor, not a character.
bool HasCommandModifier(const KeyInput& input)
{
    return (input.modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != Qt::NoModifier;
}

} // namespace

std::optional<int> DecimalDigitOf(const KeyInput& input)
{
    if (HasCommandModifier(input) || input.key < Qt::Key_0 || input.key > Qt::Key_9) return std::nullopt;
    return input.key - Qt::Key_0;
}

std::optional<int> HexDigitOf(const KeyInput& input)
{
    if (const std::optional<int> digit = DecimalDigitOf(input)) return digit;
    if (HasCommandModifier(input) || input.keypad || input.key < Qt::Key_A || input.key > Qt::Key_F)
        return std::nullopt;
    return 10 + input.key - Qt::Key_A;
}

bool IsModifierAlone(const KeyInput& input)
{
    switch (input.key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R:
    case Qt::Key_CapsLock:
    case Qt::Key_NumLock: return true;
    default: return false;
    }
}

bool IsCommandChord(const KeyInput& input) { return HasCommandModifier(input) && !IsModifierAlone(input); }

std::optional<std::uint16_t> DigitNibbleValue(QStringView digits)
{
    unsigned value = 0;
    for (const QChar character : digits) {
        if (character < QLatin1Char('0') || character > QLatin1Char('9')) return std::nullopt;
        value = value * 16 + static_cast<unsigned>(character.unicode() - '0');
    }
    return static_cast<std::uint16_t>(value);
}
