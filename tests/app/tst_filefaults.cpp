// The window in a hostile or full working folder: Save, Print, a chip read and a chip write under a
// file size limit (a full disk), in a read-only folder, with a link, folder or pipe planted at a
// fixed name. Each time the previous file stays byte for byte, a message names the file, nothing
// is reported as done and nothing reaches the chip.

#include "WindowSession.h"

#include "codecs/CodecTables.h"
#include "codecs/ImageFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>

#include <optional>

#include <sys/stat.h>

namespace {

const QByteArray Previous = "the user's previous file";

// What a hostile or full working folder holds or does.
enum class Fault { FileSizeLimit, ReadOnlyFolder, Link, Folder, Pipe };

void AddFaultRows(std::initializer_list<Fault> faults)
{
    QTest::addColumn<int>("fault");
    const char* names[] = {"disk full (file size limit)", "read-only folder", "link planted", "folder planted",
                           "pipe planted"};
    for (const Fault fault : faults) QTest::newRow(names[int(fault)]) << int(fault);
}

// A fault planted at `fixedName` in the session's folder; a link points at "victim", which holds
// Previous. `run` carries out a command under it (a file size limit of 1 KiB while it runs), and
// the folder is writable again afterwards.
class PlantedFault {
public:
    PlantedFault(WindowSession& session, Fault fault, const QString& fixedName) : fault_(fault)
    {
        WriteAll(session.File("victim"), Previous);
        const QString fixed = session.File(fixedName);
        switch (fault) {
        case Fault::Link: QFile::link(session.File("victim"), fixed); break;
        case Fault::Folder: QDir(session.dir.path()).mkdir(fixedName); break;
        case Fault::Pipe: MakeFifo(fixed); break;
        case Fault::ReadOnlyFolder: readOnly_.emplace(session.dir.path()); break;
        case Fault::FileSizeLimit: break;
        }
    }
    // False when the folder cannot be made read-only for this user here.
    bool holds() const { return !readOnly_ || readOnly_->holds(); }

    template <typename Command>
    void run(Command command)
    {
        {
            const FileSizeLimit limit(fault_ == Fault::FileSizeLimit ? 1024 : 1L << 30);
            command();
        }
        readOnly_.reset();
    }

private:
    Fault fault_;
    std::optional<ReadOnlyFolder> readOnly_;
};

} // namespace

class FileFaultsTest : public QObject {
    Q_OBJECT
private slots:
    void aSaveThatCannotWriteKeepsTheFileAndTheDocumentModified_data()
    {
        QTest::addColumn<int>("fault");
        QTest::addColumn<bool>("russian");
        QTest::addColumn<bool>("saveAs");
        for (const Fault fault : {Fault::FileSizeLimit, Fault::ReadOnlyFolder})
            for (const bool russian : {false, true})
                for (const bool saveAs : {false, true})
                    QTest::newRow(
                        qPrintable(QString("%1, %2, %3")
                                       .arg(fault == Fault::FileSizeLimit ? "disk full" : "read-only folder",
                                            russian ? "russian" : "english", saveAs ? "Save As chip dump" : "Save")))
                        << int(fault) << russian << saveAs;
    }
    void aSaveThatCannotWriteKeepsTheFileAndTheDocumentModified()
    {
        QFETCH(int, fault);
        QFETCH(bool, russian);
        QFETCH(bool, saveAs);
        WindowSession session(russian ? "[language]\nselected=0\n" : "[language]\nselected=1\n");
        const QString path = session.WriteDataFile(saveAs ? "doc.bin" : "doc.kvr", TDeviceType::T150);
        session.Open(session.WriteDataFile("open.kvr", TDeviceType::T150));
        WriteAll(path, Previous);
        session.Record().Codes[0] = 0x4321;
        session.form->MarkModified();
        PlantedFault planted(session, Fault(fault), QString());
        if (!planted.holds()) QSKIP("no way to make a folder read-only for this user here");
        const QString target = saveAs ? path : session.File("open.kvr");
        const QByteArray before = ReadAll(target);
        if (saveAs) session.prompts.choose(FileDialogChoice{path, 2}).answer(PromptAnswer::Yes); // overwrite
        planted.run([&] {
            if (saveAs)
                session.form->ASaveAsExecute();
            else
                session.form->ASaveExecute();
        });
        const QString shown = session.prompts.messages().last().text;
        QVERIFY2(shown.contains(target), qPrintable(shown));
        if (russian)
            QVERIFY2(!QString(shown).remove(target).contains(QRegularExpression("[A-Za-z]")), qPrintable(shown));
        QCOMPARE(ReadAll(target), before);
        QCOMPARE(QDir(session.dir.path()).entryList(QDir::Hidden | QDir::Files).filter(".part"), QStringList());
        QVERIFY(session.Modified());
        // Closing asks again; Cancel keeps the window and the edits.
        session.prompts.answer(PromptAnswer::Cancel);
        QVERIFY(!session.form->close());
        QCOMPARE(session.Record().Codes[0], 0x4321);
    }

    void printUnderAFaultKeepsAnyEarlierReportAndOpensNoEditor_data()
    {
        AddFaultRows({Fault::FileSizeLimit, Fault::ReadOnlyFolder, Fault::Link, Fault::Folder, Fault::Pipe});
    }
    void printUnderAFaultKeepsAnyEarlierReportAndOpensNoEditor()
    {
        QFETCH(int, fault);
        WindowSession session;
        session.NewDocument(TDeviceType::T150);
        if (Fault(fault) == Fault::FileSizeLimit) WriteAll(session.File("report.txt"), Previous);
        PlantedFault planted(session, Fault(fault), "report.txt");
        if (!planted.holds()) QSKIP("no way to make a folder read-only for this user here");
        planted.run([&] { session.form->N4Click(); });
        QCOMPARE(session.prompts.messages().size(), 1);
        QVERIFY(session.prompts.messages().constFirst().text.contains(session.File("report.txt")));
        QVERIFY(session.openedInEditor.isEmpty());
        QCOMPARE(ReadAll(session.File("victim")), Previous);
        if (Fault(fault) == Fault::FileSizeLimit) QCOMPARE(ReadAll(session.File("report.txt")), Previous);
    }

    void aReportHoldsPasswordsAndIsForTheUserOnly()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::T150);
        session.form->N4Click();
        QCOMPARE(QFileInfo(session.File("report.txt")).permissions() & 0x0077, QFileDevice::Permissions());
        QCOMPARE(session.openedInEditor, QStringList{session.File("report.txt")});
    }

    // A read with something planted at the image file's name is refused before the port opens.
    void aReadUnderAFaultLeavesTheDocumentAndNoImageFile_data()
    {
        AddFaultRows({Fault::FileSizeLimit, Fault::ReadOnlyFolder, Fault::Link, Fault::Folder, Fault::Pipe});
    }
    void aReadUnderAFaultLeavesTheDocumentAndNoImageFile()
    {
        QFETCH(int, fault);
        WindowSession session;
        session.ConnectProgrammer();
        session.Open(session.WriteDataFile("doc.kvr", TDeviceType::T150, 0x77));
        const QString image = ImageFileName(ChipKind::C24C16);
        PlantedFault planted(session, Fault(fault), image);
        if (!planted.holds()) QSKIP("no way to make a folder read-only for this user here");
        const bool atTheName = fault >= int(Fault::Link);
        // Only a full disk lets the read reach the chip: the image file is written after it.
        if (Fault(fault) == Fault::FileSizeLimit) session.prompts.answer(PromptAnswer::Ok);
        planted.run([&] { session.Trigger("READ24c16"); });
        QVERIFY2(session.prompts.messages().last().text.contains(session.File(image)) ||
                     session.prompts.messages().last().text.contains(image),
                 qPrintable(session.prompts.messages().last().text));
        if (atTheName) QVERIFY(session.port.firmware().packets().isEmpty()); // the port was never opened
        QCOMPARE(ReadAll(session.File("victim")), Previous);
        if (!atTheName) QVERIFY(!QFileInfo::exists(image) && !QFileInfo(image).isSymLink());
        QCOMPARE(session.Record().KeySlots[0].bytes[0], 0x77);
        QVERIFY(!session.Modified());
    }

    // A write whose image file cannot be made, or does not read back, sends nothing and says so.
    void aWriteUnderAFaultSendsNothingAndSaysWhy_data()
    {
        AddFaultRows({Fault::FileSizeLimit, Fault::ReadOnlyFolder, Fault::Link, Fault::Folder, Fault::Pipe});
    }
    void aWriteUnderAFaultSendsNothingAndSaysWhy()
    {
        QFETCH(int, fault);
        WindowSession session;
        session.ConnectProgrammer();
        session.NewDocument(TDeviceType::T150);
        const QByteArray chipBefore = session.port.memories.memory(*FindChip(u"24C16"));
        const QString image = ImageFileName(ChipKind::C24C16);
        PlantedFault planted(session, Fault(fault), image);
        if (!planted.holds()) QSKIP("no way to make a folder read-only for this user here");
        planted.run([&] { session.Trigger("Write24c16"); });
        QCOMPARE(session.prompts.messages().size(), 1);
        QVERIFY2(session.prompts.messages().constFirst().text.contains(image),
                 qPrintable(session.prompts.messages().constFirst().text));
        QCOMPARE(session.prompts.messages().constFirst().caption, QString("Error"));
        QVERIFY(session.port.firmware().packets().isEmpty());
        QCOMPARE(session.port.memories.memory(*FindChip(u"24C16")), chipBefore);
        QCOMPARE(ReadAll(session.File("victim")), Previous);
    }

    void aWriteSendsAndComparesWithTheEncodedBytesNotTheFileOnDisk()
    {
        WindowSession session;
        session.ConnectProgrammer();
        session.NewDocument(TDeviceType::T150);
        session.prompts.answer(PromptAnswer::Ok);
        session.Trigger("Write24c16");
        auto store = std::make_unique<IntercomStore>(session.form->Store());
        QCOMPARE(session.port.memories.memory(*FindChip(u"24C16")), DumpLayoutFor(TDeviceType::T150)->encode(*store));
        QCOMPARE(session.port.firmware().packets().last().code, std::uint8_t(pcRead24C16)); // checked after the write
        QCOMPARE(session.prompts.messages().size(), 1); // the prompt only: the chip matches
    }

    void aPipeOpenedAsADataFileIsRefusedAtOnce()
    {
        WindowSession session;
        MakeFifo(session.File("pipe.kvr"));
        QElapsedTimer timer;
        timer.start();
        session.Open(session.File("pipe.kvr"));
        QVERIFY(timer.elapsed() < 5000);
        QCOMPARE(session.prompts.messages().size(), 1);
        QVERIFY(session.prompts.messages().constFirst().text.contains(session.File("pipe.kvr") + " is not used"));
        QVERIFY(session.PagesHidden());
    }
};

QTEST_MAIN(FileFaultsTest)
#include "tst_filefaults.moc"
