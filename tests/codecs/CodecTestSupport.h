#pragma once
// Shared helpers of the codec tests: stores with recognisable content and byte buffers.

#include "codecs/Encodings.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QRandomGenerator>

#include <algorithm>
#include <cstring>
#include <memory>

inline std::unique_ptr<IntercomStore> FreshStore()
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    return store;
}

// Every field filled: keys (one in five empty), codes in digits (some empty), passwords, settings,
// the pass-through area in digits. The same seed gives the same store.
inline std::unique_ptr<IntercomStore> RandomStore(quint32 seed)
{
    QRandomGenerator random(seed);
    auto byte = [&random](int below = 256) { return static_cast<std::uint8_t>(random.bounded(below)); };
    auto digits = [&] { return static_cast<std::uint16_t>(byte(10) << 12 | byte(10) << 8 | byte(10) << 4 | byte(10)); };
    auto key = [&] { return byte(5) == 0 ? KeySlot{} : KeySlot{{byte(255), byte(255), byte(255), 0xFF}}; };
    auto store = FreshStore();
    TIntercomData& r = store->Record;
    for (KeySlot& slot : r.KeySlots) slot = key();
    for (KeySlot& slot : r.HeaderKeySlots) slot = key();
    for (KeySlot& slot : store->ExtensionKeySlots) slot = key();
    for (std::uint16_t& code : r.Codes) code = byte(6) == 0 ? EmptyDigitValue : digits();
    for (std::uint8_t& b : r.PassThroughArea) b = static_cast<std::uint8_t>(byte(10) << 4 | byte(10));
    r.MasterKey = KeySlot{{byte(255), byte(255), byte(255), 0xFF}};
    r.ServicePassword = digits();
    r.SystemPassword = digits();
    r.GeneralCode = digits();
    r.ConfigByte = byte();
    r.AuxByte = byte();
    r.KeyCounter = 100;
    r.ConciergeNumber = random.bounded(200);
    r.Volume = byte();
    r.LockTime = byte();
    return store;
}

inline QByteArray Bytes(std::initializer_list<std::uint8_t> bytes)
{
    QByteArray result;
    for (std::uint8_t b : bytes) result.append(static_cast<char>(b));
    return result;
}

inline std::uint8_t ByteAt(const QByteArray& image, int offset) { return static_cast<std::uint8_t>(image.at(offset)); }

inline bool AllFF(const QByteArray& image, int from, int count)
{
    return image.mid(from, count) == Filled(count, '\xFF');
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

inline bool SameRecord(const TIntercomData& a, const TIntercomData& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Entries first..last (inclusive) of two arrays are equal.
template <typename Array>
bool SameRange(const Array& a, const Array& b, int first, int last)
{
    return std::equal(a.begin() + first, a.begin() + last + 1, b.begin() + first);
}

inline bool KeysEmpty(const TIntercomData& r, int first, int last)
{
    return std::all_of(r.KeySlots.begin() + first, r.KeySlots.begin() + last + 1,
                       [](const KeySlot& s) { return s.isEmpty(); });
}

inline bool CodesEmpty(const TIntercomData& r, int first, int last)
{
    return std::all_of(r.Codes.begin() + first, r.Codes.begin() + last + 1,
                       [](std::uint16_t c) { return c == EmptyDigitValue; });
}

inline int CountKeys(const TIntercomData& r, int first, int last)
{
    return static_cast<int>(std::count_if(r.KeySlots.begin() + first, r.KeySlots.begin() + last + 1,
                                          [](const KeySlot& s) { return !s.isEmpty(); }));
}
