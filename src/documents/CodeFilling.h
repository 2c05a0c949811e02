#pragma once
// Filling individual codes: every apartment of the page's apartment table gets a new random
// four-digit code that never starts or ends with the digit 0.

#include "model/IntercomData.h"
#include "model/TableSpecs.h"
#include "model/ControllerTypes.h"

#include <cstdint>
#include <random>

// The table whose code column the command fills on the page of `type`; nullptr without a type
// and for the pages without individual codes.
const TableSpec* CodeTableOf(std::optional<TDeviceType> type, bool ds1995);

// The draws: the minimal standard generator of Park and Miller (uniform over 1 to 2^31 - 2, a
// 31-bit non-negative number), seeded with the time in seconds or a given seed.
using CodeGenerator = std::minstd_rand0;

// One code as the cell shows it: a draw modulo 10000, drawn again while its last digit would be
// 0, moved up by 6000 when below 1000; the four decimal digits packed one per nibble.
std::uint16_t DrawCode(CodeGenerator& generator);

// Fills every code of `table`'s code rows, in ascending order; returns how many were written.
int FillCodes(IntercomStore& store, const TableSpec& table, CodeGenerator& generator);
