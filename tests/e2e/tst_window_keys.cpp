// The real kavro program on a virtual X display with kavro-sim as its programmer, driven by real
// X keystrokes and clicks (xdotool) as a technician's keyboard and mouse deliver them: the reader
// runs, a key is typed into the apartment table and another touched to the reader, a code and a
// password are typed, the document is saved through the save dialog, and the file holds exactly
// what was entered; an entry left unfinished in one file and a wheel notch over the type list
// leave the next file as it was.

#include "LinkFakes.h"
#include "SimProcess.h"
#include "VirtualDisplay.h"
#include "app/WindowSession.h"
#include "support/TestFiles.h"
#include "views/StringGrid.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <optional>

namespace {

// The real program on the display with kavro-sim behind it, and the hand that drives it.
class DrivenWindow {
public:
    DrivenWindow(VirtualDisplay& display, const WorkingDirectory& dir) : display_(display), dir_(dir) {}
    // SIGTERM ends kavro through its own handler, as Exit does, so the sanitizer's leak check runs.
    ~DrivenWindow()
    {
        kavro_.terminate();
        kavro_.waitForFinished(5000);
    }

    bool start(const QStringList& files = {})
    {
        const QString link = dir_.file("programmer");
        if (!sim_.start({"--link", link})) return false;
        QProcessEnvironment environment = display_.environment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir_.file("config"));
        // Recovery files and the archive of this run only: what an earlier run left is never
        // announced over the keystrokes.
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dir_.file("data"));
        kavro_.setProcessEnvironment(environment);
        kavro_.setWorkingDirectory(dir_.path());
        kavro_.setProcessChannelMode(QProcess::ForwardedChannels);
        kavro_.start(QStringLiteral(KAVRO_PATH), QStringList{"--port", link} + files);
        if (!kavro_.waitForStarted(5000)) return false;
        window_.emplace(DisplayedWindow::Find(display_));
        if (!window_->found()) return false;
        Settle();
        return true;
    }
    void click(const QStringList& point, const QString& button = QStringLiteral("1")) { window_->click(point, button); }
    void keys(const QStringList& names) { window_->keys(names); }
    void type(const QString& text) { window_->type(text); }
    // Save of a new document: the file is named in the save dialog; returns once it is written.
    void saveAs(const QString& path)
    {
        keys({"ctrl+s"});
        keys({"ctrl+a"});
        type(path);
        keys({"Return"});
        QElapsedTimer waited;
        waited.start();
        while (QFileInfo(path).size() < 12324 && waited.elapsed() < 10000) QThread::msleep(100);
    }
    // Save of a document that has its file: true once the file is written again.
    bool save(const QString& path)
    {
        const QDateTime earlier = QDateTime::currentDateTime().addSecs(-3600);
        QFile file(path);
        if (!file.open(QIODevice::ReadWrite) || !file.setFileTime(earlier, QFileDevice::FileModificationTime))
            return false;
        file.close();
        keys({"ctrl+s"});
        QElapsedTimer waited;
        waited.start();
        while (QFileInfo(path).lastModified() <= earlier && waited.elapsed() < 10000) QThread::msleep(100);
        return QFileInfo(path).lastModified() > earlier;
    }
    QString title() const { return window_->title(); }
    SimProcess& sim() { return sim_; }

private:
    VirtualDisplay& display_;
    const WorkingDirectory& dir_;
    SimProcess sim_;
    QProcess kavro_;
    std::optional<DisplayedWindow> window_;
};

// Where a control of the laid-out window sits, in window coordinates.
QStringList PointIn(const WindowSession& layout, QWidget* widget, QPoint point)
{
    return PointInWindow(layout.form.get(), widget, point);
}
QStringList CentreOf(const WindowSession& layout, QWidget* widget)
{
    return PointIn(layout, widget, widget->rect().center());
}
QStringList CellOf(const WindowSession& layout, StringGrid* grid, int column, int row)
{
    return PointIn(layout, grid->viewport(), grid->visualItemRect(grid->item(row, column)).center());
}

// The first byte where `file` differs from `want`, as "offset N: xx, expected yy"; empty when equal.
QString FirstDifference(const QByteArray& file, const QByteArray& want)
{
    if (file.size() != want.size()) return QStringLiteral("size %1, expected %2").arg(file.size()).arg(want.size());
    for (qsizetype offset = 0; offset < want.size(); ++offset)
        if (file[offset] != want[offset])
            return QStringLiteral("offset %1: %2, expected %3")
                .arg(offset)
                .arg(quint8(file[offset]), 2, 16, QLatin1Char('0'))
                .arg(quint8(want[offset]), 2, 16, QLatin1Char('0'));
    return {};
}

} // namespace

class WindowKeysTest : public QObject {
    Q_OBJECT
private slots:
    void anEntryLeftUnfinishedAndTheWheelNeverChangeTheNextFile()
    {
        WorkingDirectory dir;
        WindowSession layout;
        QVERIFY(QTest::qWaitForWindowActive(layout.form.get()));
        // A PKU-630 file to begin with and a T150 file to open next, both as New makes them.
        layout.NewDocument(TDeviceType::PKU630);
        const QString from = dir.file("from.kvr");
        WriteAll(from, DataFileBytes(layout.Record()));
        QApplication::processEvents(); // the page just shown is laid out before its field is located
        const QStringList generalCode = CentreOf(layout, layout.Find("MaskEdit4"));
        layout.NewDocument(TDeviceType::T150);
        const QString to = dir.file("to.kvr");
        WriteAll(to, DataFileBytes(layout.Record()));
        QApplication::processEvents();
        const QStringList typeList = CentreOf(layout, layout.Find("CBox2"));
        const QStringList nextGeneralCode = CentreOf(layout, layout.Find("MaskEdit3"));

        VirtualDisplay display;
        QVERIFY(display.start());
        DrivenWindow kavro(display, dir);
        QVERIFY(kavro.start({from}));
        kavro.click(generalCode);
        kavro.keys({"Home"});
        kavro.type("1357"); // no Enter
        kavro.keys({"ctrl+o"});
        kavro.keys({"alt+n"}); // the typing is not saved
        kavro.keys({"ctrl+a"});
        kavro.type(to);
        kavro.keys({"Return"});
        QTRY_VERIFY_WITH_TIMEOUT(kavro.title().endsWith("to.kvr"), 5000);

        kavro.click(typeList, "5"); // one notch of the wheel over the type list
        QVERIFY(kavro.title().endsWith("to.kvr"));

        // The user goes on in the T150 file: a click on its general code takes the focus from
        // where it was left in the PKU-630 page.
        kavro.click(nextGeneralCode);
        QVERIFY(kavro.save(to)); // the opened file is written again, as it is now
        // The T150 file exactly as it was written: its general code is not the digits typed into
        // the PKU-630 field.
        const TIntercomData& expected = layout.Record();
        QCOMPARE(FirstDifference(ReadAll(to), DataFileBytes(expected)), QString());
    }

    void keysCodesAndAPasswordTypedUnderXAreSavedByteForByte()
    {
        // Where the controls sit: the same window laid out here, as it is on the display.
        WindowSession layout;
        layout.NewDocument(TDeviceType::T150);
        QVERIFY(QTest::qWaitForWindowActive(layout.form.get())); // laid out as a shown window is
        auto* grid = layout.Find<StringGrid>("SGrid1");
        const auto cell = [&](int column, int row) { return CellOf(layout, grid, column, row); };

        VirtualDisplay display;
        QVERIFY(display.start());
        WorkingDirectory dir;
        DrivenWindow kavro(display, dir);
        QVERIFY(kavro.start());
        kavro.keys({"ctrl+n"}); // a new T150 document
        kavro.click(CentreOf(layout, layout.Find("ToolButton5")));
        kavro.click(cell(2, 1));
        kavro.type("1a2b3c");              // slot 0; the cursor moves on to slot 1
        kavro.sim().command("key 0A0B0C"); // touched to the reader: slot 1
        Settle();
        kavro.click(cell(1, 3));
        kavro.type("0457"); // code 2
        kavro.click(cell(1, 6));
        kavro.type("9999"); // code 5, taken back by Ctrl+Z: the file holds none of it
        Settle();
        kavro.keys({"ctrl+z"});
        Settle();
        kavro.click(CentreOf(layout, layout.Find("MaskEdit2")));
        kavro.keys({"Home"});
        kavro.type("1234");
        kavro.keys({"Return"});

        const QString saved = dir.file("typed.kvr");
        kavro.saveAs(saved);

        TIntercomData& expected = layout.Record();
        expected.KeySlots[0].bytes = {0x3C, 0x2B, 0x1A, 0xFF};
        expected.KeySlots[1].bytes = {0x0A, 0x0B, 0x0C, 0xFF};
        expected.KeyCounter += 2;
        expected.Codes[2] = 0x0457;
        expected.CodeCounter += 1;
        expected.SystemPassword = 0x1234;
        QCOMPARE(FirstDifference(ReadAll(saved), DataFileBytes(expected)), QString());
    }

    void altChordsInAKeyCellAreNeverKeyInputAndF10ReachesTheMenus()
    {
        WindowSession layout;
        layout.NewDocument(TDeviceType::T150);
        QVERIFY(QTest::qWaitForWindowActive(layout.form.get()));
        auto* grid = layout.Find<StringGrid>("SGrid1");
        const auto cell = [&](int column, int row) { return CellOf(layout, grid, column, row); };

        VirtualDisplay display;
        QVERIFY(display.start());
        WorkingDirectory dir;
        DrivenWindow kavro(display, dir);
        QVERIFY(kavro.start());
        kavro.keys({"F10", "Down", "Return"}); // File > New: a new T150 document
        kavro.click(CentreOf(layout, layout.Find("ToolButton5")));
        // Half-way through a key the File menu opens and closes: the unfinished entry is dropped
        // as on leaving the cell, and the second Escape gives the keyboard back to the cell.
        kavro.click(cell(2, 1));
        kavro.type("1a2");
        const auto openAndLeaveTheFileMenu = [&kavro] {
            for (const char* key : {"alt+f", "Escape", "Escape"}) kavro.keys({key}); // each seen on the screen
        };
        openAndLeaveTheFileMenu();
        kavro.type("1a2b3c"); // slot 0
        kavro.click(cell(2, 1));
        openAndLeaveTheFileMenu(); // the stored key stays
        kavro.click(cell(3, 1));
        kavro.type("0a0");
        kavro.keys({"alt+b"}); // no menu has B: it is neither a digit nor the end of the entry
        kavro.type("b0c");     // slot 1

        const QString saved = dir.file("keys.kvr");
        kavro.saveAs(saved);

        TIntercomData& expected = layout.Record();
        expected.KeySlots[0].bytes = {0x3C, 0x2B, 0x1A, 0xFF};
        expected.KeySlots[1].bytes = {0x0C, 0x0B, 0x0A, 0xFF};
        expected.KeyCounter += 2;
        QCOMPARE(FirstDifference(ReadAll(saved), DataFileBytes(expected)), QString());
    }
};

int main(int argc, char* argv[])
{
    VirtualDisplay::SkipUnlessAvailable();
    QApplication application(argc, argv);
    WindowKeysTest test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_window_keys.moc"
