#include "model/IntercomData.h"

#include <cstring>

void ResetRecord(IntercomStore& store)
{
    // Every byte 0, padding-free by construction; the key slots are set to empty below.
    std::memset(static_cast<void*>(&store.Record), 0, sizeof store.Record);
    TIntercomData& r = store.Record;
    for (KeySlot& slot : r.KeySlots) slot.clear();
    for (KeySlot& slot : r.HeaderKeySlots) slot.clear();
    r.MasterKey.clear();
    for (KeySlot& slot : store.ExtensionKeySlots) slot.clear();
}
