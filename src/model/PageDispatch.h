#pragma once
// The fills of the pages: what each fill leaves enabled among the chip commands and where it puts
// the input focus. Which fill shows a type is the type's row in model/ControllerTypes.

#include "model/TypeCatalogue.h"

#include <array>
#include <cstdint>

enum class Fill { T150, PKU512T, LMR702, LMR70x2680, PKU630XE, PKU618, PKU630, G300, G300DS1995, PKU512S };
inline constexpr int FillCount = 10;
static_assert(static_cast<int>(Fill::PKU512S) + 1 == FillCount);

// A command state after a fill: on, off, or left as it was.
enum class After : std::int8_t { Off = 0, On = 1, Keep = -1 };

// The chip items a fill sets, in the order of FillRule::chipItems.
inline constexpr std::array<ChipItemId, 8> FillChipItems{
    ChipItemId::Read24C16,  ChipItemId::Read24C32,  ChipItemId::Read24C64,  ChipItemId::ReadDS1996,
    ChipItemId::Write24C16, ChipItemId::Write24C32, ChipItemId::Write24C64, ChipItemId::WriteDS1996,
};

struct FillRule {
    Fill fill;
    const char* name; // the fill routine, as messages and benchmarks name it
    const char* page; // object name of the page it fills
    std::array<After, 8> chipItems;
    After fillCodes;   // "fill individual codes" item N5
    const char* focus; // object name of the control that gets the input focus; nullptr: none
};

const FillRule& FillRuleOf(Fill fill);
