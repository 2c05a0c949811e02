// The real kavro program on a virtual X display with kavro-sim as its programmer, driven by real
// X keystrokes and clicks (xdotool) as a technician's keyboard and mouse deliver them: the reader
// runs, a key is typed into the apartment table and another touched to the reader, a code and a
// password are typed, the document is saved through the save dialog, and the file holds exactly
// what was entered.

#include "LinkFakes.h"
#include "SimProcess.h"
#include "app/WindowSession.h"
#include "support/TestFiles.h"
#include "views/StringGrid.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QThread>

namespace {

// A virtual X display for as long as the object lives.
class VirtualDisplay {
public:
    bool start()
    {
        // The shell reports the display it was given and then waits for its input to close.
        server_.start(QStringLiteral("xvfb-run"),
                      {"-a", "-s", "-screen 0 1280x1024x24", "sh", "-c", "echo \"$DISPLAY $XAUTHORITY\"; exec cat"});
        if (!server_.waitForStarted(5000)) return false;
        while (!server_.canReadLine() && server_.waitForReadyRead(10000)) {}
        const QStringList parts = QString::fromLocal8Bit(server_.readLine()).trimmed().split(QLatin1Char(' '));
        if (parts.size() != 2) return false;
        environment_ = QProcessEnvironment::systemEnvironment();
        environment_.insert(QStringLiteral("DISPLAY"), parts[0]);
        environment_.insert(QStringLiteral("XAUTHORITY"), parts[1]);
        environment_.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        environment_.insert(QStringLiteral("QT_QPA_PLATFORMTHEME"), QString()); // Qt's own file dialog
        return true;
    }
    ~VirtualDisplay()
    {
        server_.closeWriteChannel();
        if (!server_.waitForFinished(5000)) server_.kill();
    }
    const QProcessEnvironment& environment() const { return environment_; }

    // Runs xdotool on the display; its output, trimmed.
    QString xdotool(const QStringList& arguments) const
    {
        QProcess tool;
        tool.setProcessEnvironment(environment_);
        tool.start(QStringLiteral("xdotool"), arguments);
        tool.waitForFinished(15000);
        return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
    }

private:
    QProcess server_;
    QProcessEnvironment environment_;
};

void Settle() { QThread::msleep(300); }

} // namespace

class WindowKeysTest : public QObject {
    Q_OBJECT
private slots:
    void keysCodesAndAPasswordTypedUnderXAreSavedByteForByte()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("xvfb-run")).isEmpty()
            || QStandardPaths::findExecutable(QStringLiteral("xdotool")).isEmpty())
            QSKIP("xvfb-run and xdotool are needed (./dev test installs them)");

        // Where the controls sit: the same window laid out here, as it is on the display.
        WindowSession layout;
        layout.NewDocument(0);
        QVERIFY(QTest::qWaitForWindowActive(layout.form.get())); // laid out as a shown window is
        const auto at = [&](QWidget* widget, QPoint point) {
            const QPoint inWindow = widget->mapTo(layout.form.get(), point);
            return QStringList{QString::number(inWindow.x()), QString::number(inWindow.y())};
        };
        auto* grid = layout.Find<StringGrid>("SGrid1");
        const auto cell = [&](int column, int row) {
            return at(grid->viewport(), grid->visualItemRect(grid->item(row, column)).center());
        };
        auto* reader = layout.Find("ToolButton5");
        auto* password = layout.Find("MaskEdit2");

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
        const QString window = display.xdotool({"search", "--sync", "--onlyvisible", "--class", "kavro"}).section('\n', 0, 0);
        QVERIFY(!window.isEmpty());
        display.xdotool({"windowfocus", "--sync", window});
        const auto click = [&](const QStringList& point) {
            // The pointer rests on the control before the button goes down, as a hand moves it.
            display.xdotool(QStringList{"mousemove", "--window", window} + point);
            Settle();
            display.xdotool({"click", "1"});
            Settle();
        };
        const auto keys = [&](const QStringList& names) {
            display.xdotool(QStringList{"key", "--delay", "60"} + names);
            Settle();
        };
        const auto type = [&](const QString& text) {
            display.xdotool({"type", "--delay", "60", text});
            Settle();
        };

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
        kavro.terminate();
        kavro.waitForFinished(5000);

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

QTEST_MAIN(WindowKeysTest)
#include "tst_window_keys.moc"
