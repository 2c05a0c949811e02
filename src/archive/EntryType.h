#pragma once
// The controller type an archive entry names by its list text.

#include "archive/ChipArchive.h"
#include "model/TypeCatalogue.h"

#include <optional>

// The type whose list text the entry holds, letter case ignored; none for an entry without one.
std::optional<TDeviceType> TypeOfEntry(const ArchiveEntry& entry);
