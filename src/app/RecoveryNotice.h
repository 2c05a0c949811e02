#pragma once
// At start-up the user learns where an earlier run left unsaved work: the recovery files that an
// unexpected error, a signal or the session's end wrote and that no start has mentioned yet.

#include "model/Language.h"

class Prompts;

// Shows one message naming every recovery file in `folder` not announced before, then remembers
// them as announced. Nothing is shown when there is none.
void AnnounceRecoveryFiles(Prompts& prompts, Language language, const QString& folder);
