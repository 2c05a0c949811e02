// Opening File > Archive... on an SQLite archive of 10,000 entries: from the click to the dialog
// painted with its list, newest first. Prints the figure against its target; asserts nothing.

#include "ArchiveFill.h"
#include "app/ArchiveDialog.h"
#include "app/QtPrompts.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <memory>
#include <vector>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    ChipArchive archive(ParseArchiveLocation(folder.filePath("archive.sqlite")));
    constexpr int Entries = 10000;
    std::vector<double> addMs;
    if (!FillArchive(archive, Entries, addMs)) return 1;
    QtPrompts prompts;
    auto document = std::make_unique<IntercomStore>();
    QWidget pages;
    std::vector<double> runs;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        auto* dialog = new ArchiveDialog(ArchiveDialogHost{archive, prompts, Language::Russian, *document, pages,
                                                           [] { return TDeviceType(0); },
                                                           [](const ArchiveEntry&, const QByteArray&) { return false; },
                                                           [](const ArchiveEntry&, const QByteArray&) {}});
        dialog->show();
        QApplication::processEvents();
        runs.push_back(timer.nsecsElapsed() / 1e6);
        delete dialog;
    }
    const double first = runs.front();
    std::sort(runs.begin(), runs.end());
    QTextStream(stdout) << "archive window: opening it on " << Entries << " entries, painted: first " << first
                        << " ms, median of 5 " << runs[runs.size() / 2] << " ms (target <= 200 ms)\n";
    return 0;
}
