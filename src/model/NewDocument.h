#pragma once
// The record of a new document for a controller type.

#include "model/IntercomData.h"
#include "model/TypeCatalogue.h"

inline constexpr std::uint16_t DefaultPassword = 0x8527;
inline constexpr std::uint16_t DefaultGeneralCode = 0x9385;

// Stores the type's name and sets the record to a new, empty document of that type: default
// passwords and general code, empty keys and codes, the type's configuration byte. Fields a new
// document does not name keep their values.
void ApplyNewDocument(IntercomStore& store, TDeviceType type);
