#include "documents/Conversion.h"

#include "model/TypeName.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

// The conversions in menu order, made from the rows of the types they lead to. Each keeps only
// the configuration bits the target knows.
std::vector<ConversionRule> MakeRules()
{
    std::vector<std::pair<int, ConversionRule>> positioned;
    for (const TDeviceType type : AllDeviceTypes) {
        const ControllerType& row = ControllerTypeOf(type);
        if (!row.conversion) continue;
        const FillRule& fill = FillRuleOf(row.page.fill);
        positioned.push_back({row.conversion->menuPosition,
                              {row.conversion->caption, row.conversion->action, type, fill.page,
                               row.conversion->configMask, row.conversion->firstEmptiedHeaderSlot, fill.name}});
    }
    std::ranges::sort(positioned, {}, &std::pair<int, ConversionRule>::first);
    std::vector<ConversionRule> rules;
    for (const auto& [position, rule] : positioned) rules.push_back(rule);
    return rules;
}

const std::vector<ConversionRule>& Rules()
{
    static const std::vector<ConversionRule> rules = MakeRules();
    return rules;
}

// Already the target's data; for a type with a SmallIButton page (G300) only when it is not that
// variant's data (DS1995), which the conversion turns into the main page's data (DS1996).
bool AlreadyTarget(const ConversionRule& rule, std::optional<TDeviceType> currentType, bool smallIButton)
{
    if (currentType != rule.target) return false;
    return !ControllerTypeOf(rule.target).smallIButtonPage || !smallIButton;
}

} // namespace

std::span<const ConversionRule> Conversions() { return Rules(); }

const ConversionRule* ConversionTo(TDeviceType target)
{
    const auto rule = std::ranges::find(Rules(), target, &ConversionRule::target);
    return rule == Rules().end() ? nullptr : &*rule;
}

bool ApplyConversion(const ConversionRule& rule, TIntercomData& record, std::optional<TDeviceType> currentType,
                     bool smallIButton)
{
    record.ConfigByte &= rule.configMask;
    if (AlreadyTarget(rule, currentType, smallIButton)) return false;
    StoreTypeName(record, rule.target);
    if (rule.firstEmptiedHeaderSlot >= 0)
        for (int slot = rule.firstEmptiedHeaderSlot; slot < HeaderKeySlotCount; ++slot)
            record.HeaderKeySlots[static_cast<std::size_t>(slot)].clear();
    return true;
}
