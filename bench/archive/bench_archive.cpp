// The chip archive in SQLite: adding one entry, and listing 10,000 entries as the archive window
// will show them, whole and searched by a note. Prints the figures against their targets; asserts
// nothing.

#include "ArchiveFill.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace {

struct Listing {
    double firstMs = 0;  // the window's own listing when it opens
    double medianMs = 0; // of five
    qsizetype count = 0;
};

Listing TimeListing(const std::function<std::optional<QList<ArchiveEntry>>()>& list)
{
    std::vector<double> runs;
    qsizetype count = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const auto listed = list();
        runs.push_back(timer.nsecsElapsed() / 1e6);
        count = listed ? listed->size() : 0;
    }
    const double first = runs.front();
    std::sort(runs.begin(), runs.end());
    return {first, runs[runs.size() / 2], count};
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QTemporaryDir folder;
    ChipArchive archive(ParseArchiveLocation(folder.filePath("archive.sqlite")));
    constexpr int Entries = 10000;
    std::vector<double> addMs;
    if (!FillArchive(archive, Entries, addMs)) return 1;
    std::sort(addMs.begin(), addMs.end());
    const Listing whole = TimeListing([&] { return archive.List(); });
    // Letter case differs from the stored notes: the search folds Cyrillic too.
    const Listing searched = TimeListing([&] { return archive.List({QStringLiteral("ЛЕСНАЯ, 12"), {}}); });
    QTextStream out(stdout);
    out << "archive: adding an entry (SQLite, 8 KiB image): median " << addMs[addMs.size() / 2]
        << " ms, 95th percentile " << addMs[addMs.size() * 95 / 100] << " ms (target <= 5 ms)\n";
    out << "archive: listing " << whole.count << " entries: first " << whole.firstMs << " ms, median of 5 "
        << whole.medianMs << " ms (target <= 200 ms)\n";
    out << "archive: searching " << Entries << " entries by note (" << searched.count << " found): first "
        << searched.firstMs << " ms, median of 5 " << searched.medianMs << " ms\n";
    return 0;
}
