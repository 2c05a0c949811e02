// The window never loses what a chip held: a write first reads and archives the chip, may show
// what it will change and be stopped, goes on with a fallback file when the archive's database is
// damaged; File > Archive... lists, finds, opens, saves, compares and deletes what was kept.

#include "WindowSession.h"

#include "app/ArchiveDialog.h"
#include "archive/ChipArchive.h"
#include "codecs/CodecTables.h"
#include "model/NewDocument.h"
#include "programmer/Chips.h"
#include "views/StringGrid.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

namespace {

const ProgrammerChip& ChipNamed(const char* name) { return *FindChip(QString::fromLatin1(name)); }

// A record of `type` holding one key, in slot 0.
std::unique_ptr<IntercomStore> RecordWithKey(TDeviceType type, std::array<std::uint8_t, 3> key)
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    ApplyNewDocument(*store, type);
    StoreTypeName(store->Record, type);
    store->Record.KeySlots[0].bytes = {key[0], key[1], key[2], 0xFF};
    store->Record.KeyCounter = 1;
    return store;
}

// What the controller's chip of `kind` holds for that record, the rest erased.
QByteArray ChipImage(ChipKind kind, TDeviceType type, std::array<std::uint8_t, 3> key)
{
    auto store = RecordWithKey(type, key);
    QByteArray image = WriteEncodingFor(kind, type).layout->encode(*store).left(ChipSize(kind));
    return image + QByteArray(ChipSize(kind) - image.size(), '\xFF');
}

// The archive of the test: its own SQLite file and data folder, named to the window by KAVRO_ARCHIVE.
struct ArchiveFolder {
    ArchiveFolder()
    {
        qputenv("XDG_DATA_HOME", data.path().toUtf8());
        qputenv("KAVRO_ARCHIVE", file().toUtf8());
    }
    QString file() const { return data.filePath("archive.sqlite"); }
    QStringList fallbackFiles() const { return QDir(data.filePath("kavro/archive-fallback")).entryList(QDir::Files); }
    QList<ArchiveEntry> entries()
    {
        const auto listed = reader.List();
        return listed ? *listed : QList<ArchiveEntry>{};
    }
    // The journal's operations, oldest first, as "operation result".
    QStringList journal()
    {
        QStringList rows;
        for (const JournalEntry& row : reader.JournalEntries().value_or(QList<JournalEntry>{}))
            rows.prepend(row.operation + ' ' + row.result);
        return rows;
    }

    QTemporaryDir data;
    ChipArchive reader{ParseArchiveLocation(file())};
};

// The window with the write options as they are at every start.
struct ArchiveSession : WindowSession {
    ArchiveSession()
    {
        Find<QAction>("NPreview")->setChecked(true);
        ConnectProgrammer();
    }
    QByteArray& Chip(const char* name) { return port.memories.memory(ChipNamed(name)); }
    // How the last chip command ended, as the status bar says it.
    QString StatusLine() const { return Find<QLabel>("StatusEvent")->text(); }
    ArchiveDialog* OpenArchive()
    {
        Trigger("MFile_Archive");
        return form->findChild<ArchiveDialog*>();
    }
};

template <typename T>
T* In(QWidget* dialog, const char* name)
{
    return dialog->findChild<T*>(QLatin1String(name));
}

void SelectRows(ArchiveDialog* dialog, std::initializer_list<int> rows)
{
    auto* table = In<QTableView>(dialog, "ArchiveEntries");
    table->clearSelection();
    for (int row : rows)
        table->selectionModel()->select(table->model()->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

QString Column(ArchiveDialog* dialog, int row, int column)
{
    auto* table = In<QTableView>(dialog, "ArchiveEntries");
    return table->model()->index(row, column).data().toString();
}

} // namespace

class ArchiveWindowTest : public QObject {
    Q_OBJECT
private slots:
    void bothOptionsAreOnAtEveryStart()
    {
        ArchiveFolder folder;
        WindowSession session;
        QVERIFY(session.Find<QAction>("NBackup")->isChecked());
        QCOMPARE(session.Find<QAction>("NBackup")->text(), QString("Back up the chip before writing"));
        QCOMPARE(session.Find<QAction>("NPreview")->text(), QString("Show what a write will change"));
        session.PickLanguage(0);
        QCOMPARE(session.Find<QAction>("NBackup")->text(), QString("Сохранять содержимое микросхемы перед записью"));
        // Started, the window has not touched the archive.
        QVERIFY(!QFileInfo::exists(folder.file()));
        session.Trigger("MFile_Archive");
        auto* dialog = session.form->findChild<ArchiveDialog*>();
        QCOMPARE(dialog->windowTitle(), QString("Архив микросхем"));
        QCOMPARE(In<QPushButton>(dialog, "ArchiveRestore")->text(), QString("Записать в микросхему"));
    }

    void aWriteArchivesWhatTheChipHeldBeforeIt()
    {
        ArchiveFolder folder;
        ArchiveSession session;
        session.Find<QAction>("NPreview")->setChecked(false);
        const QByteArray buildingKeys = ChipImage(ChipKind::C24C16, TDeviceType::T150, {0x1A, 0x2B, 0x3C});
        session.Chip("24C16") = buildingKeys;
        const QString path = session.WriteDataFile("other-building.kvr", TDeviceType::T150, 0x77);
        session.Open(path);
        session.prompts.answer(PromptAnswer::Ok);
        session.Trigger("Write24c16");
        QVERIFY(session.prompts.allAnswersUsed());
        QCOMPARE(session.prompts.messages().size(), 1); // only the insert-chip question

        const QList<ArchiveEntry> entries = folder.entries();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].source, ArchiveSource::BeforeWrite);
        QCOMPARE(entries[0].chip, QString("24C16"));
        QCOMPARE(entries[0].type, TypeText(TDeviceType::T150));
        QCOMPARE(entries[0].file, path);
        QCOMPARE(folder.reader.Image(entries[0].sha256), buildingKeys);
        QCOMPARE(folder.journal(), QStringList({"read done", "write done", "check matched"}));
        auto written = std::make_unique<IntercomStore>(session.form->Store());
        QCOMPARE(session.Chip("24C16"), DumpLayoutFor(TDeviceType::T150)->encode(*written));

        // Turned off, the write reads nothing first and keeps nothing.
        session.Find<QAction>("NBackup")->setChecked(false);
        session.prompts.answer(PromptAnswer::Ok);
        session.Trigger("Write24c16");
        QCOMPARE(folder.entries().size(), 1);
        QCOMPARE(folder.journal().last(), QString("check matched"));
        QCOMPARE(folder.journal().size(), 5);
    }

    void aReadIsArchivedWithItsType()
    {
        ArchiveFolder folder;
        ArchiveSession session;
        const QByteArray onChip = ChipImage(ChipKind::C24C64, TDeviceType::PKU630, {0x01, 0x02, 0x03});
        session.Chip("24C64") = onChip;
        session.form->SelectTypeSilently(TDeviceType::PKU630);
        session.prompts.answer(PromptAnswer::Ok);
        session.Trigger("READ24c64");
        QVERIFY(session.PageShown("TabSheet4"));
        const QList<ArchiveEntry> entries = folder.entries();
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].source, ArchiveSource::Read);
        QCOMPARE(entries[0].type, TypeText(TDeviceType::PKU630));
        QCOMPARE(folder.reader.Image(entries[0].sha256), session.Chip("24C64"));
        QCOMPARE(folder.journal(), QStringList({"read done"}));
    }

    // Each page family: the chip holds a controller's key, the document another; the preview says
    // both in the page's terms, and declining it leaves the chip as it was.
    void thePreviewListsTheChangesAndDecliningStopsTheWrite_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("chip");
        QTest::newRow("apartments, T150") << TDeviceType::T150 << int(ChipKind::C24C16) << "Write24c16"
                                          << "24C16";
        QTest::newRow("key list, LMR 700") << TDeviceType::LMR702 << int(ChipKind::C24C16) << "Write24c16"
                                           << "24C16";
        QTest::newRow("PKU-618") << TDeviceType::PKU618 << int(ChipKind::C24C64) << "Write24c64"
                                 << "24C64";
        QTest::newRow("PKU-630") << TDeviceType::PKU630 << int(ChipKind::C24C64) << "Write24c64"
                                 << "24C64";
        QTest::newRow("G300, DS1996") << TDeviceType::G300 << int(ChipKind::DS1996) << "WriteDS1996"
                                      << "DS1996";
        QTest::newRow("PKU-512S") << TDeviceType::PKU512S << int(ChipKind::C24C64) << "Write24c64"
                                  << "24C64";
    }
    void thePreviewListsTheChangesAndDecliningStopsTheWrite()
    {
        QFETCH(TDeviceType, type);
        QFETCH(int, kind);
        QFETCH(QString, action);
        QFETCH(QString, chip);
        ArchiveFolder folder;
        ArchiveSession session;
        const QByteArray buildingKeys = ChipImage(ChipKind(kind), type, {0x1A, 0x2B, 0x3C});
        session.Chip(qPrintable(chip)) = buildingKeys;
        session.Open(session.WriteDataFile("wrong.kvr", type, 0x77));
        session.prompts.answer(PromptAnswer::Ok).answer(PromptAnswer::No);
        session.Trigger(qPrintable(action));
        QVERIFY(session.prompts.allAnswersUsed());
        const QString preview = session.prompts.texts().last();
        QVERIFY2(preview.startsWith("The write will change on the chip " + chip + " (" + TypeText(type) + "):"),
                 qPrintable(preview));
        QVERIFY2(preview.contains("3C 2B 1A") && preview.contains("33 22 77"), qPrintable(preview));
        QVERIFY(preview.endsWith("Write the chip?"));
        QCOMPARE(session.Chip(qPrintable(chip)), buildingKeys);
        QCOMPARE(session.StatusLine(), "Chip " + chip + " not written");
        // What was read for the preview is kept all the same.
        QCOMPARE(folder.entries().size(), 1);
        QCOMPARE(folder.journal(), QStringList({"read done"}));
    }

    void aBlankChipAndAChipAlreadyHoldingTheDocumentAreSaidAsSuch()
    {
        ArchiveFolder folder;
        ArchiveSession session;
        session.NewDocument(TDeviceType::T150);
        session.Chip("24C16").fill('\xFF');
        session.prompts.answer(PromptAnswer::Ok).answer(PromptAnswer::Yes);
        session.Trigger("Write24c16");
        QCOMPARE(session.prompts.texts().last(),
                 QString("The chip 24C16 is blank: the write erases nothing.\nWrite the chip?"));
        QCOMPARE(session.StatusLine(), QString("Chip 24C16 written and checked"));

        session.prompts.answer(PromptAnswer::Ok).answer(PromptAnswer::No);
        session.Trigger("Write24c16");
        QCOMPARE(session.prompts.texts().last(),
                 QString("The chip 24C16 already holds the same content: the write changes nothing. Write anyway?"));
        QCOMPARE(folder.journal().count("write done"), 1);

        // Another controller's chip does not read as this type.
        session.Chip("24C64") = ChipImage(ChipKind::C24C64, TDeviceType::PKU630, {0x1A, 0x2B, 0x3C});
        session.NewDocument(TDeviceType::PKU512S);
        session.prompts.answer(PromptAnswer::Ok).answer(PromptAnswer::No);
        session.Trigger("Write24c64");
        QCOMPARE(session.prompts.texts().last(),
                 "The content of the chip 24C64 does not read as data of the type \"" + TypeText(TDeviceType::PKU512S) +
                     "\": it may be another controller's chip. Its content is kept in the archive.\nWrite the chip?");
    }

    void aFailedBackupReadAsksAndNoWritesNothing()
    {
        ArchiveFolder folder;
        ArchiveSession session;
        const QByteArray buildingKeys = ChipImage(ChipKind::C24C16, TDeviceType::T150, {0x1A, 0x2B, 0x3C});
        session.Chip("24C16") = buildingKeys;
        session.NewDocument(TDeviceType::T150);
        session.port.stallAfter = 3; // the adapter check and two blocks, then nothing
        // Insert the chip; the read's error; no backup, no write.
        session.prompts.answer(PromptAnswer::Ok).answer(PromptAnswer::Ok).answer(PromptAnswer::No);
        session.Trigger("Write24c16");
        QVERIFY(session.prompts.allAnswersUsed());
        QCOMPARE(session.prompts.texts().last(), QString("The chip's content could not be read, so no backup was made. "
                                                         "Write the chip without a backup?"));
        QCOMPARE(session.Chip("24C16"), buildingKeys);
        QCOMPARE(folder.journal(), QStringList({"read failed"}));
        QCOMPARE(session.StatusLine(), QString("Chip 24C16 not written"));
        QVERIFY(!session.port.isOpen());
    }

    void aDamagedDatabaseIsNamedAndTheBackupGoesToAFallbackFile()
    {
        ArchiveFolder folder;
        WriteAll(folder.file(), QByteArray(4096, 'x'));
        ArchiveSession session;
        session.Find<QAction>("NPreview")->setChecked(false);
        const QByteArray buildingKeys = ChipImage(ChipKind::C24C16, TDeviceType::T150, {0x1A, 0x2B, 0x3C});
        session.Chip("24C16") = buildingKeys;
        session.NewDocument(TDeviceType::T150);
        session.prompts.answer(PromptAnswer::Ok);
        session.Trigger("Write24c16");
        QCOMPARE(session.prompts.messages().size(), 2); // the one warning, not one per journal row
        const ScriptedPrompts::Shown warning = session.prompts.messages().last();
        QVERIFY2(warning.text.startsWith("The chip archive " + folder.file() + " cannot be used"),
                 qPrintable(warning.text));
        QVERIFY(warning.text.contains("The chip's image was kept in the file"));
        const QStringList kept = folder.fallbackFiles();
        QCOMPARE(kept.size(), 1);
        QCOMPARE(ReadAll(folder.data.filePath("kavro/archive-fallback/" + kept[0])), buildingKeys);
        // The write went on.
        QCOMPARE(session.StatusLine(), QString("Chip 24C16 written and checked"));
        QVERIFY(session.Chip("24C16") != buildingKeys);
    }

    void theArchiveWindowListsFindsOpensSavesAndDeletes()
    {
        ArchiveFolder folder;
        const QByteArray lesnaya = ChipImage(ChipKind::C24C16, TDeviceType::T150, {0x1A, 0x2B, 0x3C});
        const QByteArray dump = Pattern(32768, 3);
        const auto add = [&](const char* chip, const QString& type, const QString& source, const char* note,
                             const QByteArray& image, int minutesAgo) {
            ArchiveEntry entry;
            entry.time = QDateTime::currentDateTimeUtc().addSecs(-60 * minutesAgo);
            entry.chip = chip;
            entry.type = type;
            entry.source = source;
            entry.note = note;
            QVERIFY(folder.reader.Add(entry, image).ok());
        };
        add("24C16", TypeText(TDeviceType::T150), ArchiveSource::Read, "ул. Лесная, 5", lesnaya, 30);
        add("24C64", TypeText(TDeviceType::PKU630), ArchiveSource::BeforeWrite, "Sadovaya 1",
            ChipImage(ChipKind::C24C64, TDeviceType::PKU630, {1, 2, 3}), 20);
        add("24C256", QString(), ArchiveSource::ProgrammerMode, "", dump, 10);

        ArchiveSession session;
        ArchiveDialog* dialog = session.OpenArchive();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), QString("Chip archive"));
        QCOMPARE(In<QTableView>(dialog, "ArchiveEntries")->model()->rowCount(), 3);
        QCOMPARE(Column(dialog, 0, 1), QString("24C256")); // newest first
        QCOMPARE(Column(dialog, 0, 3), QString("programmer mode"));
        QCOMPARE(Column(dialog, 2, 4), QString("ул. Лесная, 5"));
        QVERIFY(!In<QPushButton>(dialog, "ArchiveOpen")->isEnabled()); // nothing selected yet

        In<QLineEdit>(dialog, "ArchiveNoteFilter")->setText("ЛЕСНАЯ");
        QCOMPARE(In<QTableView>(dialog, "ArchiveEntries")->model()->rowCount(), 1);
        In<QLineEdit>(dialog, "ArchiveNoteFilter")->clear();
        In<QLineEdit>(dialog, "ArchiveTypeFilter")->setText("pku");
        QCOMPARE(In<QTableView>(dialog, "ArchiveEntries")->model()->rowCount(), 1);
        QCOMPARE(Column(dialog, 0, 1), QString("24C64"));
        In<QLineEdit>(dialog, "ArchiveTypeFilter")->clear();

        // Opened as a document: the page of its type, unsaved and without a file.
        SelectRows(dialog, {2});
        In<QPushButton>(dialog, "ArchiveOpen")->click();
        QVERIFY(session.PageShown("TabSheet1"));
        QCOMPARE(session.form->CurrentType(), TDeviceType::T150);
        QCOMPARE(session.Find<StringGrid>("SGrid1")->Cell(2, 1), QString("3C 2B 1A"));
        QVERIFY(session.Modified() && !session.form->Document().HasFileName);

        // Saved as a dump.
        SelectRows(dialog, {0});
        const QString saved = session.File("saved.bin");
        session.prompts.choose(FileDialogChoice{saved, 1});
        In<QPushButton>(dialog, "ArchiveSave")->click();
        QCOMPARE(ReadAll(saved), dump);

        // A note is kept with the entry.
        In<QLineEdit>(dialog, "ArchiveNoteText")->setText("ул. Садовая, 2");
        In<QPushButton>(dialog, "ArchiveSaveNote")->click();
        QCOMPARE(folder.entries()[0].note, QString("ул. Садовая, 2"));
        QCOMPARE(Column(dialog, 0, 4), QString("ул. Садовая, 2"));

        // Deleted only after a yes.
        SelectRows(dialog, {0});
        session.prompts.answer(PromptAnswer::No);
        In<QPushButton>(dialog, "ArchiveDelete")->click();
        QCOMPARE(folder.entries().size(), 3);
        QVERIFY(session.prompts.texts().last().startsWith("Delete entry "));
        session.prompts.answer(PromptAnswer::Yes);
        In<QPushButton>(dialog, "ArchiveDelete")->click();
        QCOMPARE(folder.entries().size(), 2);
        QCOMPARE(In<QTableView>(dialog, "ArchiveEntries")->model()->rowCount(), 2);
        QVERIFY(session.prompts.allAnswersUsed());
    }

    void aDumpFromProgrammerModeGoesBackIntoItsChipThroughTheBackup()
    {
        ArchiveFolder folder;
        const QByteArray dump = Pattern(32768, 3);
        ArchiveEntry entry;
        entry.chip = "24C256";
        entry.source = ArchiveSource::ProgrammerMode;
        QVERIFY(folder.reader.Add(entry, dump).ok());
        ArchiveSession session;
        const QByteArray onChip = Pattern(32768, 4);
        session.Chip("24C256") = onChip;
        ArchiveDialog* dialog = session.OpenArchive();
        SelectRows(dialog, {0});
        session.prompts.answer(PromptAnswer::Ok).answer(PromptAnswer::Yes);
        In<QPushButton>(dialog, "ArchiveRestore")->click();
        QVERIFY(session.prompts.allAnswersUsed());
        QVERIFY2(session.prompts.texts().last().startsWith("The write will change bytes on the chip 24C256: "),
                 qPrintable(session.prompts.texts().last()));
        QCOMPARE(session.Chip("24C256"), dump);
        const QList<ArchiveEntry> entries = folder.entries();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].source, ArchiveSource::BeforeWrite);
        QCOMPARE(folder.reader.Image(entries[0].sha256), std::optional<QByteArray>(onChip));
        QCOMPARE(In<QTableView>(dialog, "ArchiveEntries")->model()->rowCount(), 2);
    }

    void aComparisonListsTheDifferencesAndARowSelectsTheCell()
    {
        ArchiveFolder folder;
        const auto add = [&](std::array<std::uint8_t, 3> key, int minutesAgo) {
            ArchiveEntry entry;
            entry.time = QDateTime::currentDateTimeUtc().addSecs(-60 * minutesAgo);
            entry.chip = "24C16";
            entry.type = TypeText(TDeviceType::T150);
            entry.source = ArchiveSource::BeforeWrite;
            QVERIFY(folder.reader.Add(entry, ChipImage(ChipKind::C24C16, TDeviceType::T150, key)).ok());
        };
        add({0x1A, 0x2B, 0x3C}, 20);
        add({0x11, 0x22, 0x33}, 10);
        ArchiveSession session;
        ArchiveDialog* dialog = session.OpenArchive();
        auto* differences = In<QListWidget>(dialog, "ArchiveDifferences");

        SelectRows(dialog, {0, 1});
        In<QPushButton>(dialog, "ArchiveCompare")->click();
        QCOMPARE(differences->count(), 1);
        QVERIFY2(differences->item(0)->text().contains("3C 2B 1A") && differences->item(0)->text().contains("33 22 11"),
                 qPrintable(differences->item(0)->text()));

        // Against the document: the older entry opened, then its key changed on the page.
        SelectRows(dialog, {1});
        In<QPushButton>(dialog, "ArchiveOpen")->click();
        In<QPushButton>(dialog, "ArchiveCompareDocument")->click();
        QCOMPARE(differences->item(0)->text(), QString("No differences"));
        session.Record().KeySlots[0].bytes = {0x44, 0x55, 0x66, 0xFF};
        In<QPushButton>(dialog, "ArchiveCompareDocument")->click();
        QCOMPARE(differences->count(), 1);
        auto* grid = session.Find<StringGrid>("SGrid1");
        grid->SelectCell(5, 40);
        emit differences->itemActivated(differences->item(0));
        QVERIFY(grid->Col() == 2 && grid->Row() == 1);
    }

    // File > Compare with a file: a data file or a chip dump of the building's older state is listed
    // in the page's terms, a row selects its cell, and the document stays as it is.
    void comparingWithADataFileOrADumpListsTheChangesAndSelectsTheCell()
    {
        ArchiveFolder folder;
        ArchiveSession session;
        session.Open(session.WriteDataFile("building.kvr", TDeviceType::T150, 0x77));
        const QString olderFile = session.WriteDataFile("older.kvr", TDeviceType::T150, 0x55);
        auto older = std::make_unique<IntercomStore>(session.form->Store());
        older->Record.KeySlots[0].bytes = {0x55, 0x22, 0x33, 0xFF};
        const QString olderDump = session.File("older.bin");
        WriteAll(olderDump, DumpLayoutFor(TDeviceType::T150)->encode(*older));
        const QByteArray document = DataFileBytes(session.form->Store().Record);

        for (const auto& [path, filter] : {std::pair{olderFile, 1}, std::pair{olderDump, 2}}) {
            session.prompts.choose(FileDialogChoice{path, filter});
            session.Trigger("ACompareWith");
            auto* window = session.form->findChild<QDialog*>(QStringLiteral("ComparisonWindow"));
            QVERIFY(window && window->isVisible());
            QVERIFY(In<QLabel>(window, "ComparisonHeading")->text().contains(path));
            QCOMPARE(DataFileBytes(session.form->Store().Record), document);
            auto* list = In<QListWidget>(window, "ComparisonDifferences");
            QCOMPARE(list->count(), 1);
            QVERIFY2(list->item(0)->text().contains("33 22 55") && list->item(0)->text().contains("33 22 77"),
                     qPrintable(list->item(0)->text()));
            session.Find<StringGrid>("SGrid1")->setCurrentCell(5, 5);
            emit list->itemActivated(list->item(0));
            QCOMPARE(session.Find<StringGrid>("SGrid1")->currentRow(), 1);
            QCOMPARE(session.Find<StringGrid>("SGrid1")->currentColumn(), 2);
        }
    }

    // File > Compare with the chip: the chip is read and kept in the archive, its differences from
    // the document listed; the document is not replaced.
    void comparingWithTheChipKeepsItInTheArchiveAndLeavesTheDocument()
    {
        ArchiveFolder folder;
        ArchiveSession session;
        session.Chip("24C16") = ChipImage(ChipKind::C24C16, TDeviceType::T150, {0x1A, 0x2B, 0x3C});
        session.Open(session.WriteDataFile("building.kvr", TDeviceType::T150, 0x77));
        auto* menu = session.Find<QMenu>("MCompareChip");
        emit menu->aboutToShow();
        QCOMPARE(menu->actions().size(), 1);      // the T150 keeps its data on a 24C16 only
        session.prompts.answer(PromptAnswer::Ok); // the chip is in the socket
        menu->actions().first()->trigger();
        QVERIFY(session.prompts.allAnswersUsed());
        auto* list = In<QListWidget>(session.form->findChild<QDialog*>(QStringLiteral("ComparisonWindow")),
                                     "ComparisonDifferences");
        QVERIFY(!list->findItems(QStringLiteral("3C 2B 1A"), Qt::MatchContains).isEmpty());
        QVERIFY(!list->findItems(QStringLiteral("33 22 77"), Qt::MatchContains).isEmpty());
        const QList<ArchiveEntry> kept = folder.entries();
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept[0].source, ArchiveSource::Read);
        QVERIFY(!session.form->Document().DataModified);
        QCOMPARE(session.form->Store().Record.KeySlots[0].bytes[0], 0x77);
    }
};

QTEST_MAIN(ArchiveWindowTest)
#include "tst_archivewindow.moc"
