#pragma once
// Conversion between controller types: the record is re-labelled for the target type, its
// configuration byte reduced to the settings the target knows and some header key slots emptied.

#include "model/IntercomData.h"
#include "model/ControllerTypes.h"

#include <cstdint>
#include <optional>
#include <span>

struct ConversionRule {
    const char* caption; // menu caption, the same in both languages ("to T150")
    const char* action;  // action object name ("toT150")
    TDeviceType target;
    const char* page;           // page object name shown after the conversion
    std::uint8_t configMask;    // ConfigByte := ConfigByte AND configMask
    int firstEmptiedHeaderSlot; // header key slots from here to 27 are emptied; -1 for none
    const char* fill;           // name of the page's fill routine
};

// The conversions in menu order.
std::span<const ConversionRule> Conversions();
// The rule leading to `target`; nullptr for types no conversion leads to (QS151 and PKU-630XE).
const ConversionRule* ConversionTo(TDeviceType target);

// The record's part of a conversion: the configuration byte always changes; when the current
// type is not already the target (for G300: or SmallIButton is set) the target's type name is
// stored and the rule's header key slots are emptied. Returns true when the type changes, i.e.
// the caller selects the target type, clears SmallIButton for G300 and fills the target's page.
bool ApplyConversion(const ConversionRule& rule, TIntercomData& record, std::optional<TDeviceType> currentType,
                     bool smallIButton);
