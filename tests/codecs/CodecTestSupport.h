#pragma once
// Shared helpers of the codec tests: stores with recognisable content and decoding byte buffers.

#include "codecs/Encodings.h"
#include "codecs/Layout.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QByteArray>
#include <QRandomGenerator>

#include <cstring>
#include <initializer_list>
#include <memory>

inline std::unique_ptr<IntercomStore> FreshStore()
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    return store;
}

// A four-digit value in digit nibbles, the digit 0 included.
inline std::uint16_t RandomDigits(QRandomGenerator& random)
{
    std::uint16_t value = 0;
    for (int digit = 0; digit < 4; ++digit) value = static_cast<std::uint16_t>((value << 4) | random.bounded(10));
    return value;
}

inline KeySlot RandomKey(QRandomGenerator& random)
{
    KeySlot slot;
    for (int i = 0; i < 3; ++i) slot.bytes[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(random.bounded(0xFF));
    return slot;
}

// Every field filled: keys (about one in five empty), codes (some empty), passwords, settings,
// the pass-through area in digits, the extension slots. The same seed gives the same store.
inline std::unique_ptr<IntercomStore> RandomStore(quint32 seed)
{
    QRandomGenerator random(seed);
    auto store = FreshStore();
    TIntercomData& r = store->Record;
    auto key = [&random] { return random.bounded(5) == 0 ? KeySlot{} : RandomKey(random); };
    for (KeySlot& slot : r.KeySlots) slot = key();
    for (KeySlot& slot : r.HeaderKeySlots) slot = key();
    for (KeySlot& slot : store->ExtensionKeySlots) slot = key();
    for (std::uint16_t& code : r.Codes) code = random.bounded(6) == 0 ? EmptyDigitValue : RandomDigits(random);
    r.MasterKey = RandomKey(random);
    r.ServicePassword = RandomDigits(random);
    r.SystemPassword = RandomDigits(random);
    r.GeneralCode = RandomDigits(random);
    r.ConfigByte = static_cast<std::uint8_t>(random.bounded(256));
    r.AuxByte = static_cast<std::uint8_t>(random.bounded(256));
    r.KeyCounter = static_cast<std::uint16_t>(random.bounded(1000));
    r.CodeCounter = static_cast<std::uint16_t>(random.bounded(1000));
    r.ConciergeNumber = random.bounded(200);
    for (std::uint8_t& b : r.PassThroughArea) b = static_cast<std::uint8_t>(random.bounded(10) << 4 | random.bounded(10));
    r.Volume = static_cast<std::uint8_t>(1 + random.bounded(9));
    r.LockTime = static_cast<std::uint8_t>(1 + random.bounded(20));
    return store;
}

inline ImageBytes AsImage(const QByteArray& bytes)
{
    return {reinterpret_cast<const std::uint8_t*>(bytes.constData()), static_cast<std::size_t>(bytes.size())};
}

inline std::uint8_t ByteAt(const QByteArray& image, int offset) { return static_cast<std::uint8_t>(image.at(offset)); }

inline QByteArray Bytes(std::initializer_list<std::uint8_t> bytes)
{
    QByteArray result;
    for (std::uint8_t b : bytes) result.append(static_cast<char>(b));
    return result;
}

inline bool AllBytesAre(const QByteArray& image, int from, int count, std::uint8_t value)
{
    for (int i = from; i < from + count; ++i)
        if (ByteAt(image, i) != value) return false;
    return true;
}

inline std::uint8_t CrcOf(const QByteArray& bytes)
{
    std::uint8_t crc = 0;
    for (char b : bytes) crc = Crc8Step(crc, static_cast<std::uint8_t>(b));
    return crc;
}

// Decodes with prompts that allow no question.
inline DecodeOutcome DecodeQuietly(DecodeFunction decode, const QByteArray& image, IntercomStore& store)
{
    ScriptedPrompts prompts;
    return decode(AsImage(image), store, DecodeContext{prompts, Language::English});
}

inline bool SameRecord(const TIntercomData& a, const TIntercomData& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline int CountKeys(const TIntercomData& r, int first, int last)
{
    int count = 0;
    for (int i = first; i <= last; ++i) count += r.KeySlots[static_cast<std::size_t>(i)].isEmpty() ? 0 : 1;
    return count;
}

inline bool KeysEqual(const TIntercomData& a, const TIntercomData& b, int first, int last)
{
    for (int i = first; i <= last; ++i)
        if (a.KeySlots[static_cast<std::size_t>(i)] != b.KeySlots[static_cast<std::size_t>(i)]) return false;
    return true;
}

inline bool KeysEmpty(const TIntercomData& r, int first, int last)
{
    for (int i = first; i <= last; ++i)
        if (!r.KeySlots[static_cast<std::size_t>(i)].isEmpty()) return false;
    return true;
}

inline bool CodesEqual(const TIntercomData& a, const TIntercomData& b, int first, int last)
{
    for (int i = first; i <= last; ++i)
        if (a.Codes[static_cast<std::size_t>(i)] != b.Codes[static_cast<std::size_t>(i)]) return false;
    return true;
}

inline bool CodesEmpty(const TIntercomData& r, int first, int last)
{
    for (int i = first; i <= last; ++i)
        if (r.Codes[static_cast<std::size_t>(i)] != EmptyDigitValue) return false;
    return true;
}
