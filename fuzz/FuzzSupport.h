#pragma once
// What the fuzz targets share: a check that stops the run.

#include <cstdlib>

// A broken promise of the code under test: libFuzzer keeps the input that led here.
inline void Require(bool holds)
{
    if (!holds) std::abort();
}
