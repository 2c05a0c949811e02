// The window with the programmer behind it: reading a controller's chip into its page, writing
// the document to a chip, the key readers and where a captured key lands, with the in-process
// fake programmer answering.

#include "WindowSession.h"

#include "codecs/CodecTables.h"
#include "codecs/G300Layouts.h"
#include "codecs/ImageFiles.h"
#include "model/NewDocument.h"
#include "programmer/Chips.h"
#include "views/StringGrid.h"

#include <QFileInfo>
#include <QLineEdit>

namespace {

const ProgrammerChip& ChipNamed(const char* name) { return *FindChip(QString::fromLatin1(name)); }

// A record of `type` as a controller would keep it: one key, in slot 0.
std::unique_ptr<IntercomStore> ControllerRecord(TDeviceType type)
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    ApplyNewDocument(*store, type);
    store->Record.KeySlots[0].bytes = {0x3C, 0x2B, 0x1A, 0xFF};
    store->Record.KeyCounter = 1;
    return store;
}

// The chip's content for a read of `kind` on `type`, encoded from ControllerRecord.
QByteArray ChipImageFor(ChipKind kind, TDeviceType type)
{
    auto store = ControllerRecord(type);
    if (kind == ChipKind::DS1995) {
        // The DS1995 holds the first hundred codes, the header and 425 keys of the DS1996 records.
        const QByteArray ds1996 = EncodeG300Image(*store);
        const QByteArray ff(8, '\xFF');
        return ds1996.left(300) + ff.left(4) + ds1996.mid(608, 8) + ff + ds1996.mid(624, 1700) + QByteArray(28, '\xFF');
    }
    return ReadDecodingFor(kind, type)->layout->encode(*store);
}

QList<std::uint8_t> CommandsSent(const FakeProgrammerPort& port)
{
    QList<std::uint8_t> codes;
    for (const Packet& packet : port.firmware().packets()) codes.append(packet.code);
    return codes;
}

} // namespace

class ChipCommandsTest : public QObject {
    Q_OBJECT
private slots:
    void aReadDecodesTheChipForTheSelectedTypeAndShowsItAsANewDocument_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("keyColumn");
        for (const TDeviceType type :
             {TDeviceType::T150, TDeviceType::PKU511, TDeviceType::QS151, TDeviceType::PKU512T})
            QTest::newRow(qPrintable("24C16 " + TypeText(type))) << "READ24c16" << type << "TabSheet1"
                                                                 << "SGrid1" << 2;
        QTest::newRow("24C16 LMR 700") << "READ24c16" << TDeviceType::LMR702 << "TabSheet2"
                                       << "SGrid2" << 1;
        QTest::newRow("24C16 PKU-618") << "READ24c16" << TDeviceType::PKU618 << "TabSheet3"
                                       << "SGrid5" << 1;
        QTest::newRow("24C16 PKU-512S, converted") << "READ24c16" << TDeviceType::PKU512S << "TabSheet7"
                                                   << "SGrid9" << 2;
        QTest::newRow("24C64 PKU-618") << "READ24c64" << TDeviceType::PKU618 << "TabSheet3"
                                       << "SGrid5" << 1;
        QTest::newRow("24C64 PKU-630") << "READ24c64" << TDeviceType::PKU630 << "TabSheet4"
                                       << "SGrid4" << 2;
        QTest::newRow("24C64 PKU-512S") << "READ24c64" << TDeviceType::PKU512S << "TabSheet7"
                                        << "SGrid9" << 2;
        QTest::newRow("24C64 LMR 70x-2680") << "READ24c64" << TDeviceType::LMR70x2680 << "TabSheet8"
                                            << "SGrid11" << 1;
        QTest::newRow("DS1995 G300") << "ReadDS1995" << TDeviceType::G300 << "TabSheet6"
                                     << "StringGrid2" << 2;
        QTest::newRow("DS1996 G300") << "ReadDS1996" << TDeviceType::G300 << "TabSheet5"
                                     << "SGrid6" << 2;
    }
    void aReadDecodesTheChipForTheSelectedTypeAndShowsItAsANewDocument()
    {
        QFETCH(QString, action);
        QFETCH(TDeviceType, type);
        QFETCH(QString, page);
        QFETCH(QString, grid);
        QFETCH(int, keyColumn);
        WindowSession session;
        session.ConnectProgrammer();
        session.Open(session.WriteDataFile("old.kvr", type, 0x77));
        const ChipItem& item =
            *std::ranges::find_if(ChipItems(), [&](const ChipItem& i) { return action == i.action; });
        session.port.memories.memory(ProgrammerChipOf(item)) = ChipImageFor(*item.kind, type);
        session.prompts.answer(PromptAnswer::Ok); // insert the chip
        // The DS1995 image made here fails its header check: going on with it is asked.
        if (action == "ReadDS1995") session.prompts.answer(PromptAnswer::Ok);
        session.Trigger(qPrintable(action));
        QVERIFY(session.PageShown(qPrintable(page)));
        // The DS1995 image made here is not sound (the question above); its decoding is the codec's.
        if (action != "ReadDS1995")
            QCOMPARE(session.Find<StringGrid>(qPrintable(grid))->Cell(keyColumn, 1), QString("1A 2B 3C"));
        QCOMPARE(TypeNameText(session.Record()), TypeText(type));
        QCOMPARE(session.form->SmallIButton(), action == "ReadDS1995");
        // A new, unsaved document; the image file is gone.
        QVERIFY(session.Modified() && !session.form->Document().HasFileName);
        QVERIFY(!session.form->windowTitle().contains("old.kvr"));
        QVERIFY(!QFileInfo::exists(ImageFileName(*item.kind)));
        QVERIFY(session.prompts.allAnswersUsed());
    }

    void aReadFirstStopsARunningReader()
    {
        WindowSession session;
        session.ConnectProgrammer();
        session.NewDocument(TDeviceType::T150);
        session.Find<QToolButton>("ToolButton5")->click();
        QVERIFY(session.Find<QToolButton>("ToolButton5")->isChecked() && session.port.isOpen());
        session.prompts.answer(PromptAnswer::Ok);
        session.Trigger("READ24c16");
        const QList<std::uint8_t> sent = CommandsSent(session.port);
        QCOMPARE(sent.mid(0, 3), (QList<std::uint8_t>{pcStartTouchMemory, pcIdle, pcRead24C16}));
        QVERIFY(session.clock.sleeps.contains(100));
        QVERIFY(!session.Find<QToolButton>("ToolButton5")->isChecked());
        QVERIFY(!session.port.isOpen());
    }

    void aCancelledReadKeepsTheDataButDropsItsFileAndModifiedMark()
    {
        WindowSession session;
        session.ConnectProgrammer();
        const QString path = session.WriteDataFile("old.kvr", TDeviceType::T150, 0x77);
        session.Open(path);
        session.prompts.answer(PromptAnswer::Cancel);
        session.Trigger("READ24c16");
        QCOMPARE(session.Record().KeySlots[0].bytes[0], 0x77);
        QVERIFY(!session.Modified() && !session.form->Document().HasFileName);
        QVERIFY(!QFileInfo::exists(ImageFileName(ChipKind::C24C16))); // no empty image file left behind
    }

    void aSaveFirstAnsweredYesThatDoesNotSaveStopsTheReadBeforeThePort()
    {
        WindowSession session;
        session.ConnectProgrammer();
        session.NewDocument(TDeviceType::T150);
        session.form->MarkModified();
        session.prompts.answer(PromptAnswer::Yes).choose(std::nullopt); // the save dialog is cancelled
        session.Trigger("READ24c16");
        QVERIFY(session.port.firmware().packets().isEmpty());
        QVERIFY(session.Modified());
    }

    void aWriteSendsTheEncodedDocumentAndChangesNoDocumentState()
    {
        WindowSession session;
        session.ConnectProgrammer();
        const QString path = session.WriteDataFile("block.kvr", TDeviceType::T150);
        session.Open(path);
        session.form->MarkModified();
        session.prompts.answer(PromptAnswer::Ok);
        session.Trigger("Write24c16");
        auto store = std::make_unique<IntercomStore>(session.form->Store());
        QCOMPARE(session.port.memories.memory(ChipNamed("24C16")), DumpLayoutFor(TDeviceType::T150)->encode(*store));
        QVERIFY(session.Modified() && session.form->Document().HasFileName);
        QCOMPARE(session.form->Document().DocumentPath, path);
        QVERIFY(!QFileInfo::exists(ImageFileName(ChipKind::C24C16)));
        QCOMPARE(CommandsSent(session.port).constFirst(), std::uint8_t(pcIdle)); // the adapter check first
    }

    void aWriteIsReadBackAndAChipThatDiffersIsReported()
    {
        WindowSession session;
        session.ConnectProgrammer();
        session.NewDocument(TDeviceType::T150);
        QVERIFY(session.Find<QAction>("NVerify")->isChecked()); // on at every start
        session.prompts.answer(PromptAnswer::Ok);
        session.Trigger("Write24c16");
        QCOMPARE(CommandsSent(session.port).last(), std::uint8_t(pcRead24C16)); // read back ...
        QCOMPARE(session.prompts.messages().size(), 1); // ... with no second prompt, and a match is quiet

        session.port.corruptWrites = true;
        session.prompts.answer(PromptAnswer::Ok);
        session.Trigger("Write24c16");
        QCOMPARE(session.prompts.messages().size(), 3);
        QCOMPARE(session.prompts.messages().last().caption, QString("Error"));
        QVERIFY(session.prompts.messages().last().text.contains("differing bytes: 128, first address 0x000F"));

        session.Find<QAction>("NVerify")->trigger(); // off: nothing is read back
        const auto sentBefore = session.port.firmware().packets().size();
        session.prompts.answer(PromptAnswer::Ok);
        session.Trigger("Write24c16");
        QCOMPARE(CommandsSent(session.port).last(), std::uint8_t(pcWrite24C16));
        QVERIFY(session.port.firmware().packets().size() > sentBefore);
    }

    void aWriteWithoutAnEncoderOfTheTypeSendsNothing_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<TDeviceType>("type");
        QTest::newRow("24C64 on PKU-511") << "Write24c64" << TDeviceType::PKU511;
        QTest::newRow("24C16 on PKU-630, a stale image file on disk") << "Write24c16" << TDeviceType::PKU630;
    }
    void aWriteWithoutAnEncoderOfTheTypeSendsNothing()
    {
        QFETCH(QString, action);
        QFETCH(TDeviceType, type);
        WindowSession session;
        session.ConnectProgrammer();
        session.NewDocument(type);
        WriteAll(ImageFileName(ChipKind::C24C16), QByteArray(2048, '\x42'));
        session.Trigger(qPrintable(action));
        QVERIFY(session.port.firmware().packets().isEmpty());
        QVERIFY(session.prompts.messages().isEmpty());
        QVERIFY(!session.port.memories.memory(ChipNamed("24C16")).contains('\x42'));
    }

    void aWriteWhoseAdapterCheckFailsLeavesTheEncodedImage()
    {
        WindowSession session;
        session.ConnectProgrammer();
        session.NewDocument(TDeviceType::PKU630);
        session.port.idleReplyOverride = '\x00';
        session.Trigger("Write24c64");
        QCOMPARE(session.prompts.messages().size(), 1);
        auto store = std::make_unique<IntercomStore>(session.form->Store());
        QCOMPARE(ReadAll(ImageFileName(ChipKind::C24C64)), DumpLayoutFor(TDeviceType::PKU630)->encode(*store));
        QVERIFY(!session.port.isOpen());
    }

    void aCapturedKeyLandsInTheSelectedCellAndMovesTheSelection()
    {
        WindowSession session;
        session.ConnectProgrammer();
        session.NewDocument(TDeviceType::T150);
        auto* grid = session.Find<StringGrid>("SGrid1");
        grid->SelectCell(7, 100); // slot 599
        session.Find<QToolButton>("ToolButton5")->click();
        for (const QByteArray& frame :
             {QByteArray::fromHex("0a0b0c21"), QByteArray::fromHex("01020307"),
              QByteArray::fromHex("0a0b0c21") /* again: a duplicate */, QByteArray::fromHex("0d0e") /* short */}) {
            session.port.arrive(frame);
            session.form->Timer1Timer();
        }
        QCOMPARE(grid->Cell(7, 100), QString("0C 0B 0A"));
        QCOMPARE(grid->Cell(2, 1), QString("FF FF FF")); // the wrong checksum stored nothing ...
        QVERIFY(grid->Col() == 2 && grid->Row() == 1);   // ... and the selection wrapped to slot 0
        QVERIFY(session.Record().KeySlots[0].isEmpty());
        QVERIFY(session.Modified());
        QVERIFY(session.sounds.played.isEmpty()); // the sound option is off
        session.Find<QAction>("N2")->trigger();
        session.form->InsertKey({0x0A, 0x0B, 0x0C});
        session.form->InsertKey({0x21, 0x22, 0x23});
        QCOMPARE(session.sounds.played, (QStringList{"sound_err.wav", "sound_ok.wav"}));
        session.Find<QToolButton>("ToolButton5")->click();
        QCOMPARE(CommandsSent(session.port).last(), std::uint8_t(pcIdle));
        QVERIFY(!session.port.isOpen());
    }

    void keysGoToTheControlTheUserEnteredLast()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::LMR702);
        QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
        session.Find("SGrid3")->setFocus();
        QTRY_COMPARE(session.form->InputTarget()[InputTargetFamily::LMR702AndPKU512S], 3);
        session.Find<StringGrid>("SGrid3")->SelectCell(1, 7);
        session.form->InsertKey({0x01, 0x02, 0x03});
        QCOMPARE(session.Find<StringGrid>("SGrid3")->Cell(1, 7), QString("03 02 01"));
        QCOMPARE(session.Find<StringGrid>("SGrid3")->Row(), 1);
        session.Find("Edit2")->setFocus();
        QTRY_COMPARE(session.form->InputTarget()[InputTargetFamily::LMR702AndPKU512S], 2);
        session.form->InsertKey({0x04, 0x05, 0x06});
        QCOMPARE(session.Find<QLineEdit>("Edit2")->text(), QString("06 05 04"));
        QVERIFY(session.Modified());
    }

    void oneReaderAtATimeAndAButtonThatStartsNothingGoesBackUp()
    {
        WindowSession session;
        session.ConnectProgrammer();
        session.NewDocument(TDeviceType::T150);
        auto* touchMemory = session.Find<QToolButton>("ToolButton5");
        auto* rfid = session.Find<QToolButton>("ToolButton6");
        touchMemory->click();
        rfid->click();
        QVERIFY(touchMemory->isChecked() && !rfid->isChecked());
        QCOMPARE(session.link.readerMode(), ReaderModes::TouchMemory);
        touchMemory->click();
        session.port.openResult = PortOpenResult::Failed;
        rfid->click();
        QVERIFY(!rfid->isChecked());
        QVERIFY(session.prompts.messages().last().text.contains("/dev/ttyACM0")); // the port's own message
    }
};

QTEST_MAIN(ChipCommandsTest)
#include "tst_chipcommands.moc"
