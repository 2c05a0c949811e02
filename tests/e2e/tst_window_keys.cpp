// The real kavro program on a virtual X display with kavro-sim as its programmer, driven by real
// X keystrokes and clicks (xdotool) as a technician's keyboard and mouse deliver them: the reader
// runs, a key is typed into the apartment table and another touched to the reader, a code and a
// password are typed, the document is saved through the save dialog, and the file holds exactly
// what was entered.

#include "LinkFakes.h"
#include "SimProcess.h"
#include "VirtualDisplay.h"
#include "app/WindowSession.h"
#include "support/TestFiles.h"
#include "views/StringGrid.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

class WindowKeysTest : public QObject {
    Q_OBJECT
private slots:
    void keysCodesAndAPasswordTypedUnderXAreSavedByteForByte()
    {
        // Where the controls sit: the same window laid out here, as it is on the display.
        WindowSession layout;
        layout.NewDocument(0);
        QVERIFY(QTest::qWaitForWindowActive(layout.form.get())); // laid out as a shown window is
        const auto at = [&](QWidget* widget, QPoint point) { return PointInWindow(layout.form.get(), widget, point); };
        auto* grid = layout.Find<StringGrid>("SGrid1");
        const auto cell = [&](int column, int row) {
            return at(grid->viewport(), grid->visualItemRect(grid->item(row, column)).center());
        };
        auto* reader = layout.Find("ToolButton5");
        auto* password = layout.Find("MaskEdit2");
        auto* exit = layout.Find("ToolButton10");

        VirtualDisplay display;
        QVERIFY(display.start());
        WorkingDirectory dir;
        SimProcess sim;
        const QString link = dir.file("programmer");
        QVERIFY(sim.start({"--link", link}));
        QProcess kavro;
        QProcessEnvironment environment = display.environment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.file("config"));
        kavro.setProcessEnvironment(environment);
        kavro.setWorkingDirectory(dir.path());
        kavro.setProcessChannelMode(QProcess::ForwardedChannels);
        kavro.start(QStringLiteral(KAVRO_PATH), {"--port", link});
        QVERIFY(kavro.waitForStarted(5000));
        const DisplayedWindow window = DisplayedWindow::Find(display);
        QVERIFY(window.found());
        const auto click = [&](const QStringList& point) { window.click(point); };
        const auto keys = [&](const QStringList& names) { window.keys(names); };
        const auto type = [&](const QString& text) { window.type(text); };

        keys({"ctrl+n"}); // a new T150 document
        click(at(reader, reader->rect().center()));
        click(cell(2, 1));
        type("1a2b3c"); // slot 0; the cursor moves on to slot 1
        sim.command("key 0A0B0C"); // touched to the reader: slot 1
        Settle();
        click(cell(1, 3));
        type("0457"); // code 2
        click(at(password, password->rect().center()));
        keys({"Home"});
        type("1234");
        keys({"Return"});

        keys({"ctrl+s"});
        const QString saved = dir.file("typed.kvr");
        keys({"ctrl+a"});
        type(saved);
        keys({"Return"});
        QElapsedTimer waited;
        waited.start();
        while (QFileInfo(saved).size() < 12324 && waited.elapsed() < 10000) QThread::msleep(100);
        // Exit, as the user ends the program: nothing is left unsaved, so nothing is asked, and
        // under the sanitizer build the leak check runs as the program ends.
        click(at(exit, exit->rect().center()));
        QVERIFY(kavro.waitForFinished(15000));
        QCOMPARE(kavro.exitStatus(), QProcess::NormalExit);
        QCOMPARE(kavro.exitCode(), 0);

        TIntercomData& expected = layout.Record();
        expected.KeySlots[0].bytes = {0x3C, 0x2B, 0x1A, 0xFF};
        expected.KeySlots[1].bytes = {0x0A, 0x0B, 0x0C, 0xFF};
        expected.KeyCounter += 2;
        expected.Codes[2] = 0x0457;
        expected.CodeCounter += 1;
        expected.SystemPassword = 0x1234;
        const QByteArray file = ReadAll(saved);
        const QByteArray want = DataFileBytes(expected);
        QCOMPARE(file.size(), want.size());
        for (qsizetype offset = 0; offset < want.size(); ++offset)
            QVERIFY2(file[offset] == want[offset], qPrintable(QStringLiteral("offset %1: %2, expected %3")
                                                                  .arg(offset)
                                                                  .arg(quint8(file[offset]), 2, 16, QLatin1Char('0'))
                                                                  .arg(quint8(want[offset]), 2, 16, QLatin1Char('0'))));
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
