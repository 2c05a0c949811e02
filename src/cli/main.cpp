// kavro-cli: data files, chip images and conversion from a shell, on the same core as the window.

#include "model/TypeCatalogue.h"

#include <QCoreApplication>
#include <QTextStream>

namespace {

const char* Usage = R"(Usage:
  kavro-cli types
  kavro-cli --help
)";

int ListTypes()
{
    QTextStream out(stdout);
    for (TDeviceType type = 0; type < DeviceTypeCount; ++type) out << type << '\t' << TypeText(type) << '\n';
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.isEmpty() || args.first() == QLatin1String("--help") || args.first() == QLatin1String("-h")) {
        QTextStream(stdout) << Usage;
        return args.isEmpty() ? 1 : 0;
    }
    if (args.first() == QLatin1String("types")) return ListTypes();
    QTextStream(stderr) << "kavro-cli: unknown command '" << args.first() << "'\n" << Usage;
    return 1;
}
