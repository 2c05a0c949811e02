#pragma once
// The archive the benchmarks measure: `count` entries of 8 KiB images, a new image every tenth
// entry, as a technician reads some chips more than once; each with a note of its own.

#include "archive/ChipArchive.h"

#include <QElapsedTimer>
#include <QTextStream>

#include <vector>

// Adds the entries, the milliseconds of each Add into `addMs`; false (and said) when one failed.
inline bool FillArchive(ChipArchive& archive, int count, std::vector<double>& addMs)
{
    QByteArray image(8192, '\0');
    for (int i = 0; i < count; ++i) {
        image[0] = char(i / 10);
        image[1] = char(i / 2560);
        ArchiveEntry entry;
        entry.chip = QStringLiteral("24C64");
        entry.type = QStringLiteral("PKU-512S");
        entry.source = ArchiveSource::Read;
        entry.note = QStringLiteral("ул. Лесная, %1").arg(i);
        QElapsedTimer timer;
        timer.start();
        if (!archive.Add(entry, image).ok()) {
            QTextStream(stderr) << archive.lastFailure() << '\n';
            return false;
        }
        addMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    return true;
}
