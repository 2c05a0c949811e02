#pragma once
// The settings the pages show besides keys, codes and fields: the configuration boxes, one bit of
// the configuration byte each with a caption for either state, and the record values the spin
// edits show. The window builds its boxes from these tables; the record difference names a
// setting by the caption its box shows.

#include "model/IntercomData.h"
#include "model/Language.h"

#include <span>

struct ConfigBoxTexts {
    const char* name;
    int bit;
    Bilingual checked;
    Bilingual unchecked;
    Bilingual hint;
    Bilingual checkedAfterClick{nullptr, nullptr}; // ru nullptr: as after a fill
    Bilingual uncheckedAfterClick{nullptr, nullptr};
};

// The boxes of each page, in the order its configuration group shows them.
namespace PageSettings {
std::span<const ConfigBoxTexts> ApartmentConfigBoxes();  // CB2 to CB8
std::span<const ConfigBoxTexts> G300DS1996ConfigBoxes(); // list organisation, beep, codes, general code, priority
std::span<const ConfigBoxTexts> G300DS1995ConfigBoxes();
std::span<const ConfigBoxTexts> PKU512SConfigBoxes();
std::span<const ConfigBoxTexts> PKU618ConfigBoxes();
std::span<const ConfigBoxTexts> PKU630ConfigBoxes(); // never shown, but kept true by fills and clicks
} // namespace PageSettings

bool ConfigBoxChecked(const TIntercomData& record, const ConfigBoxTexts& box);

// The record values the spin edits show and store.
enum class SpinValue { LockTime, Volume, ConciergeNumber, LockTimeWord /* PKU-618, 16 bits */ };
int SpinRecordValue(const TIntercomData& record, SpinValue value);
