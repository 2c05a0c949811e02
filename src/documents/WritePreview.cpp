#include "documents/WritePreview.h"

#include <algorithm>
#include <memory>

namespace {
bool IsBlank(const QByteArray& chipContent)
{
    return std::all_of(chipContent.begin(), chipContent.end(), [](char byte) { return byte == '\xFF'; });
}

// A chip written by a controller of this type reads back into the same bytes: what its layout
// makes of the decoded record is what the chip holds. Bytes past the layout's image are not its.
bool RoundTrips(const QByteArray& chipContent, const Layout& layout, const IntercomStore& decoded)
{
    if (!layout.encode) return true;
    auto again = std::make_unique<IntercomStore>(decoded);
    // A layout larger than the chip is written as far as the chip goes.
    return chipContent.startsWith(layout.encode(*again).left(chipContent.size()));
}

} // namespace

WritePreview PreviewWrite(const QByteArray& chipContent, const Layout& layout, const IntercomStore& document,
                          TDeviceType type, const DecodeContext& context)
{
    if (IsBlank(chipContent)) return {ChipContent::Blank, {}};
    // Decoded over a copy of the document, what the layout does not hold reads the same on both
    // sides and is never reported as a change.
    auto onChip = std::make_unique<IntercomStore>(document);
    if (layout.decode(AsImage(chipContent), *onChip, context) == DecodeOutcome::Rejected ||
        !RoundTrips(chipContent, layout, *onChip))
        return {ChipContent::NotDecoded, {}};
    std::vector<DifferenceItem> changes = CompareRecords(*onChip, document, type);
    if (changes.empty()) return {ChipContent::Identical, {}};
    return {ChipContent::Differs, std::move(changes)};
}

WritePreview PreviewImageWrite(const QByteArray& chipContent, const QByteArray& image)
{
    if (IsBlank(chipContent)) return {ChipContent::Blank, {}};
    // A shorter image is written with the rest erased, so the chip is compared with that.
    const int differing = CompareImages(chipContent, image).count();
    if (differing == 0) return {ChipContent::Identical, {}};
    return {ChipContent::Differs, {}, differing};
}
