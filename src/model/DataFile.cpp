#include "model/DataFile.h"

#include "model/FileIO.h"

#include <array>
#include <cstring>

namespace {

// Where the fields of an older data file go in the record. The older layout has 2400 key slots
// and 7 header key slots; everything from ConciergeNumber on follows in the same order.
struct LegacyMove {
    int fileOffset;
    int size;
    std::size_t recordOffset;
};
constexpr std::array<LegacyMove, 4> LegacyLayout{{
    {0, 9600, offsetof(TIntercomData, KeySlots)}, // key slots 0 to 2399
    {9600, 400, offsetof(TIntercomData, Codes)},
    {10000, 28, offsetof(TIntercomData, HeaderKeySlots)},    // header key slots 0 to 6
    {10028, 1092, offsetof(TIntercomData, ConciergeNumber)}, // ConciergeNumber .. LockTime
}};
static_assert(10028 + 1092 == LegacyDataFileSize);
static_assert(offsetof(TIntercomData, ConciergeNumber) + 1092 == sizeof(TIntercomData));

void LoadLegacy(TIntercomData& record, const QByteArray& bytes)
{
    auto* target = reinterpret_cast<std::uint8_t*>(&record);
    for (const LegacyMove& move : LegacyLayout)
        std::memcpy(target + move.recordOffset, bytes.constData() + move.fileOffset,
                    static_cast<std::size_t>(move.size));
    // The older layout has no data for these slots: they are empty rather than stale.
    for (int slot = 2400; slot < KeySlotCount; ++slot) record.KeySlots[slot].clear();
    for (int slot = 7; slot < HeaderKeySlotCount; ++slot) record.HeaderKeySlots[slot].clear();
}

} // namespace

LoadResult LoadDataFileBytes(TIntercomData& record, const QByteArray& bytes)
{
    if (bytes.size() >= DataFileSize) {
        std::memcpy(&record, bytes.constData(), sizeof record);
        return LoadResult::Loaded;
    }
    if (bytes.size() >= LegacyDataFileSize) {
        LoadLegacy(record, bytes);
        return LoadResult::LoadedLegacy;
    }
    return LoadResult::TooShort;
}

LoadResult LoadDataFile(TIntercomData& record, const QString& path, FileResult* failure)
{
    const InputBytes input = ReadInputFile(path, DataFileSize);
    if (failure) *failure = input.result;
    if (!input.ok()) return LoadResult::CannotOpen;
    return LoadDataFileBytes(record, input.bytes);
}

QByteArray DataFileBytes(const TIntercomData& record)
{
    return QByteArray(reinterpret_cast<const char*>(&record), sizeof record);
}

FileResult SaveDataFile(const TIntercomData& record, const QString& path, FileAccess access)
{
    return WriteFileSafely(path, DataFileBytes(record), access);
}

FileResult SaveStoreFile(const IntercomStore& store, bool extended, const QString& path, FileAccess access)
{
    if (!extended) return SaveDataFile(store.Record, path, access);
    return WriteFileSafely(path, QByteArray(reinterpret_cast<const char*>(&store), sizeof store), access);
}
