#pragma once
// Tests that need programs from outside the build (a virtual X display, xdotool) report
// themselves skipped when those are missing: CTest counts the status below as skipped
// (SKIP_RETURN_CODE), never as passed.

#include <QStringList>

inline constexpr int SkipReturnCode = 77;

// Ends the test program with SkipReturnCode, naming what is missing, unless every program of
// `programs` is on the PATH.
void SkipUnlessProgramsFound(const QStringList& programs);
