// The programmer mode dialog on the real port against the real kavro-sim: a 24C256 dump read from
// the chip and another written into it, each reported as done.

#include "SimProcess.h"
#include "dumps/TForm2.h"
#include "programmer/Clock.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/QtSerialPort.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {
// Real time, but the fixed pauses between chunks are skipped: the simulator does not need them.
class NoPauseClock : public SystemClock {
public:
    void sleepMs(int) override {}
};

// The dialog on the real port in front of kavro-sim, with one chip item chosen.
struct SimDialogRig {
    explicit SimDialogRig(SimProcess& sim) : link(port, prompts, clock), dialog(link, prompts, Language::English)
    {
        link.ProgrammerPresent = true;
        link.ProgrammerPortPath = sim.port();
    }
    void choose(int item)
    {
        dialog.findChild<QGroupBox*>(QStringLiteral("RadioGroup1"))->findChildren<QRadioButton*>()[item]->click();
    }
    void click(const char* button) { dialog.findChild<QPushButton*>(QLatin1String(button))->click(); }

    QtSerialPort port;
    ScriptedPrompts prompts;
    NoPauseClock clock;
    ProgrammerLink link;
    TForm2 dialog;
};
} // namespace

class SimProgrammerModeTest : public QObject {
    Q_OBJECT
private slots:
    void readsAndWritesA24C256DumpThroughTheDialog()
    {
        WorkingDirectory dir;
        SimProcess sim;
        const QByteArray onChip = Pattern(32768, 11);
        sim.prepareChip(QStringLiteral("24C256"), onChip);
        QVERIFY(sim.start());
        SimDialogRig rig(sim);
        ScriptedPrompts& prompts = rig.prompts;
        rig.choose(4);

        prompts.choose(FileDialogChoice{dir.file("read.bin"), 1}).answer(PromptAnswer::Ok);
        rig.click("Button1");
        QCOMPARE(ReadAll(dir.file("read.bin")), onChip);

        const QByteArray dump = Pattern(32768, 12);
        WriteAll(dir.file("write.bin"), dump);
        prompts.choose(FileDialogChoice{dir.file("write.bin"), 1}).answer(PromptAnswer::Ok);
        rig.click("Button2");
        QCOMPARE(ReadAll(sim.chipFile(QStringLiteral("24C256"))), dump);

        QCOMPARE(prompts.texts(), (QStringList{"Insert chip to read", "Чтение завершено", "Insert chip to wtite",
                                               "Программирование завершено"}));
        QVERIFY(!rig.port.isOpen());
    }

    void aLargerDumpNeverReachesTheChipAndAShorterOneOnlyWithItsErasedRestAccepted()
    {
        WorkingDirectory dir;
        SimProcess sim;
        const QByteArray onChip = Pattern(2048, 13);
        sim.prepareChip(QStringLiteral("24C16"), onChip);
        QVERIFY(sim.start());
        SimDialogRig rig(sim);
        ScriptedPrompts& prompts = rig.prompts;
        rig.choose(0);
        const auto write = [&] { rig.click("Button2"); };

        WriteAll(dir.file("large.bin"), Pattern(4096, 14));
        prompts.choose(FileDialogChoice{dir.file("large.bin"), 1});
        write();
        WriteAll(dir.file("short.bin"), Pattern(100, 15));
        prompts.choose(FileDialogChoice{dir.file("short.bin"), 1}).answer(PromptAnswer::Cancel);
        write();
        QCOMPARE(ReadAll(sim.chipFile(QStringLiteral("24C16"))), onChip);

        prompts.choose(FileDialogChoice{dir.file("short.bin"), 1}).answer(PromptAnswer::Ok).answer(PromptAnswer::Ok);
        write();
        QCOMPARE(ReadAll(sim.chipFile(QStringLiteral("24C16"))), Pattern(100, 15) + QByteArray(1948, '\xFF'));
        const QStringList texts = prompts.texts();
        QCOMPARE(texts.size(), 6);
        QVERIFY(texts[0].startsWith(
            QStringLiteral("The file %1 holds 4096 bytes, more than the 2048").arg(dir.file("large.bin"))));
        QCOMPARE(texts[1], QStringLiteral("ошибка программирования"));
        QVERIFY(texts[2].contains(QStringLiteral("remaining 1948 bytes will be written as 0xFF")));
        QCOMPARE(texts[3], texts[2]);
        QCOMPARE(texts.mid(4), (QStringList{"Insert chip to wtite", "Программирование завершено"}));
    }
};

QTEST_MAIN(SimProgrammerModeTest)
#include "tst_sim_programmermode.moc"
