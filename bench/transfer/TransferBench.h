#pragma once
// What the transfer benchmarks share: the line's own limit for a transfer, and prompts that let
// every transfer go on (the insert-chip question is answered OK; a message is printed).

#include "model/Prompts.h"
#include "programmer/Chips.h"
#include "programmer/ChipTransfer.h"
#include "support/FixedAnswerPrompts.h"

// 256000 baud, a start bit, eight data bits and two stop bits.
constexpr double SecondsPerByte = 11.0 / 256000.0;

// Every block's request packet and its 128 bytes on the wire.
inline double ReadLimit(const ChipGeometry& g) { return g.blockCount * (PacketOverhead + BlockSize) * SecondsPerByte; }

// Every chunk's packet and acknowledgement on the wire, and the pause after each chunk.
inline double WriteLimit(const ChipGeometry& g)
{
    const int chunks = g.blockCount * g.chunksPerPage;
    return chunks * ((g.chunkSize + PacketOverhead + 1) * SecondsPerByte + PauseAfterChunkMs / 1000.0);
}

// Every transfer goes on: the insert-chip question is answered OK, a save-first question No, and
// a message is printed.
struct AcceptingPrompts : FixedAnswerPrompts {
    AcceptingPrompts() : FixedAnswerPrompts(PromptAnswer::Ok, PromptAnswer::No) { printMessages = true; }
};
