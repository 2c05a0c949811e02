#pragma once
// The controller type an archive entry names by its list text.

#include "archive/ChipArchive.h"
#include "model/TypeCatalogue.h"

// The type whose list text the entry holds, letter case ignored; NoType for an entry without one.
TDeviceType TypeOfEntry(const ArchiveEntry& entry);
