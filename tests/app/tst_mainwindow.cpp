// The main window as a user drives it: start-up, language, New, Open, Save, the type change and
// closing, with scripted answers to every question and dialog.

#include "WindowSession.h"

#include "app/AboutBox.h"
#include "app/QtPrompts.h"
#include "app/QtTranslation.h"
#include "views/StringGrid.h"

#include <QCheckBox>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>

namespace {

QString KeyCell(const WindowSession& session, int column, int row)
{
    return session.Find<StringGrid>("SGrid1")->Cell(column, row);
}

const QString ProgrammerInterface = QStringLiteral("USB\\VID_04D8&PID_E91A\\1-1:1.0");

} // namespace

class MainWindowTest : public QObject {
    Q_OBJECT
private slots:
    void startsQuietlyInTheLanguageOfLangIniWithOnlyTheFileCommands_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("listEntry");
        QTest::addColumn<QString>("fileMenu");
        QTest::newRow("no lang.ini is english") << QByteArray() << "english"
                                                << "File";
        QTest::newRow("russian") << QByteArray("[language]\nselected=0\n") << "русский"
                                 << "Файл";
        QTest::newRow("other value is english") << QByteArray("[language]\nselected=7\n") << "english"
                                                << "File";
        QTest::newRow("text value is english") << QByteArray("[language]\nselected=abc\n") << "english"
                                               << "File";
        QTest::newRow("other section is english") << QByteArray("[other]\nselected=0\n") << "english"
                                                  << "File";
    }
    void startsQuietlyInTheLanguageOfLangIniWithOnlyTheFileCommands()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, listEntry);
        QFETCH(QString, fileMenu);
        WindowSession session(ini);
        QCOMPARE(session.Find<QComboBox>("ComboBox1")->currentText(), listEntry);
        QCOMPARE(session.Find<QMenu>("MFile")->title().remove('&'), fileMenu); // '&' marks the mnemonic
        QCOMPARE(session.form->windowTitle(), NotConnectedTitle());
        QVERIFY(session.prompts.messages().isEmpty());
        QVERIFY(session.PagesHidden() && session.Find("CGauge1")->isHidden());
        for (const char* off : {"MCmd_Write", "N1", "N5", "MFile_Save", "N3", "N24c322", "DS19952", "ToolButton11"})
            QVERIFY2(!session.Enabled(off), off);
        for (const char* on : {"N24c162", "ToolButton3", "ToolButton1", "ToolButton2"})
            QVERIFY2(session.Enabled(on), on);
        // Until New, codes and passwords read 0000, not the empty FFFF.
        QCOMPARE(session.Record().Codes[0], 0);
        QCOMPARE(session.Record().ServicePassword, 0);
    }

    void choosingALanguageSwitchesCaptionsAndHintsAtOnceAndStoresIt()
    {
        WindowSession session;
        session.PickLanguage(0);
        QVERIFY(ReadAll(session.IniPath()).contains("[language]\nselected=0"));
        QCOMPARE(session.form->windowTitle(), QString("Программа KAVRO_PX17"));
        QCOMPARE(session.Find<QAction>("N3")->text(), QString("Сохранить как..."));
        QCOMPARE(session.Find<QMenu>("MCmd_Copy")->title(), QString("Копировать микросхему"));
        QCOMPARE(session.Find("MaskEdit1")->toolTip(), QString("Изменение пароля входа в режим сервисных установок"));
        session.PickLanguage(1);
        QVERIFY(ReadAll(session.IniPath()).contains("[language]\nselected=1"));
        QCOMPARE(session.Find("ToolButton6")->toolTip(), QString("Reading keys KAVRO-RX5"));
    }

    void qtsOwnTextsFollowTheLanguage()
    {
        const auto yes = [] { return QCoreApplication::translate("QPlatformTheme", "&Yes"); };
        {
            WindowSession session("[language]\nselected=0\n");
            QCOMPARE(yes(), QString("&Да"));
            session.PickLanguage(1);
            QCOMPARE(yes(), QString("&Yes"));
            session.PickLanguage(0);
            QCOMPARE(yes(), QString("&Да"));
        }
        QCOMPARE(yes(), QString("&Yes")); // the window takes Qt's Russian texts with it

        // Without Qt's catalogues the program goes on in English.
        QTemporaryDir empty;
        QtTranslation missing(empty.path());
        missing.Apply(Language::Russian);
        QCOMPARE(yes(), QString("&Yes"));
    }

    void pagesKeepTheLanguageOfTheirLastFill()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::T150);
        QVERIFY(!session.Find("ComboBox1")->isEnabled());
        session.PickType(TDeviceType::QS151); // a type change enables the language list again
        session.PickLanguage(0);
        QCOMPARE(KeyCell(session, 2, 0), QString("key 1"));
        QCOMPARE(session.Find<QCheckBox>("CB7")->text(), QString("enable general access code"));
        session.form->ANewExecute();
        QCOMPARE(KeyCell(session, 2, 0), QString("ключ 1"));
        QCOMPARE(session.Find<QCheckBox>("CB7")->text(), QString("Разрешение общего кода доступа"));
    }

    void newShowsTheTypesPageWithDefaultsAndItsWriteItem_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("writeItem");
        QTest::newRow("T150") << TDeviceType::T150 << "TabSheet1"
                              << "N24c163";
        QTest::newRow("LMR 702") << TDeviceType::LMR702 << "TabSheet2"
                                 << "N24c163";
        QTest::newRow("PKU-630") << TDeviceType::PKU630 << "TabSheet4"
                                 << "N24c643";
        QTest::newRow("G300 after a DS1995 read") << TDeviceType::G300 << "TabSheet5"
                                                  << "DS19963";
        QTest::newRow("PKU-512S") << TDeviceType::PKU512S << "TabSheet7"
                                  << "N24c643";
        QTest::newRow("PKU-630XE") << TDeviceType::PKU630XE << "TabSheet10"
                                   << "";
    }
    void newShowsTheTypesPageWithDefaultsAndItsWriteItem()
    {
        QFETCH(TDeviceType, type);
        QFETCH(QString, page);
        QFETCH(QString, writeItem);
        WindowSession session;
        session.form->SetSmallIButton(true); // a DS1995 read before: New still shows the DS1996 page
        session.NewDocument(type);
        QVERIFY(session.PageShown(qPrintable(page)));
        for (const char* item : {"N24c163", "N24c323", "N24c643", "DS19963"})
            QCOMPARE(session.Enabled(item), writeItem == QLatin1String(item));
        for (const char* on : {"MCmd_Write", "MFile_Save", "N3", "ToolButton5", "ToolButton6", "N1"})
            QVERIFY2(session.Enabled(on), on);
        QCOMPARE(session.Record().GeneralCode, 0x9385);
        QCOMPARE(TypeNameText(session.Record()), TypeText(type));
        QVERIFY(!session.Modified());
    }

    void newAsksForATypeAndAfterChangesAsksToSaveFirst()
    {
        WindowSession session;
        session.NewDocument(std::nullopt);
        QCOMPARE(session.prompts.texts(), QStringList{"First, select the type of doorphone"});
        QVERIFY(session.PagesHidden());
        session.NewDocument(TDeviceType::T150);
        session.Record().Codes[0] = 0x1234;
        session.form->MarkModified();
        session.prompts.answer(PromptAnswer::Cancel).answer(PromptAnswer::No);
        session.form->ANewExecute(); // Cancel keeps everything
        QCOMPARE(session.prompts.texts().last(), QString("Data have been modified. Do you want to save?"));
        QVERIFY(session.Record().Codes[0] == 0x1234 && session.Modified());
        session.form->ANewExecute(); // No makes the new document without saving
        QVERIFY(session.Record().Codes[0] == 0xFFFF && !session.Modified());
        QVERIFY(session.prompts.dialogs().isEmpty());
    }

    void typeChangeHidesThePageKeepsTheDataAndAfterChangesFollowsTheAnswer()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::T150);
        session.Record().KeySlots[7].bytes = {1, 2, 3, 0xFF};
        session.PickType(TDeviceType::PKU512S);
        QVERIFY(session.PagesHidden());
        for (const char* off : {"MCmd_Write", "MFile_Save", "N3", "N5", "ToolButton5", "N1"})
            QVERIFY2(!session.Enabled(off), off);
        QVERIFY(session.Enabled("N24c162") && session.Enabled("N24c642"));
        QCOMPARE(TypeNameText(session.Record()), QString("PKU-512S"));
        QCOMPARE(session.Record().KeySlots[7].bytes[0], 1);
        session.PickType(TDeviceType::G300);
        QVERIFY(session.Enabled("DS19952") && session.Enabled("DS19962") && !session.Enabled("N24c162"));

        session.PickType(TDeviceType::PKU630);
        session.form->ANewExecute();
        session.form->MarkModified();
        session.prompts.answer(PromptAnswer::Cancel);
        session.PickType(TDeviceType::LMR702);
        QCOMPARE(session.Find<QComboBox>("CBox2")->currentIndex(), 4);
        QVERIFY(session.PageShown("TabSheet4") && session.Modified());

        // No changes the type without saving.
        session.prompts.answer(PromptAnswer::No);
        session.PickType(TDeviceType::PKU618);
        QVERIFY(session.prompts.dialogs().isEmpty());
        QVERIFY(!session.Modified() && session.PagesHidden());
        QCOMPARE(TypeNameText(session.Record()), QString("PKU-618"));

        // Cancel with a record that names no type selects no entry rather than a wrong one.
        session.form->ANewExecute();
        StoreTypeName(session.Record(), std::nullopt);
        session.form->MarkModified();
        session.prompts.answer(PromptAnswer::Cancel);
        session.PickType(TDeviceType::PKU511);
        QCOMPARE(session.Find<QComboBox>("CBox2")->currentIndex(), -1);
        QVERIFY(session.PageShown("TabSheet3"));
    }

    void aCancelledTypeChangeLeavesKeysGoingWhereTheShownTypeKeepsThem()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::PKU630XE);
        session.form->MarkModified();
        session.prompts.answer(PromptAnswer::Cancel);
        session.PickType(TDeviceType::PKU630);
        QCOMPARE(session.form->CurrentType(), TDeviceType::PKU630XE);
        session.form->InsertKey({0x3C, 0x2B, 0x1A});
        QCOMPARE(session.form->Store().ExtensionKeySlots[0].bytes,
                 (std::array<std::uint8_t, 4>{0x3C, 0x2B, 0x1A, 0xFF}));
        QVERIFY(session.Record().KeySlots[0].isEmpty());
    }

    void yesToSavingFirstGoesOnOnlyOnceTheDocumentIsWritten_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("dialogCancelled"); // otherwise the chosen file cannot be written
        for (const char* command : {"close", "New", "Open", "type change"}) {
            QTest::addRow("%s, save dialog cancelled", command) << command << true;
            QTest::addRow("%s, write fails", command) << command << false;
        }
    }
    void yesToSavingFirstGoesOnOnlyOnceTheDocumentIsWritten()
    {
        QFETCH(QString, command);
        QFETCH(bool, dialogCancelled);
        WindowSession session;
        session.NewDocument(TDeviceType::PKU630);
        session.Record().Codes[0] = 0x1234;
        session.form->MarkModified();
        WriteAll(session.File("plain"), "x");
        session.prompts.answer(PromptAnswer::Yes);
        if (dialogCancelled)
            session.prompts.choose(std::nullopt);
        else
            session.prompts.choose(FileDialogChoice{session.File("plain/doc.kvr"), 1}); // its folder is a file
        if (command == "close")
            QVERIFY(!session.form->close());
        else if (command == "New")
            session.form->ANewExecute();
        else if (command == "Open")
            session.form->MFile_OpenClick();
        else
            session.PickType(TDeviceType::LMR702);
        QCOMPARE(session.prompts.dialogs().size(), 1); // the save dialog, and no open dialog after it
        QCOMPARE(session.prompts.messages().size(), dialogCancelled ? 1 : 2);
        QVERIFY(session.form->isVisible() && session.Modified());
        QCOMPARE(session.Record().Codes[0], 0x1234);
        QCOMPARE(session.Find<QComboBox>("CBox2")->currentIndex(), 4);
        QVERIFY(session.PageShown("TabSheet4"));
        QVERIFY(session.prompts.allAnswersUsed());
    }

    void saveOfANewDocumentProposesTheTypeAndWritesADataFile()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::LMR70x2680);
        const QString path = session.File("lmr.kvr");
        session.prompts.choose(FileDialogChoice{path, 1});
        session.form->ASaveExecute();
        const FileDialogRequest& dialog = session.prompts.dialogs().constFirst();
        QCOMPARE(dialog.fileName, QString("LMR 70\u0445-2680"));
        QCOMPARE(dialog.defaultSuffix, QString("kvr"));
        QCOMPARE(dialog.filters, QString("файл данных(*.kvr)|*.kvr|бинарный файл(*.bin)|*.bin"));
        QCOMPARE(ReadAll(path).size(), DataFileSize);
        QVERIFY(session.form->windowTitle().endsWith("   " + path));
        session.form->MarkModified();
        session.form->ASaveExecute(); // named now: no dialog
        QCOMPARE(session.prompts.dialogs().size(), 1);
        QVERIFY(session.form->close()); // saved: nothing asked
        QVERIFY(session.prompts.messages().isEmpty());
    }

    void saveOfANewPku630XEProposesAChipDump()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::PKU630XE);
        const QString path = session.File("xe.bin");
        session.prompts.choose(FileDialogChoice{path, 2}).choose(std::nullopt);
        session.form->ASaveExecute();
        QCOMPARE(session.prompts.dialogs().constFirst().fileName, QString("PKU630XE"));
        QCOMPARE(session.prompts.dialogs().constFirst().filterIndex, 2);
        QCOMPARE(ReadAll(path).size(), 65536);
        session.form->ASaveAsExecute(); // Save As proposes the type's list text, also for this type
        QCOMPARE(session.prompts.dialogs().last().fileName, QString("PKU-630XE"));
    }

    void saveAsOverAnExistingFileAsksUntilTheUserAgrees()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::T150);
        const QString existing = session.File("old.kvr");
        WriteAll(existing, "keep");
        session.prompts.choose(FileDialogChoice{existing, 1}).answer(PromptAnswer::No).choose(std::nullopt);
        session.form->ASaveAsExecute();
        QCOMPARE(ReadAll(existing), QByteArray("keep"));
        QCOMPARE(session.prompts.dialogs().size(), 2);
        QCOMPARE(session.prompts.texts(), QStringList{"File name already exists. Do you want to overwrite?"});
        // The declined file never becomes the document's file.
        QVERIFY(!session.form->Document().HasFileName);
        QVERIFY(session.form->Document().DocumentPath.isEmpty());

        session.prompts.choose(FileDialogChoice{existing, 1}).answer(PromptAnswer::Yes);
        session.form->ASaveAsExecute();
        QCOMPARE(ReadAll(existing).size(), DataFileSize);
        QCOMPARE(session.form->Document().DocumentPath, existing);
    }

    void aSaveThatCannotWriteKeepsTheWindowTheDataAndTheOldFile()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::T150);
        session.form->MarkModified();
        WriteAll(session.File("plain"), "x");
        session.prompts.choose(FileDialogChoice{session.File("plain/doc.kvr"), 1}); // its folder is a file
        session.form->ASaveExecute();
        QCOMPARE(session.prompts.messages().size(), 1);
        QVERIFY(session.prompts.messages().constFirst().text.startsWith("Failed to create file"));
        QCOMPARE(session.prompts.messages().constFirst().caption, QString("Error"));
        QVERIFY(session.form->isVisible() && session.Modified());

        // The file was not written, so it is not the document's: closing with Yes asks for a
        // name again, and the same failure keeps the window open and the data modified.
        QVERIFY(!session.form->Document().HasFileName);
        QCOMPARE(session.form->windowTitle(), NotConnectedTitle());
        session.prompts.answer(PromptAnswer::Yes).choose(FileDialogChoice{session.File("plain/doc.kvr"), 1});
        QVERIFY(!session.form->close());
        QVERIFY(session.Modified());
        QCOMPARE(ReadAll(session.File("plain")), QByteArray("x"));
    }

    void aSaveAsThatCannotWriteKeepsTheDocumentsFile()
    {
        WindowSession session;
        const QString good = session.WriteDataFile("good.kvr", TDeviceType::T150);
        session.Open(good);
        session.Record().Codes[0] = 0x4321;
        session.form->MarkModified();
        WriteAll(session.File("plain"), "x");
        session.prompts.choose(FileDialogChoice{session.File("plain/doc.bin"), 2});
        session.form->ASaveAsExecute();
        QVERIFY(session.prompts.messages().constFirst().text.startsWith("Failed to create file"));
        QCOMPARE(session.form->windowTitle(), NotConnectedTitle() + "   " + good);
        QVERIFY(session.Modified());

        // The next Save writes the document's own file in its own format, without a dialog.
        session.form->ASaveExecute();
        QCOMPARE(session.prompts.dialogs().size(), 2);
        auto saved = std::make_unique<TIntercomData>();
        QCOMPARE(LoadDataFile(*saved, good), LoadResult::Loaded);
        QCOMPARE(saved->Codes[0], 0x4321);
        QVERIFY(!session.Modified());
    }

    void theTitleNamesTheDocumentsFileOnlyWhileItHasOne()
    {
        WindowSession session;
        const QString path = session.WriteDataFile("a.kvr", TDeviceType::T150);
        const QString named = NotConnectedTitle() + "   " + path;
        session.Open(path);
        QCOMPARE(session.form->windowTitle(), named);
        // The programmer's status changes the caption in front of the file, not the file.
        session.notices.send(DeviceEvent::ConfigurationChanged, DeviceKind::Other);
        QCOMPARE(session.form->windowTitle(), named);
        session.form->ANewExecute();
        QCOMPARE(session.form->windowTitle(), NotConnectedTitle());
        session.Open(path);
        session.PickType(TDeviceType::PKU618);
        QCOMPARE(session.form->windowTitle(), NotConnectedTitle());
        session.prompts.choose(FileDialogChoice{session.File("b.kvr"), 1});
        session.form->ANewExecute();
        session.form->ASaveAsExecute();
        QCOMPARE(session.form->windowTitle(), NotConnectedTitle() + "   " + session.File("b.kvr"));
    }

    void theFileMenuShowsTheShortcutsAndCtrlSSaves()
    {
        WindowSession session;
        QCOMPARE(session.Find<QAction>("MFile_New")->text(), QString("New\tCtrl+N"));
        QCOMPARE(session.Find<QAction>("MFile_Open")->text(), QString("Open\tCtrl+O"));
        session.PickLanguage(0);
        QCOMPARE(session.Find<QAction>("MFile_Save")->text(), QString("Сохранить\tCtrl+S"));
        const QString path = session.WriteDataFile("a.kvr", TDeviceType::T150);
        session.Open(path);
        QVERIFY(session.Enabled("MFile_Save") && session.Enabled("ASave"));
        session.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
        for (QWidget* focus : {QApplication::focusWidget(), static_cast<QWidget*>(session.form->menuBar())}) {
            focus->setFocus();
            session.Record().Codes[0] = 0x4321;
            session.form->MarkModified();
            QTest::keyClick(focus, Qt::Key_S, Qt::ControlModifier);
            QVERIFY2(!session.Modified(), focus->metaObject()->className()); // also while the menu bar has the focus
            auto saved = std::make_unique<TIntercomData>();
            QCOMPARE(LoadDataFile(*saved, path), LoadResult::Loaded);
            QCOMPARE(saved->Codes[0], 0x4321);
            WriteAll(path, DataFileBytes(*std::make_unique<TIntercomData>()));
        }
    }

    void openLoadsADataFileSelectsItsTypeAndShowsItsPage()
    {
        WindowSession session;
        session.Open(session.WriteDataFile("first.kvr", TDeviceType::T150));
        const QString path = session.WriteDataFile("a.kvr", TDeviceType::PKU512T, 0x5A);
        session.Open(path);
        const FileDialogRequest& dialog = session.prompts.dialogs().constFirst();
        QCOMPARE(dialog.title, QString("Открыть файл для записи в программатор"));
        QCOMPARE(dialog.fileName, QString("*.kvr"));
        QCOMPARE(session.Find<QComboBox>("CBox2")->currentIndex(), 9);
        QVERIFY(session.PageShown("TabSheet1"));
        QCOMPARE(KeyCell(session, 2, 1), QString("33 22 5A"));
        QVERIFY(session.Enabled("MFile_Save") && session.Enabled("ASaveAs"));
        // Open leaves the chip items as the page's fill set them.
        QVERIFY(session.Enabled("N24c163") && session.Enabled("N5") && !session.Enabled("N24c643"));
        QVERIFY(!session.Modified());
        QCOMPARE(session.form->windowTitle(), NotConnectedTitle() + "   " + path); // only the last file
        // The dialog remembers the file for the next time.
        session.prompts.choose(std::nullopt);
        session.form->MFile_OpenClick();
        QCOMPARE(session.prompts.dialogs().last().fileName, path);
    }

    void openRefusesBadFilesAndKeepsThePreviousDocument_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QString>("message");
        QTest::newRow("short") << Filled(LegacyDataFileSize - 1, 0) << true << "Error: cannot read the file";
        QTest::newRow("missing") << QByteArray() << false << "Error: cannot open the file";
    }
    void openRefusesBadFilesAndKeepsThePreviousDocument()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, exists);
        QFETCH(QString, message);
        WindowSession session;
        const QString good = session.WriteDataFile("good.kvr", TDeviceType::PKU630, 0x77);
        session.Open(good);
        if (exists) WriteAll(session.File("bad.kvr"), content);
        session.Open(session.File("bad.kvr"));
        QCOMPARE(session.prompts.messages().size(), 1);
        QVERIFY(session.prompts.messages().constFirst().text.startsWith(message));
        QCOMPARE(session.form->windowTitle(), NotConnectedTitle() + "   " + good);
        QCOMPARE(session.form->Document().DocumentPath, good);
        QCOMPARE(session.Record().KeySlots[0].bytes[0], 0x77);
        QVERIFY(session.PageShown("TabSheet4"));
    }

    void openOfADamagedNameAsksFirst()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::QS151);
        auto record = std::make_unique<TIntercomData>(session.Record());
        record->TypeName.fill(0);
        record->Codes[0] = 0x4321;
        WriteAll(session.File("damaged.kvr"), DataFileBytes(*record));

        session.prompts.answer(PromptAnswer::No);
        session.Open(session.File("damaged.kvr"));
        QCOMPARE(session.prompts.texts(), QStringList{session.File("damaged.kvr") +
                                                      "\nData have been damaged. Do you really want to continue?"});
        QCOMPARE(session.Record().Codes[0], 0xFFFF);
        QVERIFY(!session.form->Document().HasFileName);

        session.prompts.answer(PromptAnswer::Yes);
        session.Open(session.File("damaged.kvr"));
        QCOMPARE(TypeNameText(session.Record()), QString("QS151"));
        QCOMPARE(KeyCell(session, 1, 1), QString("4321"));
    }

    void openWithPku630XESelectedOffersChipDumpsAndShowsNoPageForDataFiles()
    {
        WindowSession session;
        session.PickType(TDeviceType::PKU630XE);
        session.Open(session.WriteDataFile("xe.kvr", TDeviceType::PKU630XE));
        QCOMPARE(session.prompts.dialogs().constFirst().filterIndex, 2);
        QCOMPARE(session.prompts.dialogs().constFirst().fileName, QString("*.bin"));
        QVERIFY(session.PagesHidden());
        QVERIFY(session.form->Document().HasFileName && session.Enabled("MFile_Save"));
    }

    void aDocumentSavedAsAChipDumpOpensAgainAndIsSavedAsAChipDump()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::PKU630);
        session.Record().KeySlots[0].bytes = {0x12, 0x34, 0x56, 0xFF};
        const QString dump = session.File("pku630.bin");
        session.prompts.choose(FileDialogChoice{dump, 2});
        session.form->ASaveAsExecute();
        QCOMPARE(ReadAll(dump).size(), 4896);

        session.NewDocument(TDeviceType::PKU630);
        session.Open(dump, 2);
        QCOMPARE(session.Record().KeySlots[0].bytes[0], 0x12);
        QVERIFY(session.PageShown("TabSheet4"));
        session.Record().KeySlots[0].bytes[0] = 0x21;
        session.form->MarkModified();
        session.form->ASaveExecute();
        QCOMPARE(ReadAll(dump).size(), 4896); // still a dump, not a data file
        session.NewDocument(TDeviceType::PKU630);
        session.Open(dump, 2);

        // A dump that cannot be read changes nothing.
        WriteAll(session.File("huge.bin"), Filled(65537, '\x01'));
        session.Open(session.File("huge.bin"), 2);
        QCOMPARE(session.form->Document().DocumentPath, dump);
        QCOMPARE(session.Record().KeySlots[0].bytes[0], 0x21);
    }

    void everyCloseCommandAsksTheSaveFirstQuestion_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("File/Exit") << "MFile_Exit";
        QTest::newRow("menu bar Exit") << "MExit";
        QTest::newRow("tool button") << "ToolButton10";
        QTest::newRow("close box") << "";
    }
    void everyCloseCommandAsksTheSaveFirstQuestion()
    {
        QFETCH(QString, command);
        WindowSession session;
        session.NewDocument(TDeviceType::T150);
        session.form->MarkModified();
        const auto requestClose = [&] {
            if (command.isEmpty())
                session.form->close();
            else if (command.startsWith("Tool"))
                session.Find<QToolButton>(qPrintable(command))->click();
            else
                session.Trigger(qPrintable(command));
        };
        session.prompts.answer(PromptAnswer::Cancel);
        requestClose();
        QVERIFY(session.form->isVisible() && session.Modified());
        session.prompts.answer(PromptAnswer::No);
        requestClose();
        QVERIFY(!session.form->isVisible());
        QCOMPARE(session.prompts.messages().size(), 2);
    }

    void theProgrammerIsLookedForAtStartAndAfterEachPlugIn()
    {
        WindowSession session({}, {{"ttyACM0", "/dev/ttyACM0", true, ProgrammerVendorId, ProgrammerProductId}});
        QVERIFY(session.Enabled("ToolButton11"));
        QCOMPARE(session.form->windowTitle(), ConnectedTitle());
        QVERIFY(!session.port.isOpen()); // closed again after the version query

        session.ports.list = QList<PortEntry>{};
        session.notices.send(DeviceEvent::Arrival, DeviceKind::Interface, ProgrammerInterface);
        QCOMPARE(session.form->statusBar()->currentMessage(), QString("Вставлен новый интерфейс"));
        QVERIFY(!session.form->statusBar()->isHidden());
        session.notices.send(DeviceEvent::ConfigurationChanged, DeviceKind::Other);
        QCOMPARE(session.form->statusBar()->currentMessage(), QString("конфигурация изменена"));
        // Discovery after a plug-in speaks up when it finds nothing.
        QCOMPARE(session.prompts.texts(), QStringList{"There is no connection of the programmer"});
        QVERIFY(!session.Enabled("ToolButton11"));
    }

    void aGivenPortThatCannotBeOpenedIsReportedOnceAtStartUp()
    {
        WindowSession session({}, {{"ttyUSB9", "/dev/ttyUSB9", true, ProgrammerVendorId, ProgrammerProductId}},
                              PortOpenResult::Failed);
        QCOMPARE(session.prompts.texts(),
                 QStringList{"This port is busy or absent (port /dev/ttyUSB9).\nDevice or resource busy"});
        QCOMPARE(session.form->windowTitle(), NotConnectedTitle());
        QVERIFY(!session.Enabled("ToolButton11"));
    }

    void aSavedNameWithoutExtensionGetsTheSelectedFiltersExtension_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("filterIndex");
        QTest::addColumn<QString>("written");
        QTest::newRow("data file") << "/d/block7" << 1 << "/d/block7.kvr";
        QTest::newRow("chip dump") << "/d/block7" << 2 << "/d/block7.bin";
        QTest::newRow("type name as proposed") << "/d/PKU-630XE" << 2 << "/d/PKU-630XE.bin";
        QTest::newRow("extension typed") << "/d/dump.bin" << 2 << "/d/dump.bin";
        QTest::newRow("other extension typed") << "/d/old.kvr" << 2 << "/d/old.kvr";
        QTest::newRow("dotted folder") << "/d/v1.2/block7" << 2 << "/d/v1.2/block7.bin";
    }
    void aSavedNameWithoutExtensionGetsTheSelectedFiltersExtension()
    {
        QFETCH(QString, typed);
        QFETCH(int, filterIndex);
        QFETCH(QString, written);
        const QStringList filters = NameFilters("файл данных(*.kvr)|*.kvr|бинарный файл(*.bin)|*.bin");
        QCOMPARE(WithSuffixOfFilter(typed, filters[filterIndex - 1], "kvr"), written);
    }

    void theAboutBoxShowsTheProgramsVersionInTheChosenLanguage()
    {
        QCoreApplication::setApplicationVersion("2.3.4");
        TAboutBox russian(nullptr, Language::Russian);
        QCOMPARE(russian.windowTitle(), QString("О программе..."));
        QCOMPARE(russian.findChild<QLabel*>("Version")->text(), QString("Версия 2.3.4"));
        QCoreApplication::setApplicationVersion(QString());
        QCOMPARE(TAboutBox(nullptr, Language::English).findChild<QLabel*>("Version")->text(), QString("Version 4.1"));
    }
};

QTEST_MAIN(MainWindowTest)
#include "tst_mainwindow.moc"
