// Finding a key in a PKU-630XE record whose 2680 key slots and 5000 extension slots all hold keys:
// a key kept once in the last extension slot, a key kept nowhere, and one key kept in every slot
// (every place named). Prints the median time of each against the target; asserts nothing.

#include "documents/KeyFinder.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int Repeats = 101;

// A different key in every slot: the slot number in the first two bytes, the area in the third.
void FillEveryKey(IntercomStore& store)
{
    const auto key = [](std::size_t slot, std::uint8_t area) {
        return KeySlot{{std::uint8_t(slot), std::uint8_t(slot >> 8), area, 0xFF}};
    };
    for (std::size_t slot = 0; slot < store.Record.KeySlots.size(); ++slot)
        store.Record.KeySlots[slot] = key(slot, 0x10);
    for (std::size_t slot = 0; slot < store.Record.HeaderKeySlots.size(); ++slot)
        store.Record.HeaderKeySlots[slot] = key(slot, 0x20);
    for (std::size_t slot = 0; slot < store.ExtensionKeySlots.size(); ++slot)
        store.ExtensionKeySlots[slot] = key(slot, 0x30);
}

struct Timing {
    double medianMs;
    std::size_t places;
};

Timing MedianFind(const IntercomStore& store, KeyBytes key)
{
    std::vector<double> times;
    std::size_t places = 0;
    for (int i = 0; i < Repeats; ++i) {
        QElapsedTimer timer;
        timer.start();
        places = FindKey(store, TDeviceType::PKU630XE, key).size();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], places};
}

} // namespace

int main()
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    FillEveryKey(*store);
    const KeyBytes lastExtensionKey{std::uint8_t(4999), std::uint8_t(4999 >> 8), 0x30};
    const Timing once = MedianFind(*store, lastExtensionKey);
    const Timing nowhere = MedianFind(*store, KeyBytes{0xAB, 0xCD, 0xEF});
    for (KeySlot& slot : store->Record.KeySlots) slot = KeySlot{{0x01, 0x02, 0x03, 0xFF}};
    for (KeySlot& slot : store->ExtensionKeySlots) slot = KeySlot{{0x01, 0x02, 0x03, 0xFF}};
    const Timing everywhere = MedianFind(*store, KeyBytes{0x01, 0x02, 0x03});

    std::printf("find on a full PKU-630XE record (2680 + 5000 slots)   median of %d   places   target\n", Repeats);
    std::printf("key in the last extension slot                        %8.3f ms   %6zu   5 ms\n", once.medianMs,
                once.places);
    std::printf("key kept nowhere                                      %8.3f ms   %6zu   5 ms\n", nowhere.medianMs,
                nowhere.places);
    std::printf("key in every key and extension slot                   %8.3f ms   %6zu   5 ms\n", everywhere.medianMs,
                everywhere.places);
    return 0;
}
