#pragma once
// A kavro-cli command: its name, its usage line and the routine that runs it.

#include <QStringList>

#include <span>

// Exit status of kavro-cli.
enum ExitStatus : int {
    ExitDone = 0,
    ExitBadArguments = 1,  // unknown type or chip, a pairing with no codec, a bad option
    ExitInputRefused = 2,  // unreadable or too short file, damaged data rejected
    ExitDeviceFailure = 3, // no programmer, port busy, no answer, incompatible firmware
    ExitChipDiffers = 4,   // verify found the chip different from the dump; diff found differences;
                           // keys import refused some lines
    ExitKeyNotFound = 4,   // find found the key nowhere in the record
};

struct CliCommand {
    const char* name;
    const char* usage;                   // the synopsis line(s), without "kavro-cli "
    int (*run)(const QStringList& args); // args after the command name
};

// Data files, chip images and conversion.
std::span<const CliCommand> DataCommands();
// Differences between two data files or chip dumps.
std::span<const CliCommand> DiffCommands();
// The keys of a page to and from a CSV.
std::span<const CliCommand> KeysCommands();
// Where a key is kept in a data file.
std::span<const CliCommand> FindCommands();
// The programmer's chip operations.
std::span<const CliCommand> ChipCommands();
// The report and the filling of individual codes.
std::span<const CliCommand> ReportCommands();
// The chip archive and the journal of chip operations.
std::span<const CliCommand> ArchiveCommands();
