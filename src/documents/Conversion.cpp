#include "documents/Conversion.h"

#include "model/TypeName.h"

#include <algorithm>
#include <array>

namespace {

using namespace DeviceTypes;

constexpr int NoHeaderSlotsEmptied = -1;

// The conversions in menu order. Each keeps only the configuration bits the target knows; the
// LMR types keep eight guard key slots, the PKU-512S has none of the others' header keys.
constexpr std::array<ConversionRule, 9> Rules{{
    {"to T150", "toT150", T150, "TabSheet1", 0x5F, NoHeaderSlotsEmptied, "ShowT150Page"},
    {"to PKU511", "toPKU511", PKU511, "TabSheet1", 0x10, NoHeaderSlotsEmptied, "ShowT150Page"},
    {"to PKU618", "toPKU618", PKU618, "TabSheet3", 0x00, NoHeaderSlotsEmptied, "ShowPKU618Page"},
    {"to LMR702", "toLMR702", LMR702, "TabSheet2", 0x00, 8, "ShowLMR702Page"},
    {"to PKU630", "toPKU630", PKU630, "TabSheet4", 0x1F, NoHeaderSlotsEmptied, "ShowPKU630Page"},
    {"to G300", "toG300", G300, "TabSheet5", 0xBB, NoHeaderSlotsEmptied, "ShowG300Page"},
    {"to PKU512S", "toPKU512S", PKU512S, "TabSheet7", 0x5F, 0, "ShowPKU512SPage"},
    {"to LMR70x_2680", "toLMR70x_2680", LMR70x2680, "TabSheet8", 0x00, 8, "ShowLMR70x_2680Page"},
    {"toPKU512T", "toPKU512T", PKU512T, "TabSheet1", 0x5F, NoHeaderSlotsEmptied, "ShowPKU512TPage"},
}};

// Already the target's data: for G300 only when it is not DS1995 data, which the conversion turns
// into DS1996 data.
bool AlreadyTarget(const ConversionRule& rule, TDeviceType currentType, bool smallIButton)
{
    if (currentType != rule.target) return false;
    return rule.target != G300 || !smallIButton;
}

} // namespace

std::span<const ConversionRule> Conversions() { return Rules; }

const ConversionRule* ConversionTo(TDeviceType target)
{
    const auto rule = std::ranges::find(Rules, target, &ConversionRule::target);
    return rule == Rules.end() ? nullptr : &*rule;
}

bool ApplyConversion(const ConversionRule& rule, TIntercomData& record, TDeviceType currentType, bool smallIButton)
{
    record.ConfigByte &= rule.configMask;
    if (AlreadyTarget(rule, currentType, smallIButton)) return false;
    StoreTypeName(record, rule.target);
    if (rule.firstEmptiedHeaderSlot != NoHeaderSlotsEmptied)
        for (int slot = rule.firstEmptiedHeaderSlot; slot < HeaderKeySlotCount; ++slot)
            record.HeaderKeySlots[static_cast<std::size_t>(slot)].clear();
    return true;
}
