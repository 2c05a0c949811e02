#include "model/PageDispatch.h"

#include "model/IdTable.h"

namespace {

constexpr After O = After::On;
constexpr After X = After::Off;
constexpr After K = After::Keep;

constexpr std::array<FillRule, FillCount> FillRules{{
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

static_assert(RowsInIdOrder(FillRules, &FillRule::fill), "one rule per fill, in the order of Fill");

} // namespace

const FillRule& FillRuleOf(Fill fill) { return RowOf(FillRules, fill); }
