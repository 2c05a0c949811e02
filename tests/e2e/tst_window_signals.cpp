// The real kavro program ended by a signal, as a shutdown, a closed terminal or Ctrl+C ends it:
// a code typed into the document goes to a recovery file in the user's data folder before the
// program ends, byte for byte the record the window held; an unchanged document leaves nothing.

#include "VirtualDisplay.h"
#include "app/WindowSession.h"
#include "support/TestFiles.h"
#include "views/StringGrid.h"

#include <QApplication>
#include <QDir>

#include <csignal>

namespace {

// The recovery files in the data folder `home` gives the program.
QStringList RecoveryFiles(const QString& home)
{
    const QDir folder(home + QStringLiteral("/kavro"));
    QStringList paths;
    for (const QString& name : folder.entryList({QStringLiteral("recovery-*.kvr")}, QDir::Files))
        paths << folder.filePath(name);
    return paths;
}

} // namespace

class WindowSignalsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(display_.start()); }

    void aSignalSavesTheTypedCodeInARecoveryFileAndEndsTheProgram_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<bool>("typed");
        QTest::newRow("SIGTERM") << SIGTERM << true;
        QTest::newRow("SIGHUP: the session ends") << SIGHUP << true;
        QTest::newRow("SIGINT") << SIGINT << true;
        QTest::newRow("SIGTERM, nothing changed") << SIGTERM << false;
    }
    void aSignalSavesTheTypedCodeInARecoveryFileAndEndsTheProgram()
    {
        QFETCH(int, signal);
        QFETCH(bool, typed);
        // Where the code cell of code 2 sits: the same window laid out here, as it is on the display.
        WindowSession layout;
        layout.NewDocument(TDeviceType::T150);
        QVERIFY(QTest::qWaitForWindowActive(layout.form.get()));
        auto* grid = layout.Find<StringGrid>("SGrid1");
        const QStringList codeCell =
            PointInWindow(layout.form.get(), grid->viewport(), grid->visualItemRect(grid->item(3, 1)).center());

        WorkingDirectory dir;
        const QString document = dir.file("block7.kvr");
        WriteAll(document, DataFileBytes(layout.Record()));
        const QString dataHome = dir.file("data");
        QProcess kavro;
        QProcessEnvironment environment = display_.environment();
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.file("config"));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome);
        kavro.setProcessEnvironment(environment);
        kavro.setWorkingDirectory(dir.path());
        kavro.setProcessChannelMode(QProcess::ForwardedChannels);
        kavro.start(QStringLiteral(KAVRO_PATH), {document});
        QVERIFY(kavro.waitForStarted(5000));
        const DisplayedWindow window = DisplayedWindow::Find(display_);
        QVERIFY(window.found());
        if (typed) {
            // A code cell takes digits without a reader; the fourth digit stores the code.
            window.click(codeCell);
            window.type(QStringLiteral("0457"));
        }
        Settle();
        ::kill(pid_t(kavro.processId()), signal);
        QVERIFY(kavro.waitForFinished(15000));
        // Ended by the program itself, with the status the shell gives a program the signal ended.
        QCOMPARE(kavro.exitStatus(), QProcess::NormalExit);
        QCOMPARE(kavro.exitCode(), 128 + signal);

        const QStringList recovery = RecoveryFiles(dataHome);
        if (!typed) {
            QCOMPARE(recovery, QStringList());
            return;
        }
        QCOMPARE(recovery.size(), 1);
        TIntercomData& expected = layout.Record();
        expected.Codes[2] = 0x0457;
        expected.CodeCounter += 1;
        QCOMPARE(ReadAll(recovery.first()), DataFileBytes(expected));
    }

private:
    VirtualDisplay display_;
};

int main(int argc, char* argv[])
{
    VirtualDisplay::SkipUnlessAvailable();
    QApplication application(argc, argv);
    WindowSignalsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_window_signals.moc"
