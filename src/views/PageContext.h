#pragma once
// What a page reads and writes besides its own widgets: the one record, the language of the
// moment, the current controller type, the modified flag and the key capture targets.

#include "model/IntercomData.h"
#include "model/Language.h"
#include "model/TableSpecs.h"
#include "model/TypeCatalogue.h"

#include <functional>

struct PageContext {
    IntercomStore& store;
    std::function<Language()> language;
    std::function<std::optional<TDeviceType>()> currentType;
    std::function<void()> markModified;
    InputTargets& inputTargets; // which control of a page family receives captured keys
};
