// The programmer mode dialog driven as a user drives it, against the in-process programmer: the
// chip to choose, the dump file to read into or write from, and what the user is told.

#include "LinkFakes.h"
#include "app/WindowSession.h"
#include "archive/ChipArchive.h"
#include "dumps/TForm2.h"
#include "programmer/ProgrammerLink.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <QTemporaryDir>

#include <optional>

namespace {

// Scripted prompts that also run a check whenever a message box is shown, while the operation
// that asked waits for the answer.
class ObservingPrompts : public ScriptedPrompts {
public:
    PromptAnswer message(const QString& text, const QString& caption, PromptButtons buttons, PromptIcon icon) override
    {
        if (whileAsking) whileAsking();
        return ScriptedPrompts::message(text, caption, buttons, icon);
    }
    std::function<void()> whileAsking;
};

struct DialogRig {
    explicit DialogRig(Language language = Language::English, ProgrammerModeArchive archive = {})
            : port(clock), link(port, prompts, clock), dialog(link, prompts, language, nullptr, archive)
    {
        link.ProgrammerPresent = true;
        link.ProgrammerPortPath = QStringLiteral("/dev/ttyACM0");
    }
    QPushButton* button(const char* name) { return dialog.findChild<QPushButton*>(QLatin1String(name)); }
    QList<QRadioButton*> items()
    {
        return dialog.findChild<QGroupBox*>(QStringLiteral("RadioGroup1"))->findChildren<QRadioButton*>();
    }
    // A radio button takes a click on its circle or its text.
    void choose(int item)
    {
        QTest::mouseClick(items()[item], Qt::LeftButton, {}, QPoint(8, items()[item]->height() / 2));
    }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    QString dump() const { return dir.file(QStringLiteral("dump.bin")); }
    QStringList filesInFolder() const { return QDir(dir.path()).entryList(QDir::Files); }

    WorkingDirectory dir;
    InstantClock clock;
    FakeProgrammerPort port;
    ObservingPrompts prompts;
    ProgrammerLink link;
    TForm2 dialog;
};

const ProgrammerChip& Chip(const char* name) { return *FindChip(QString::fromLatin1(name)); }

} // namespace

class ProgrammerModeTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithNoChipChosenAndOnlyCloseUsable()
    {
        DialogRig rig;
        QCOMPARE(rig.dialog.windowTitle(), QStringLiteral("Режим программатора микросхем памяти"));
        QCOMPARE(rig.dialog.findChild<QGroupBox*>(QStringLiteral("RadioGroup1"))->title(),
                 QStringLiteral("Микросхемы памяти"));
        QStringList items;
        for (QRadioButton* item : rig.items()) items << item->text();
        // The letter С of the chip names is the Cyrillic one.
        QCOMPARE(items, (QStringList{"24\u042116", "24\u042132", "24\u042164", "24\u0421128", "24\u0421256",
                                     "24\u0421512", "24\u04211024"}));
        QCOMPARE(rig.button("Button1")->text(), QStringLiteral("Считать"));
        QCOMPARE(rig.button("Button2")->text(), QStringLiteral("Записать"));
        QCOMPARE(rig.button("Button3")->text(), QStringLiteral("Закрыть"));
        QCOMPARE(rig.dialog.ItemIndex(), -1);
        QVERIFY(!rig.button("Button1")->isEnabled() && !rig.button("Button2")->isEnabled());
        QVERIFY(rig.button("Button3")->isEnabled());

        rig.choose(4);
        QCOMPARE(rig.dialog.ItemIndex(), 4);
        QVERIFY(rig.button("Button1")->isEnabled() && rig.button("Button2")->isEnabled());
    }

    void readSavesTheWholeChipIntoTheChosenDump_data()
    {
        QTest::addColumn<int>("item");
        QTest::addColumn<QString>("chip");
        QTest::newRow("24C16") << 0 << "24C16";
        QTest::newRow("24C256") << 4 << "24C256";
        QTest::newRow("24C1024") << 6 << "24C1024";
    }
    void readSavesTheWholeChipIntoTheChosenDump()
    {
        QFETCH(int, item);
        QFETCH(QString, chip);
        const ProgrammerChip& kind = *FindChip(chip);
        DialogRig rig;
        const QByteArray content = Pattern(ChipSize(kind), 2);
        rig.port.memories.memory(kind) = content;
        WriteAll(rig.dump(), "an older dump");
        rig.prompts.choose(FileDialogChoice{rig.dump(), 1}).answer(PromptAnswer::Ok);
        rig.choose(item);
        rig.click("Button1");

        QCOMPARE(ReadAll(rig.dump()), content);
        QCOMPARE(rig.prompts.texts(), (QStringList{"Insert chip to read", "Чтение завершено"}));
        QCOMPARE(rig.prompts.messages().last().caption, QStringLiteral("Информация"));
        QCOMPARE(rig.prompts.dialogs()[0].filters, QStringLiteral("binary files|*.bin|all files|*"));
        QCOMPARE(rig.prompts.dialogs()[0].defaultSuffix, QStringLiteral("bin"));
        const auto& packets = rig.port.firmware().packets();
        QCOMPARE(packets.size(), int(kind.read.blockCount)); // no adapter check before a read
        QCOMPARE(packets.last().code, kind.read.command);
        QCOMPARE(rig.filesInFolder(), QStringList{"dump.bin"});
        QVERIFY(!rig.port.isOpen());
    }

    void writeSendsTheDumpAndReadsTheChipBack()
    {
        const ProgrammerChip& kind = Chip("24C256");
        DialogRig rig;
        rig.port.memories.memory(kind).fill('\0');
        const QByteArray image = Pattern(ChipSize(kind), 3);
        WriteAll(rig.dump(), image);
        rig.prompts.choose(FileDialogChoice{rig.dump(), 1}).answer(PromptAnswer::Ok);
        rig.choose(4);
        rig.click("Button2");

        QCOMPARE(rig.port.memories.memory(kind), image);
        // One insert-chip question: the chip is read back where it is.
        QCOMPARE(rig.prompts.texts(), (QStringList{"Insert chip to wtite", "Программирование завершено"}));
        QCOMPARE(rig.prompts.messages().last().caption, QStringLiteral("Информация"));
        QCOMPARE(rig.prompts.dialogs()[0].filters, QStringLiteral("binary dump memory|*.bin|all files|*"));
        QVERIFY(rig.prompts.dialogs()[0].mustExist);
        const auto& packets = rig.port.firmware().packets();
        QCOMPARE(packets.size(), 1 + 512 * 2 + 256);
        QCOMPARE(packets.first().code, std::uint8_t(pcIdle)); // the adapter check comes first
        QCOMPARE(packets[1].code, std::uint8_t(pcWrite24C256));
        QCOMPARE(packets.last().code, std::uint8_t(pcRead24C256));
        QVERIFY(!rig.port.isOpen());
    }

    void aChipThatDoesNotKeepTheDumpIsReported()
    {
        DialogRig rig;
        rig.port.corruptWrites = true;
        WriteAll(rig.dump(), Pattern(ChipSize(Chip("24C256")), 4));
        rig.prompts.choose(FileDialogChoice{rig.dump(), 1}).answer(PromptAnswer::Ok);
        rig.choose(4);
        rig.click("Button2");
        // Each 64-byte page lost its last byte.
        QCOMPARE(rig.prompts.texts(),
                 (QStringList{
                     "Insert chip to wtite",
                     "Verification failed: the chip differs from the data (differing bytes: 512, first address 0x003F)",
                     "ошибка программирования"}));
        QCOMPARE(rig.prompts.messages().last().caption, QStringLiteral("Ошибка"));
    }

    void aDumpLargerThanTheChipIsRefusedBeforeAnythingIsSent_data()
    {
        QTest::addColumn<Language>("language");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("English")
            << Language::English
            << "The file %1 holds 2049 bytes, more than the 2048 bytes of a 24C16. Nothing has been written.";
        QTest::newRow("Russian")
            << Language::Russian
            << "Файл %1 содержит 2049 байт, больше, чем 2048 байт микросхемы 24C16. Ничего не записано.";
    }
    void aDumpLargerThanTheChipIsRefusedBeforeAnythingIsSent()
    {
        QFETCH(Language, language);
        QFETCH(QString, refusal);
        const ProgrammerChip& kind = Chip("24C16");
        DialogRig rig(language);
        const QByteArray chipBefore = rig.port.memories.memory(kind);
        WriteAll(rig.dump(), Pattern(ChipSize(kind) + 1, 8));
        rig.prompts.choose(FileDialogChoice{rig.dump(), 1});
        rig.choose(0);
        rig.click("Button2");
        QCOMPARE(rig.prompts.texts(), (QStringList{refusal.arg(rig.dump()), "ошибка программирования"}));
        QCOMPARE(rig.prompts.messages().first().caption, language == Language::Russian ? "Ошибка" : "Error");
        QCOMPARE(rig.port.memories.memory(kind), chipBefore);
        QVERIFY(rig.port.firmware().packets().isEmpty());
        QVERIFY(!rig.port.isOpen());
    }

    void aShorterDumpIsWrittenOnlyWhenTheUserAcceptsTheErasedRest_data()
    {
        QTest::addColumn<int>("size");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("empty file, stopped") << 0 << false;
        QTest::newRow("empty file, accepted") << 0 << true;
        QTest::newRow("1000 bytes, stopped") << 1000 << false;
        QTest::newRow("1000 bytes, accepted") << 1000 << true;
    }
    void aShorterDumpIsWrittenOnlyWhenTheUserAcceptsTheErasedRest()
    {
        QFETCH(int, size);
        QFETCH(bool, accepted);
        const ProgrammerChip& kind = Chip("24C16");
        DialogRig rig;
        const QByteArray chipBefore = Pattern(ChipSize(kind), 9);
        rig.port.memories.memory(kind) = chipBefore;
        const QByteArray dump = Pattern(size, 10);
        WriteAll(rig.dump(), dump);
        rig.prompts.choose(FileDialogChoice{rig.dump(), 1}).answer(accepted ? PromptAnswer::Ok : PromptAnswer::Cancel);
        if (accepted) rig.prompts.answer(PromptAnswer::Ok);
        rig.choose(0);
        rig.click("Button2");

        const QString question =
            QStringLiteral("The file %1 holds %2 bytes, a 24C16 2048 bytes. The remaining %3 bytes "
                           "will be written as 0xFF, as an erased chip holds them. Go on?")
                .arg(rig.dump())
                .arg(size)
                .arg(2048 - size);
        if (!accepted) {
            QCOMPARE(rig.prompts.texts(), QStringList{question}); // the user stopped: nothing more is said
            QCOMPARE(rig.port.memories.memory(kind), chipBefore);
            QVERIFY(rig.port.firmware().packets().isEmpty());
        } else {
            QCOMPARE(rig.prompts.texts(),
                     (QStringList{question, "Insert chip to wtite", "Программирование завершено"}));
            QCOMPARE(rig.port.memories.memory(kind), dump + QByteArray(2048 - size, '\xFF'));
        }
        QCOMPARE(rig.prompts.messages().first().buttons, PromptButtons::OkCancel);
        QVERIFY(!rig.port.isOpen());
    }

    void cancelAtTheInsertPromptShowsNothingMoreAndKeepsTheDump_data()
    {
        QTest::addColumn<bool>("write");
        QTest::newRow("read") << false;
        QTest::newRow("write") << true;
    }
    void cancelAtTheInsertPromptShowsNothingMoreAndKeepsTheDump()
    {
        QFETCH(bool, write);
        const ProgrammerChip& kind = Chip("24C64");
        DialogRig rig;
        const QByteArray chipBefore = rig.port.memories.memory(kind);
        WriteAll(rig.dump(), Pattern(ChipSize(kind), 5));
        rig.prompts.choose(FileDialogChoice{rig.dump(), 1}).answer(PromptAnswer::Cancel);
        rig.choose(2);
        rig.click(write ? "Button2" : "Button1");
        QCOMPARE(rig.prompts.texts(), QStringList{write ? "Insert chip to wtite" : "Insert chip to read"});
        QCOMPARE(ReadAll(rig.dump()), Pattern(ChipSize(kind), 5));
        QCOMPARE(rig.filesInFolder(), QStringList{"dump.bin"});
        QCOMPARE(rig.port.memories.memory(kind), chipBefore);
        QCOMPARE(rig.port.firmware().packets().size(), write ? 1 : 0); // at most the adapter check
        QVERIFY(!rig.port.isOpen());
    }

    void everyFailureEndsWithTheDialogsErrorMessage_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QStringList>("texts");
        const QString busy = QStringLiteral("Device or resource busy");
        const QString portBusy = QStringLiteral("This port is busy or absent (port /dev/ttyACM0).");
        QTest::newRow("read: port busy") << false << "port busy" << QStringList{busy, busy, portBusy, "ошибка чтения"};
        QTest::newRow("read: file dialog cancelled") << false << "no file" << QStringList{"ошибка чтения"};
        QTest::newRow("read: programmer goes quiet")
            << false << "stall"
            << QStringList{"Insert chip to read",
                           "Cannot read the chip: connection failed\nBlock 10 (address 0x0500): no reply within 1.1 s.",
                           "ошибка чтения"};
        QTest::newRow("write: port busy")
            << true << "port busy" << QStringList{busy, busy, portBusy, "ошибка программирования"};
        QTest::newRow("write: file dialog cancelled") << true << "no file" << QStringList{"ошибка программирования"};
        QTest::newRow("write: chosen file missing") << true << "missing file" << QStringList{"ошибка программирования"};
        QTest::newRow("write: adapter answers 0x84")
            << true << "adapter 0x84" << QStringList{"Connection to adapter failed(0)", "ошибка программирования"};
        QTest::newRow("write: adapter silent")
            << true << "silent" << QStringList{"Connection to adapter failed(0)", "ошибка программирования"};
        QTest::newRow("write: programmer goes quiet")
            << true << "stall"
            << QStringList{"Insert chip to wtite",
                           "Cannot write the chip: connection failed\nPage 9 (address 0x0120): no reply within 1.1 s.",
                           "ошибка программирования"};
    }
    void everyFailureEndsWithTheDialogsErrorMessage()
    {
        QFETCH(bool, write);
        QFETCH(QString, fault);
        QFETCH(QStringList, texts);
        DialogRig rig;
        const QByteArray kept = Pattern(8192, 6);
        WriteAll(rig.dump(), kept);
        if (fault == "port busy") rig.port.openResult = PortOpenResult::Failed;
        if (fault == "stall") rig.port.stallAfter = 10;
        if (fault == "silent") rig.port.silent = true;
        if (fault == "adapter 0x84") rig.port.idleReplyOverride = '\x84';
        if (fault == "no file") rig.prompts.choose(std::nullopt);
        if (fault == "missing file") rig.prompts.choose(FileDialogChoice{rig.dir.file("none.bin"), 1});
        if (fault != "port busy" && fault != "no file" && fault != "missing file")
            rig.prompts.choose(FileDialogChoice{rig.dump(), 1});
        if (fault == "stall") rig.prompts.answer(PromptAnswer::Ok);
        rig.choose(2);
        rig.click(write ? "Button2" : "Button1");
        QCOMPARE(rig.prompts.texts(), texts);
        QVERIFY(rig.prompts.allAnswersUsed());
        QCOMPARE(rig.prompts.messages().last().caption, QStringLiteral("Ошибка"));
        QCOMPARE(ReadAll(rig.dump()), kept); // a failed read leaves the dump as it was
        QCOMPARE(rig.filesInFolder(), QStringList{"dump.bin"});
        QVERIFY(!rig.port.isOpen());
        QVERIFY(rig.button("Button1")->isEnabled() && rig.button("Button2")->isEnabled());
    }

    void nothingElseCanBeStartedOrClosedWhileAnOperationRuns_data()
    {
        QTest::addColumn<bool>("write");
        QTest::newRow("read") << false;
        QTest::newRow("write") << true;
    }
    void nothingElseCanBeStartedOrClosedWhileAnOperationRuns()
    {
        QFETCH(bool, write);
        DialogRig rig;
        WriteAll(rig.dump(), Pattern(2048, 7));
        rig.dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&rig.dialog));
        QList<bool> enabledWhileAsking;
        rig.prompts.whileAsking = [&] {
            for (const char* name : {"Button1", "Button2", "Button3"})
                enabledWhileAsking << rig.button(name)->isEnabled();
            enabledWhileAsking << rig.dialog.findChild<QGroupBox*>(QStringLiteral("RadioGroup1"))->isEnabled();
            // Neither a second click nor Escape does anything now: no further prompt, the dialog stays.
            rig.click(write ? "Button1" : "Button2");
            rig.dialog.reject();
        };
        rig.prompts.choose(FileDialogChoice{rig.dump(), 1}).answer(PromptAnswer::Ok);
        rig.choose(0);
        rig.click(write ? "Button2" : "Button1");
        QCOMPARE(enabledWhileAsking, QList<bool>(8, false)); // at the insert-chip question and at the result
        QVERIFY(rig.dialog.isVisible());
        QVERIFY(rig.button("Button1")->isEnabled() && rig.button("Button2")->isEnabled() &&
                rig.button("Button3")->isEnabled());
        rig.click("Button3");
        QVERIFY(!rig.dialog.isVisible());
    }

    void theWindowsProgrammerButtonOpensTheDialogAndTheDocumentStaysAsItWas()
    {
        WindowSession session({}, {{"ttyACM0", "/dev/ttyACM0", true, ProgrammerVendorId, ProgrammerProductId}});
        const QString document = session.WriteDataFile(QStringLiteral("block7.kvr"), TDeviceType::PKU511);
        session.Open(document);
        session.form->MarkModified();
        const QByteArray record(reinterpret_cast<const char*>(&session.Record()), sizeof(TIntercomData));
        const QString dump = session.File(QStringLiteral("dump.bin"));
        session.prompts.choose(FileDialogChoice{dump, 1}).answer(PromptAnswer::Ok);
        bool modal = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TForm2*>(QApplication::activeModalWidget());
            modal = dialog != nullptr;
            if (!dialog) return;
            dialog->findChild<QGroupBox*>(QStringLiteral("RadioGroup1"))->findChildren<QRadioButton*>()[0]->click();
            dialog->findChild<QPushButton*>(QStringLiteral("Button1"))->click();
            dialog->findChild<QPushButton*>(QStringLiteral("Button3"))->click();
        });
        session.Find<QToolButton>("ToolButton11")->click();
        QVERIFY(modal);
        QCOMPARE(QFileInfo(dump).size(), 2048);
        QCOMPARE(session.prompts.texts().mid(session.prompts.texts().size() - 2),
                 (QStringList{"Insert chip to read", "Чтение завершено"}));
        QVERIFY(session.Modified());
        QCOMPARE(session.form->Document().DocumentPath, document);
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&session.Record()), sizeof(TIntercomData)), record);
    }

    // Every chip the dialog reads is kept in the archive, and with the backup on a write first
    // keeps what the chip held; a backup that cannot be read stops the write unless the user goes on.
    void theArchiveKeepsWhatIsReadAndWhatAWriteReplaces()
    {
        QTemporaryDir data;
        ChipArchive archive(ParseArchiveLocation(data.filePath(QStringLiteral("archive.sqlite"))));
        const ProgrammerChip& kind = Chip("24C256");
        DialogRig rig(Language::English, {&archive, true});
        const QByteArray held = Pattern(ChipSize(kind), 5);
        rig.port.memories.memory(kind) = held;
        rig.prompts.choose(FileDialogChoice{rig.dump(), 1}).answer(PromptAnswer::Ok);
        rig.choose(4);
        rig.click("Button1");
        const QString other = rig.dir.file(QStringLiteral("other.bin"));
        const QByteArray image = Pattern(ChipSize(kind), 6);
        WriteAll(other, image);
        rig.prompts.choose(FileDialogChoice{other, 1}).answer(PromptAnswer::Ok);
        rig.click("Button2");
        QCOMPARE(rig.port.memories.memory(kind), image);
        // The backup asks nothing more.
        QCOMPARE(rig.prompts.texts(), (QStringList{"Insert chip to read", "Чтение завершено", "Insert chip to wtite",
                                                   "Программирование завершено"}));
        const auto entries = archive.List();
        QVERIFY(entries && entries->size() == 2);
        for (const ArchiveEntry& entry : *entries) {
            QCOMPARE(entry.source, ArchiveSource::ProgrammerMode);
            QCOMPARE(entry.chip, QStringLiteral("24C256"));
            QCOMPARE(archive.Image(entry.sha256), std::optional<QByteArray>(held));
        }
        QCOMPARE(entries->at(0).file, other);
        QCOMPARE(entries->at(1).file, rig.dump());

        rig.port.stallAfter = rig.port.firmware().packets().size() + 3; // the adapter check and two blocks
        rig.prompts.choose(FileDialogChoice{rig.dump(), 1})
            .answer(PromptAnswer::Ok)
            .answer(PromptAnswer::Ok)
            .answer(PromptAnswer::No);
        rig.click("Button2");
        QVERIFY(rig.prompts.allAnswersUsed());
        QCOMPARE(rig.prompts.texts().last(),
                 QStringLiteral("The chip's content could not be read, so no backup was made. "
                                "Write the chip without a backup?"));
        QCOMPARE(rig.port.memories.memory(kind), image);
        QCOMPARE(archive.JournalEntries()->first().result, QStringLiteral("failed"));
    }

    // A dump read that cannot be written keeps the older dump byte for byte and is never reported
    // as done.
    void aReadThatCannotWriteItsDumpKeepsTheOlderOne_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("disk full (file size limit)") << false;
        QTest::newRow("read-only folder") << true;
    }
    void aReadThatCannotWriteItsDumpKeepsTheOlderOne()
    {
        QFETCH(bool, readOnlyFolder);
        DialogRig rig;
        WriteAll(rig.dump(), "an older dump");
        rig.prompts.choose(FileDialogChoice{rig.dump(), 1}).answer(PromptAnswer::Ok);
        rig.choose(0);
        {
            std::optional<ReadOnlyFolder> readOnly;
            if (readOnlyFolder) {
                readOnly.emplace(rig.dir.path());
                if (!readOnly->holds()) QSKIP("no way to make a folder read-only for this user here");
            }
            const FileSizeLimit limit(readOnlyFolder ? 1L << 30 : 1024);
            rig.click("Button1");
        }
        QCOMPARE(ReadAll(rig.dump()), QByteArray("an older dump"));
        QVERIFY(rig.prompts.texts().at(1).contains(rig.dump()));
        QCOMPARE(rig.prompts.texts().last(), QStringLiteral("ошибка чтения"));
        QCOMPARE(rig.filesInFolder(), QStringList{"dump.bin"});
    }

    void aPipeChosenAsTheDumpToWriteSendsNothing()
    {
        DialogRig rig;
        MakeFifo(rig.dump());
        rig.prompts.choose(FileDialogChoice{rig.dump(), 1});
        rig.choose(0);
        rig.click("Button2");
        QVERIFY(rig.prompts.texts().constFirst().contains(rig.dump() + " is not used"));
        QCOMPARE(rig.prompts.texts().last(), QStringLiteral("ошибка программирования"));
        QVERIFY(rig.port.firmware().packets().isEmpty());
    }
};

QTEST_MAIN(ProgrammerModeTest)
#include "tst_programmermode.moc"
