// The chip archive in SQLite: adding one entry, and listing 10,000 entries as the archive window
// will show them. Prints the figures against their targets; asserts nothing.

#include "archive/ChipArchive.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <vector>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    ChipArchive archive(ParseArchiveLocation(folder.filePath("archive.sqlite")));
    constexpr int Entries = 10000;
    std::vector<double> addMs;
    QByteArray image(8192, '\0');
    for (int i = 0; i < Entries; ++i) {
        // A new image every tenth entry, as a technician reads some chips more than once.
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
            return 1;
        }
        addMs.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(addMs.begin(), addMs.end());
    QElapsedTimer timer;
    timer.start();
    const auto listed = archive.List();
    const double listMs = timer.nsecsElapsed() / 1e6;
    QTextStream out(stdout);
    out << "archive: adding an entry (SQLite, 8 KiB image): median " << addMs[addMs.size() / 2] << " ms, 95th percentile "
        << addMs[addMs.size() * 95 / 100] << " ms (target <= 5 ms)\n";
    out << "archive: listing " << (listed ? listed->size() : 0) << " entries: " << listMs << " ms (target <= 200 ms)\n";
    return 0;
}
