#pragma once
// The captions and hints that change at once when the language changes, by control name.

#include "model/Language.h"

#include <span>

enum class CaptionKind { Caption, Hint };

struct CaptionRow {
    const char* control;
    CaptionKind kind;
    Bilingual text;
};

inline constexpr Bilingual WindowCaption{"Программа KAVRO_PX17", "Program KAVRO_PX17"};

std::span<const CaptionRow> CaptionTable();

class QObject;
// Sets the caption or hint of the row's control under `root`; controls that do not exist are skipped.
void ApplyCaptionRow(QObject& root, const CaptionRow& row, Language language);
