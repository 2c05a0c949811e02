// The real window with the real serial port and kavro-sim behind a pseudo-terminal: a technician
// reads each controller type's chip, changes it, writes it back, and kavro-cli reads the chip to
// check; keys touched to the simulated reader land in the selected cell.

#include "LinkFakes.h"
#include "MisbehavingProgrammer.h"
#include "SimWindow.h"
#include "SimProcess.h"
#include "app/MainWindow.h"
#include "app/SoundPlayer.h"
#include "codecs/CodecTables.h"
#include "model/NewDocument.h"
#include "programmer/Chips.h"
#include "programmer/DeviceNotices.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/QtSerialPort.h"
#include "support/CliRun.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"
#include "views/ConfigCheckBox.h"
#include "views/PageParts.h"

#include <QAction>
#include <QTest>
#include <QToolButton>

namespace {

const ChipItem& ItemOf(ChipDirection direction, ChipKind kind) { return *ChipItemFor(direction, kind); }

} // namespace

class WindowSimTest : public QObject {
    Q_OBJECT
private slots:
    void everyTypesChipIsReadChangedWrittenAndReadBackTheSame_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<int>("chip");
        using enum ChipKind;
        for (const auto& [type, chip] :
             {std::pair{TDeviceType::T150, C24C16}, std::pair{TDeviceType::PKU511, C24C16},
              std::pair{TDeviceType::LMR702, C24C16}, std::pair{TDeviceType::PKU618, C24C16},
              std::pair{TDeviceType::PKU618, C24C64}, std::pair{TDeviceType::PKU630, C24C64},
              std::pair{TDeviceType::G300, DS1996}, std::pair{TDeviceType::PKU512S, C24C64},
              std::pair{TDeviceType::LMR70x2680, C24C64}, std::pair{TDeviceType::QS151, C24C16},
              std::pair{TDeviceType::PKU512T, C24C16}})
            QTest::newRow(qPrintable(TypeText(type) + " " + ChipName(chip))) << type << int(chip);
    }
    void everyTypesChipIsReadChangedWrittenAndReadBackTheSame()
    {
        QFETCH(TDeviceType, type);
        QFETCH(int, chip);
        const ChipKind kind = ChipKind(chip);
        const ChipItem& read = ItemOf(ChipDirection::Read, kind);
        const ChipItem& write = ItemOf(ChipDirection::Write, kind);
        const Layout& layout = *ReadDecodingFor(kind, type)->layout;

        // The controller's chip: a new document of the type with one key.
        auto controller = std::make_unique<IntercomStore>();
        ResetRecord(*controller);
        ApplyNewDocument(*controller, type);
        controller->Record.KeySlots[1].bytes = {0x11, 0x22, 0x33, 0xFF};
        controller->Record.KeyCounter = 2;
        SimWindow window;
        window.sim.prepareChip(QLatin1String(ProgrammerChipOf(read).name), layout.encode(*controller));
        QVERIFY(window.start(kind == ChipKind::DS1996 ? QStringList{"--ibutton", "DS1996"} : QStringList{}));
        window.form->SelectTypeSilently(type);

        window.prompts.answer(PromptAnswer::Ok);
        window.Trigger(read.action);
        QCOMPARE(window.form->Store().Record.KeySlots[1].bytes[0], 0x11);
        QVERIFY(window.form->Document().DataModified);

        // A key captured into the first key cell (slot 0), and a setting where the page has one.
        // Entering the largest table makes it the receiver of captured keys.
        RecordGrid* table = nullptr;
        for (auto* grid : window.form->findChildren<RecordGrid*>())
            if (grid->isVisible() && (!table || grid->rowCount() > table->rowCount())) table = grid;
        QVERIFY(QTest::qWaitForWindowActive(window.form.get()));
        table->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), table);
        table->SelectCell(FirstKeyColumn(table->Spec()), 1);
        window.form->InsertKey({0x0A, 0x0B, 0x0C});
        QVERIFY(window.form->Store().Record.KeySlots[0].bytes[0] == 0x0A);
        if (auto* box = window.Find<ConfigCheckBox>("CB7"); box && box->isVisible()) box->click();
        if (auto* box = window.Find<ConfigCheckBox>("CheckBox7"); box && box->isVisible()) box->click();

        window.prompts.answer(PromptAnswer::Ok);
        window.Trigger(write.action);
        QVERIFY(window.prompts.allAnswersUsed());
        QCOMPARE(window.prompts.messages().size(), 2); // the two insert-chip prompts, nothing else

        auto sent = std::make_unique<IntercomStore>(window.form->Store());
        const QByteArray expected = WriteEncodingFor(kind, type).layout->encode(*sent);
        const CliRun check = RunCli({"read", QLatin1String(ProgrammerChipOf(read).name), "-o",
                                     window.dir.file("back.bin"), "--port", window.sim.port()});
        QCOMPARE(check.status, 0);
        const QByteArray back = ReadAll(window.dir.file("back.bin"));
        QCOMPARE(back.left(qMin(expected.size(), back.size())), expected.left(back.size()));
        auto decoded = std::make_unique<IntercomStore>();
        ResetRecord(*decoded);
        layout.decode(AsImage(back), *decoded, DecodeContext{window.prompts, Language::English});
        QCOMPARE(decoded->Record.KeySlots[0].bytes, (std::array<std::uint8_t, 4>{0x0A, 0x0B, 0x0C, 0xFF}));
        QCOMPARE(decoded->Record.ConfigByte, window.form->Store().Record.ConfigByte);
    }

    void aKeyTouchedToTheReaderLandsInTheSelectedCellAndABadFrameIsDropped()
    {
        SimWindow window;
        QVERIFY(window.start());
        window.form->SelectTypeSilently(TDeviceType::T150);
        window.form->ANewExecute();
        auto* grid = window.Find<StringGrid>("SGrid1");
        grid->SelectCell(4, 10);
        window.Find<QToolButton>("ToolButton5")->click();
        QVERIFY(window.Find<QToolButton>("ToolButton5")->isChecked());
        window.sim.command("badkey 010203");
        QTest::qWait(400);
        QCOMPARE(grid->Cell(4, 10), QString("FF FF FF"));
        window.sim.command("key 0A0B0C");
        QTRY_COMPARE(grid->Cell(4, 10), QString("0C 0B 0A"));
        QVERIFY(grid->Col() == 5 && grid->Row() == 10);
        window.Find<QToolButton>("ToolButton5")->click();
        QVERIFY(!window.port.isOpen());
    }

    void aProgrammerThatGoesQuietMidReadLeavesTheDocumentAsItWas()
    {
        SimWindow window;
        QVERIFY(window.start({"--stall-after", "5"}));
        window.form->SelectTypeSilently(TDeviceType::T150);
        window.form->ANewExecute();
        window.form->Store().Record.KeySlots[0].bytes = {0x44, 0x55, 0x66, 0xFF};
        window.prompts.answer(PromptAnswer::Ok);
        window.Trigger("READ24c16");
        QCOMPARE(window.prompts.texts().last(),
                 QString("Cannot read the chip: connection failed\nBlock 5 (address 0x0280): no reply within 1.1 s."));
        QCOMPARE(window.form->Store().Record.KeySlots[0].bytes[0], 0x44);
        QVERIFY(!window.port.isOpen());
    }

    // Read chip through a programmer that garbles its replies: the document stays as it was and
    // the message names the block that failed.
    void aMisbehavingProgrammerNeverChangesTheDocument_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<QString>("detail");
        QTest::newRow("every reply twice")
            << 0 << "Block 0 (address 0x0000): extra bytes came after the 128-byte reply.";
        QTest::newRow("junk before every reply")
            << 1 << "Block 0 (address 0x0000): extra bytes came after the 128-byte reply.";
        QTest::newRow("hangs up in the fourth block")
            << 2 << "Block 3 (address 0x0180): the programmer was disconnected.";
    }
    void aMisbehavingProgrammerNeverChangesTheDocument()
    {
        QFETCH(int, fault);
        QFETCH(QString, detail);
        SimWindow window;
        window.sim.prepareChip(QStringLiteral("24C16"), Pattern(2048, 7));
        QVERIFY(window.start());
        MisbehavingProgrammer::Fault misbehaviour;
        misbehaviour.repeatReplies = fault == 0;
        if (fault == 1) misbehaviour.junkBeforeReplies = "\x55";
        if (fault == 2) misbehaviour.hangUpAfterBytes = 3 * 128 + 50;
        MisbehavingProgrammer proxy;
        QVERIFY(proxy.start(window.sim.port(), misbehaviour));
        window.link.ProgrammerPortPath = proxy.port();
        window.form->SelectTypeSilently(TDeviceType::T150);
        window.form->ANewExecute();
        window.form->Store().Record.KeySlots[0].bytes = {0x44, 0x55, 0x66, 0xFF};
        window.prompts.answer(PromptAnswer::Ok);
        window.Trigger("READ24c16");
        QCOMPARE(window.prompts.texts().last(), "Cannot read the chip: connection failed\n" + detail);
        QCOMPARE(window.form->Store().Record.KeySlots[0].bytes[0], 0x44);
        QVERIFY(!window.port.isOpen());
    }

    // Unplugged while a key reader runs: the reader stops, its button goes up, the title says not
    // connected, programmer mode cannot be started, and the user is told once; the dead port is
    // closed, so nothing polls it. Plugged in again, one click starts the reader.
    void aProgrammerUnpluggedUnderARunningReaderStopsItAndSaysSo()
    {
        SimWindow window;
        const QString portLink = window.dir.file("px17");
        window.ports.list = QList<PortEntry>{{"px17", portLink, true, ProgrammerVendorId, ProgrammerProductId}};
        QVERIFY(window.start({"--link", portLink}));
        window.link.ProgrammerPortPath = portLink;
        auto* programmerMode = window.Find<QToolButton>("ToolButton11");
        QVERIFY(programmerMode->isEnabled()); // found at start-up
        window.form->SelectTypeSilently(TDeviceType::T150);
        window.form->ANewExecute();
        auto* reader = window.Find<QToolButton>("ToolButton5");
        reader->click();
        QVERIFY(reader->isChecked());

        window.sim.command("unplug");
        QTRY_VERIFY(!reader->isChecked());
        QVERIFY(window.form->windowTitle().startsWith(NotConnectedTitle()));
        QVERIFY(!programmerMode->isEnabled());
        QCOMPARE(window.prompts.texts(), QStringList{"The connection to the programmer was lost (port " + portLink +
                                                     "). Key reading has stopped."});
        QVERIFY(!window.port.isOpen());
        QTest::qWait(3 * PollPeriodMs);
        QCOMPARE(window.prompts.messages().size(), 1);
        QVERIFY(!window.port.isOpen() && !reader->isChecked());

        SimProcess pluggedAgain;
        QVERIFY(pluggedAgain.start({"--link", portLink}));
        auto* grid = window.Find<StringGrid>("SGrid1");
        grid->SelectCell(4, 10);
        reader->click();
        QVERIFY(reader->isChecked());
        pluggedAgain.command("key 0A0B0C");
        QTRY_COMPARE(grid->Cell(4, 10), QString("0C 0B 0A"));
        reader->click();
        QVERIFY(!window.port.isOpen());
    }
};

QTEST_MAIN(WindowSimTest)
#include "tst_window_sim.moc"
