// kavro-cli: data files, chip images, conversion and the programmer's chip operations from a
// shell, on the same core as the window.

#include "cli/CliCommand.h"
#include "model/FileIO.h"

#include <QCoreApplication>
#include <QTextStream>

#include <array>
#include <csignal>

namespace {

// Every command of kavro-cli, in the order the usage lists them.
std::array<std::span<const CliCommand>, 7> CommandGroups()
{
    return {DataCommands(),   DiffCommands(), FindCommands(),   KeysCommands(),
            ReportCommands(), ChipCommands(), ArchiveCommands()};
}

void PrintUsage(QTextStream& out)
{
    out << "Usage:\n";
    for (const auto commands : CommandGroups())
        for (const CliCommand& command : commands) out << "  kavro-cli " << command.usage << '\n';
    out << "  kavro-cli --help\n";
}

const CliCommand* FindCommand(const QString& name)
{
    for (const auto commands : CommandGroups())
        for (const CliCommand& command : commands)
            if (name == QLatin1String(command.name)) return &command;
    return nullptr;
}

// Interrupted while an output file is written, the program removes the unfinished temporary file
// and ends as the signal would have ended it: the previous output stays as it was.
extern "C" void EndOnSignal(int signal)
{
    RemoveUnfinishedTemporary();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("kavro"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KAVRO_VERSION));
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        if (std::signal(signal, EndOnSignal) == SIG_IGN) std::signal(signal, SIG_IGN); // ignored stays ignored
    QStringList args = ArgumentsAsGiven(argc, argv).mid(1);
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.isEmpty()) {
        PrintUsage(err);
        return ExitBadArguments;
    }
    const QString name = args.takeFirst();
    if (name == QLatin1String("--help") || name == QLatin1String("-h") || name == QLatin1String("help")) {
        PrintUsage(out);
        return ExitDone;
    }
    if (name == QLatin1String("--version")) {
        out << "kavro-cli " << KAVRO_VERSION << '\n';
        return ExitDone;
    }
    const CliCommand* command = FindCommand(name);
    if (!command) {
        err << "kavro-cli: unknown command '" << name << "'\n";
        PrintUsage(err);
        return ExitBadArguments;
    }
    return command->run(args);
}
