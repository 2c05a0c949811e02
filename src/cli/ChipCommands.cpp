#include "cli/CliCommand.h"

// The programmer's chip operations join here with the programmer link.
std::span<const CliCommand> ChipCommands() { return {}; }
