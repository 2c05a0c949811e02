#pragma once
// The question before a write: what it will change on the chip.

#include "documents/WritePreview.h"

class Prompts;

// Says what the write will change on the `chip` and asks whether to write; true writes.
bool AskToWrite(Prompts& prompts, const WritePreview& preview, const QString& chip, const QString& type,
                Language language);
