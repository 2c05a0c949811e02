#include "programmer/ChipGeometry.h"

#include <QStringList>

static_assert([] {
    for (const ProgrammerChip& chip : Chips)
        if (chip.write.exists() && chip.write.imageSize() != chip.read.imageSize()) return false;
    return true;
}(), "a chip's write geometry covers exactly its read image");

const ProgrammerChip* FindChip(QStringView name)
{
    for (const ProgrammerChip& chip : Chips)
        if (name.compare(QLatin1String(chip.name), Qt::CaseInsensitive) == 0) return &chip;
    return nullptr;
}

QString ChipNames()
{
    QStringList names;
    for (const ProgrammerChip& chip : Chips) names << QLatin1String(chip.name);
    return names.join(QStringLiteral(", "));
}
