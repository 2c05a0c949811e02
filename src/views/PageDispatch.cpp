#include "views/PageDispatch.h"

namespace {

constexpr After O = After::On;
constexpr After X = After::Off;
constexpr After K = After::Keep;

constexpr std::array<FillRule, 10> FillRules{{
    //                                                   read 16 32 64 96  write 16 32 64 96   N5
    {Fill::T150, "ShowT150Page", "TabSheet1", {O, X, X, X, O, X, X, X}, O, "MaskEdit1"},
    {Fill::PKU512T, "ShowPKU512TPage", "TabSheet1", {O, X, X, X, O, X, X, X}, O, "MaskEdit1"},
    {Fill::LMR702, "ShowLMR702Page", "TabSheet2", {O, X, X, X, O, X, X, X}, K, "Edit2"},
    {Fill::LMR70x2680, "ShowLMR70x_2680Page", "TabSheet8", {X, X, O, X, X, X, O, X}, K, "Edit4"},
    {Fill::PKU630XE, "ShowPKU630XEPage", "TabSheet10", {X, X, X, X, X, X, X, X}, K, "StringGrid3"},
    {Fill::PKU618, "ShowPKU618Page", "TabSheet3", {O, X, O, X, O, X, O, X}, K, nullptr},
    {Fill::PKU630, "ShowPKU630Page", "TabSheet4", {X, X, O, X, X, X, O, X}, O, "MaskEdit6"},
    {Fill::G300, "ShowG300Page", "TabSheet5", {X, X, X, O, X, X, X, O}, O, "MaskEdit8"},
    {Fill::G300DS1995, "ShowG300DS1995Page", "TabSheet6", {X, X, X, K, X, X, X, K}, O, "MaskEdit11"},
    {Fill::PKU512S, "ShowPKU512SPage", "TabSheet7", {O, X, O, X, X, X, O, X}, O, "MaskEdit14"},
}};

constexpr std::array<Fill, DeviceTypeCount> FillOfType{
    Fill::T150,       // 0 T150_QS150_KAVRO-R150
    Fill::T150,       // 1 PKU-511
    Fill::LMR702,     // 2 LMR 700_701_702
    Fill::PKU618,     // 3 PKU-618
    Fill::PKU630,     // 4 PKU-630
    Fill::G300,       // 5 G300 (DS1996 variant)
    Fill::PKU512S,    // 6 PKU-512S
    Fill::LMR70x2680, // 7 LMR 70x-2680
    Fill::T150,       // 8 QS151
    Fill::PKU512T,    // 9 PKU-512T_PKU512T-80
    Fill::PKU630XE,   // 10 PKU-630XE
};

constexpr bool RulesInEnumOrder()
{
    for (std::size_t i = 0; i < FillRules.size(); ++i)
        if (static_cast<std::size_t>(FillRules[i].fill) != i) return false;
    return true;
}
static_assert(RulesInEnumOrder());

} // namespace

const FillRule& FillRuleOf(Fill fill) { return FillRules.at(static_cast<std::size_t>(fill)); }

Fill FillOf(TDeviceType type, bool smallIButton)
{
    if (type == DeviceTypes::G300 && smallIButton) return Fill::G300DS1995;
    return FillOfType.at(static_cast<std::size_t>(type));
}
