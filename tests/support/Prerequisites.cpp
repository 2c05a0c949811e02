#include "support/Prerequisites.h"

#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>

void SkipUnlessProgramsFound(const QStringList& programs)
{
    QStringList missing;
    for (const QString& program : programs)
        if (QStandardPaths::findExecutable(program).isEmpty()) missing << program;
    if (missing.isEmpty()) return;
    std::fprintf(stderr, "SKIP: %s not found (./dev test installs them)\n",
                 qPrintable(missing.join(QStringLiteral(", "))));
    std::exit(SkipReturnCode);
}
