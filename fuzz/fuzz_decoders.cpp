// libFuzzer target over every decoder and the data file loader. The first input byte picks the
// routine, bit 0 of the second answers the damaged-data question, the rest is the image or file.
// A loaded data file then goes where an opened one can go: its type is looked up by name, its
// report is written, and it is encoded by the layout the rest of the second byte picks, as saving
// it as a chip dump or writing it to a chip does.

#include "codecs/CodecTables.h"
#include "documents/Report.h"
#include "model/DataFile.h"
#include "model/TypeName.h"
#include "support/FixedAnswerPrompts.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const std::span<const Layout* const> layouts = AllLayouts();
    const std::size_t choice = data[0] % (layouts.size() + 1);
    // Every question is answered at once from the input, never blocking.
    FixedAnswerPrompts prompts((data[1] & 1) != 0 ? PromptAnswer::Ok : PromptAnswer::Cancel);
    const ImageBytes input(data + 2, size - 2);

    static const auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    if (choice == layouts.size()) {
        const LoadResult loaded = LoadDataFileBytes(
            store->Record, QByteArray(reinterpret_cast<const char*>(input.data()), static_cast<qsizetype>(input.size())));
        if (loaded != LoadResult::Loaded && loaded != LoadResult::LoadedLegacy) return 0;
        const TDeviceType named = FindTypeByName(store->Record);
        const std::size_t pick = data[1] >> 1;
        const TDeviceType type = IsValidType(named) ? named : static_cast<TDeviceType>(pick % DeviceTypeCount);
        ReportBytes(type, (pick & 1) != 0, Language::English, RecordReportSource(*store));
        const Layout& target = *layouts[pick % layouts.size()];
        if (target.encode) target.encode(*store);
        return 0;
    }
    const Layout& layout = *layouts[choice];
    layout.decode(input, *store, DecodeContext{prompts, Language::English});
    // Whatever was decoded must encode again.
    if (layout.encode) layout.encode(*store);
    return 0;
}
