#pragma once
// Whether a key handler sees a key being pressed or released.

enum class KeyPhase { Press, Release };
