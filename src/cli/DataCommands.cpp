#include "cli/CliCommand.h"

#include "model/TypeCatalogue.h"

#include <QTextStream>

#include <array>

namespace {

int RunTypes(const QStringList&)
{
    QTextStream out(stdout);
    for (TDeviceType type = 0; type < DeviceTypeCount; ++type) out << type << '\t' << TypeText(type) << '\n';
    return ExitDone;
}

constexpr std::array<CliCommand, 1> Commands{{
    {"types", "types", RunTypes},
}};

} // namespace

std::span<const CliCommand> DataCommands() { return Commands; }
