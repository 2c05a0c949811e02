// Prints the median time from the key event that completes a typed key (the release of its
// sixth character) until the key is in the record and the page shows it again: for the tables
// whose store refills their whole page and for the T150 apartment table, over repeated entries
// into empty cells with the touch-memory reader button down.

#include "tools/StandaloneWindow.h"
#include "views/StringGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QToolButton>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {


void Send(QEvent::Type type, int key, const QString& text)
{
    QKeyEvent event(type, key, Qt::NoModifier, text);
    QApplication::sendEvent(QApplication::focusWidget(), &event);
}

int KeyOf(QChar character)
{
    return character.isDigit() ? Qt::Key_0 + character.digitValue() : Qt::Key_A + (character.unicode() - 'A');
}

double MedianEntryMs(TForm1& window, TDeviceType type, const char* table, int column, int row, int entries)
{
    window.SelectTypeSilently(type);
    window.ANewExecute();
    auto* grid = window.findChild<StringGrid*>(QString::fromLatin1(table));
    grid->setFocus();
    grid->SelectCell(column, row);
    std::vector<double> times;
    for (int entry = 0; entry < entries; ++entry) {
        // The key store moves on to the next cell; a refill may have taken the focus to a field.
        grid->setFocus();
        const QString key = QStringLiteral("1%1").arg(entry, 5, 16, QLatin1Char('0')).toUpper();
        for (int i = 0; i < 5; ++i) {
            Send(QEvent::KeyPress, KeyOf(key[i]), key.mid(i, 1));
            Send(QEvent::KeyRelease, KeyOf(key[i]), key.mid(i, 1));
        }
        Send(QEvent::KeyPress, KeyOf(key[5]), key.mid(5, 1));
        QElapsedTimer timer;
        timer.start();
        Send(QEvent::KeyRelease, KeyOf(key[5]), key.mid(5, 1));
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        QApplication::processEvents();
    }
    // An entry that did not reach the record would time nothing.
    if (window.Store().Record.KeyCounter != entries)
        std::printf("%s: only %d of %d keys stored\n", table, window.Store().Record.KeyCounter, entries);
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[])
{
    BenchmarkProgram program(argc, argv);
    TForm1& window = program.window;
    // The button is down, so typed keys are taken; no reader needs to run.
    window.findChild<QToolButton*>(QStringLiteral("ToolButton5"))->setChecked(true);

    constexpr int Entries = 51;
    struct Case {
        const char* label;
        TDeviceType type;
        const char* table;
        int column;
        int row;
    };
    std::printf("typed key stored and shown                 median of %d entries   target\n", Entries);
    for (const Case& entry : {Case{"SGrid4 (PKU-630, ShowPKU630Page)", TDeviceType::PKU630, "SGrid4", 2, 1},
                              Case{"SGrid5 (PKU-618, ShowPKU618Page)", TDeviceType::PKU618, "SGrid5", 1, 1},
                              Case{"SGrid6 (G300, ShowG300Page)", TDeviceType::G300, "SGrid6", 2, 1},
                              Case{"SGrid9 (PKU-512S, ShowPKU512SPage)", TDeviceType::PKU512S, "SGrid9", 2, 1},
                              Case{"SGrid1 (T150, cell restored)", TDeviceType::T150, "SGrid1", 2, 1}})
        std::printf("%-42s %8.2f ms               16 ms\n", entry.label,
                    MedianEntryMs(window, entry.type, entry.table, entry.column, entry.row, Entries));
    return 0;
}
