// The window with kavro-sim behind a real serial port: a programmer unplugged in the middle of a
// write leaves a half-written chip, and the backup the write made first puts the building's keys
// back byte for byte from the archive window.

#include "MisbehavingProgrammer.h"
#include "SimWindow.h"
#include "app/ArchiveDialog.h"
#include "archive/ChipArchive.h"
#include "codecs/CodecTables.h"
#include "model/NewDocument.h"

#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A building's 24C16 as a T150 controller keeps it: two keys.
QByteArray BuildingKeys()
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    ApplyNewDocument(*store, TDeviceType::T150);
    store->Record.KeySlots[0].bytes = {0x1A, 0x2B, 0x3C, 0xFF};
    store->Record.KeySlots[7].bytes = {0x4D, 0x5E, 0x6F, 0xFF};
    store->Record.KeyCounter = 2;
    const QByteArray image = DumpLayoutFor(TDeviceType::T150)->encode(*store);
    return image + QByteArray(2048 - image.size(), '\xFF');
}

} // namespace

class ArchiveWindowSimTest : public QObject {
    Q_OBJECT
private slots:
    void aWriteCutShortByAnUnpluggedProgrammerIsUndoneFromTheBackup()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        qputenv("KAVRO_ARCHIVE", data.filePath("archive.sqlite").toUtf8());
        SimWindow window;
        const QByteArray buildingKeys = BuildingKeys();
        window.sim.prepareChip(QStringLiteral("24C16"), buildingKeys);
        QVERIFY(window.start());
        window.Find<QAction>("NPreview")->setChecked(true);
        // Replies go through until the backup's sixteen blocks and a few pages of the write are out.
        MisbehavingProgrammer::Fault unplugged;
        unplugged.hangUpAfterBytes = 16 * 128 + 40;
        MisbehavingProgrammer proxy;
        QVERIFY(proxy.start(window.sim.port(), unplugged));
        window.link.ProgrammerPortPath = proxy.port();
        ScriptedPrompts& prompts = window.prompts;
        TForm1& form = *window.form;
        const QString chipFile = window.sim.chipFile(QStringLiteral("24C16"));

        // The wrong building's document; the preview names the keys it would overwrite, and the user goes on.
        form.SelectTypeSilently(TDeviceType::T150);
        form.ANewExecute();
        form.Store().Record.KeySlots[0].bytes = {0x77, 0x66, 0x55, 0xFF};
        prompts.answer(PromptAnswer::Ok).answer(PromptAnswer::Yes);
        form.findChild<QAction*>(QStringLiteral("Write24c16"))->trigger();
        QVERIFY2(prompts.texts().size() >= 3 && prompts.texts()[1].contains("3C 2B 1A"),
                 qPrintable(prompts.texts().join('\n')));
        const QByteArray halfWritten = ReadAll(chipFile);
        QVERIFY(halfWritten != buildingKeys);

        // Plugged in again, the backup goes back through the archive window.
        window.link.ProgrammerPresent = true;
        window.link.ProgrammerPortPath = window.sim.port();
        form.findChild<QAction*>(QStringLiteral("MFile_Archive"))->trigger();
        auto* dialog = form.findChild<ArchiveDialog*>();
        QVERIFY(dialog);
        auto* table = dialog->findChild<QTableView*>(QStringLiteral("ArchiveEntries"));
        QCOMPARE(table->model()->rowCount(), 1);
        table->selectRow(0);
        const int shownBefore = int(prompts.texts().size());
        prompts.answer(PromptAnswer::Ok).answer(PromptAnswer::Yes);
        dialog->findChild<QPushButton*>(QStringLiteral("ArchiveRestore"))->click();
        QVERIFY(prompts.allAnswersUsed());
        // The preview of the restore says the keys come back.
        QVERIFY2(prompts.texts()[shownBefore + 1].contains("3C 2B 1A"), qPrintable(prompts.texts()[shownBefore + 1]));
        QCOMPARE(ReadAll(chipFile), buildingKeys);

        // The restore kept what the half-written chip held, too.
        ChipArchive archive(ParseArchiveLocation(data.filePath("archive.sqlite")));
        const auto entries = archive.List();
        QVERIFY(entries);
        QCOMPARE(entries->size(), 2);
        QCOMPARE(archive.Image(entries->at(0).sha256), std::optional<QByteArray>(halfWritten));
        QCOMPARE(entries->at(0).file, QString("archive entry %1").arg(entries->at(1).id));
        QCOMPARE(table->model()->rowCount(), 2);
    }
};

QTEST_MAIN(ArchiveWindowSimTest)
#include "tst_archive_window_sim.moc"
