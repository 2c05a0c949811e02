#pragma once
// What a page reads and writes besides its own widgets: the one record, the language of the
// moment, the current controller type, the modified flag and the key capture target.

#include "model/Language.h"
#include "model/IntercomData.h"
#include "model/TypeCatalogue.h"

#include <functional>

struct PageContext {
    IntercomStore& store;
    std::function<Language()> language;
    std::function<TDeviceType()> currentType;
    std::function<void()> markModified;
    int& inputTarget; // which table of the page receives captured keys
};
