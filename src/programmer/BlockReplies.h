#pragma once
// The replies of a whole-chip transfer, one per block request: each is taken whole or the
// transfer stops with a message that says which block failed and how.

#include "model/Language.h"
#include "programmer/ProgrammerLink.h"

#include <cstdint>

enum class TransferDirection { Read, Write };

// Where a block request points: the block of a read or the page of a write, and the chip
// address of its first byte.
struct BlockPlace {
    TransferDirection direction;
    int number;
    int address;
};

// "Block 5 (address 0x0280): the reply broke off after 64 of 128 bytes." in the given language.
QString BlockReplyFault(BlockReply reply, BlockPlace place, std::uint32_t received, std::uint32_t expected,
                        Language language);

// Reads the reply to the block request just sent. True when it came whole; otherwise the
// transfer's connection message, with the fault on a second line, has been shown.
bool TakeBlockReply(ProgrammerLink& link, std::uint32_t expected, BlockPlace place, Language language);
