// `kavro FILE`, as a double click on a data file in the file manager starts it: the file opens in
// the started window as File > Open opens it, and a file that cannot be opened leaves an empty window.

#include "WindowSession.h"

class CommandLineOpenTest : public QObject {
    Q_OBJECT
private slots:
    void aDataFileNamedAtStartOpensWithoutADialogAndShowsItsTypesPage()
    {
        WindowSession session;
        const QString path = session.WriteDataFile("block7.kvr", TDeviceType::PKU512T, 0x5A);
        session.form->OpenDataFileFromCommandLine(path);
        QVERIFY(session.prompts.dialogs().isEmpty() && session.prompts.messages().isEmpty());
        QCOMPARE(session.Find<QComboBox>("CBox2")->currentIndex(), 9);
        QVERIFY(session.PageShown("TabSheet1"));
        QCOMPARE(session.Record().KeySlots[0].bytes[0], 0x5A);
        QCOMPARE(session.form->windowTitle(), NotConnectedTitle() + "   " + path);
        QVERIFY(session.Enabled("MFile_Save") && !session.Modified());
        // A plain Save writes the same file back, as after File > Open.
        session.Record().Codes[0] = 0x4321;
        session.form->MarkModified();
        session.form->ASaveExecute();
        QVERIFY(session.prompts.dialogs().isEmpty());
        auto saved = std::make_unique<TIntercomData>();
        QCOMPARE(LoadDataFile(*saved, path), LoadResult::Loaded);
        QCOMPARE(saved->Codes[0], 0x4321);
    }

    void aFileThatCannotBeOpenedGivesTheUsualMessageAndAnEmptyWindow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << "gone.kvr" << QByteArray() << "Error: cannot open the file";
        QTest::newRow("empty") << "empty.kvr" << QByteArray("") << "Error: cannot read the file";
        QTest::newRow("short") << "short.kvr" << Filled(LegacyDataFileSize - 1, 0x11) << "Error: cannot read the file";
        QTest::newRow("a folder") << "folder.kvr" << QByteArray() << "Error: cannot open the file";
    }
    void aFileThatCannotBeOpenedGivesTheUsualMessageAndAnEmptyWindow()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        WindowSession session;
        const QString path = session.File(name);
        if (name == "folder.kvr")
            QVERIFY(QDir().mkdir(path));
        else if (name != "gone.kvr")
            WriteAll(path, content);
        session.form->OpenDataFileFromCommandLine(path);
        QCOMPARE(session.prompts.messages().size(), 1);
        QVERIFY(session.prompts.messages().constFirst().text.startsWith(message));
        QVERIFY(session.prompts.messages().constFirst().text.contains(path));
        QVERIFY(session.PagesHidden());
        QVERIFY(!session.form->Document().HasFileName);
        QCOMPARE(session.form->windowTitle(), NotConnectedTitle());
        // The window goes on as after any refused file: File > New still works.
        session.NewDocument(TDeviceType::PKU630);
        QVERIFY(session.PageShown("TabSheet4"));
    }

    void aFileWithADamagedTypeNameAsksBeforeItIsOpened()
    {
        WindowSession session;
        auto record = std::make_unique<TIntercomData>(session.Record());
        record->TypeName.fill(0);
        record->Codes[0] = 0x4321;
        const QString path = session.File("damaged.kvr");
        WriteAll(path, DataFileBytes(*record));

        session.prompts.answer(PromptAnswer::No);
        session.form->OpenDataFileFromCommandLine(path);
        QCOMPARE(session.prompts.texts(),
                 QStringList{path + "\nData have been damaged. Do you really want to continue?"});
        QVERIFY(session.PagesHidden() && !session.form->Document().HasFileName);
        QVERIFY(session.prompts.allAnswersUsed() && !session.prompts.unexpectedPrompt());
    }
};

QTEST_MAIN(CommandLineOpenTest)
#include "tst_commandlineopen.moc"
