// The editor tools of the window, driven by keystrokes: undo and redo of every kind of change
// back to the saved state, finding a key by typing it or presenting it to the reader, the recent
// files across a restart, and the keys of a page to a spreadsheet file and back.

#include "WindowSession.h"

#include "views/ConfigCheckBox.h"
#include "views/StringGrid.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

namespace {

// Typed as the keyboard delivers it: every key to the widget that has the focus when it comes.
void TypeIntoFocus(const QByteArray& characters)
{
    for (const char character : characters) QTest::keyClick(QApplication::focusWidget(), character);
    QApplication::processEvents();
}

void PressInFocus(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier)
{
    QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    QApplication::processEvents();
}

void Undo() { PressInFocus(Qt::Key_Z); }
void Redo() { PressInFocus(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier); }

void ClickCell(StringGrid* grid, int column, int row)
{
    grid->scrollToItem(grid->item(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(row, column)).center());
    QApplication::processEvents();
}

KeySlot Slot(std::uint8_t first, std::uint8_t second, std::uint8_t third)
{
    return KeySlot{{first, second, third, 0xFF}};
}

} // namespace

class EditorWindowTest : public QObject {
    Q_OBJECT
private slots:
    void undoAndRedoTakeBackATypedKeyBackToTheSavedState()
    {
        WindowSession session;
        QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
        session.ConnectProgrammer();
        session.Open(session.WriteDataFile("keys.kvr", TDeviceType::LMR702));
        QApplication::processEvents();
        QVERIFY(!session.Enabled("AUndo") && !session.Enabled("ARedo"));
        session.Find<QToolButton>("ToolButton5")->click(); // a reader on: the table takes typed keys
        auto* grid = session.Find<StringGrid>("SGrid2");
        ClickCell(grid, 2, 1);
        TypeIntoFocus("B3C4D5");
        QCOMPARE(session.Record().KeySlots[1], Slot(0xD5, 0xC4, 0xB3));
        QVERIFY(session.Modified() && session.Enabled("AUndo"));

        grid->SelectCell(4, 3); // the cell undo selects is the changed one, wherever the user is
        grid->setFocus();
        Undo();
        QCOMPARE(session.Record().KeySlots[1], Slot(0xFF, 0xFF, 0xFF));
        QCOMPARE(grid->Cell(2, 1), QString("FF FF FF"));
        QCOMPARE(QPoint(grid->Col(), grid->Row()), QPoint(2, 1));
        QVERIFY(!session.Modified()); // back at what the file holds
        QVERIFY(!session.Enabled("AUndo") && session.Enabled("ARedo"));

        Redo();
        QCOMPARE(session.Record().KeySlots[1], Slot(0xD5, 0xC4, 0xB3));
        QCOMPARE(grid->Cell(2, 1), QString("B3 C4 D5"));
        QVERIFY(session.Modified());

        // Saved there, the typed key is the saved state: undoing it modifies the document.
        session.Trigger("ASave");
        Undo();
        QVERIFY(session.Modified());
        Redo();
        QVERIFY(!session.Modified());
    }

    void undoTakesBackACodeABoxAndFillCodesOneStepEach()
    {
        WindowSession session;
        QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
        session.NewDocument(TDeviceType::T150);
        QApplication::processEvents();
        const auto before = std::make_unique<TIntercomData>(session.Record());
        auto* grid = session.Find<StringGrid>("SGrid1");
        ClickCell(grid, 1, 5);
        TypeIntoFocus("2468");
        QCOMPARE(session.Record().Codes[4], 0x2468);
        auto* box = session.form->findChildren<ConfigCheckBox*>().constFirst();
        for (ConfigCheckBox* shown : session.form->findChildren<ConfigCheckBox*>())
            if (shown->isVisible() && shown->isEnabled()) box = shown;
        const std::uint8_t configBefore = session.Record().ConfigByte;
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(4, box->height() / 2));
        QApplication::processEvents();
        QVERIFY(session.Record().ConfigByte != configBefore);
        session.Trigger("N5");
        QApplication::processEvents();
        const std::uint16_t filled = session.Record().Codes[7];

        grid->setFocus();
        Undo(); // Fill codes, all codes at once
        QCOMPARE(session.Record().Codes[7], before->Codes[7]);
        QCOMPARE(session.Record().Codes[4], 0x2468);
        Undo(); // the box
        QCOMPARE(session.Record().ConfigByte, configBefore);
        Undo(); // the code, its cell selected
        QCOMPARE(session.Record().Codes[4], before->Codes[4]);
        QCOMPARE(QPoint(grid->Col(), grid->Row()), QPoint(1, 5));
        QVERIFY(!session.Modified());
        Redo();
        Redo();
        Redo();
        QCOMPARE(session.Record().Codes[7], filled);
        QCOMPARE(session.Record().ConfigByte == configBefore, false);
        QVERIFY(session.Modified());
    }

    void undoingAConversionGivesBackTheTypeAndItsPage()
    {
        WindowSession session;
        QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
        session.Open(session.WriteDataFile("house.kvr", TDeviceType::T150));
        QApplication::processEvents();
        const auto before = std::make_unique<TIntercomData>(session.Record());
        session.Trigger("toPKU630");
        QApplication::processEvents();
        QVERIFY(session.PageShown("TabSheet4"));
        session.Find<StringGrid>("SGrid4")->setFocus();
        Undo();
        QCOMPARE(session.form->CurrentType(), TDeviceType::T150);
        QVERIFY(session.PageShown("TabSheet1"));
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(&session.Record()), sizeof(TIntercomData)),
                 QByteArray(reinterpret_cast<const char*>(before.get()), sizeof(TIntercomData)));
        session.Find<StringGrid>("SGrid1")->setFocus();
        Redo();
        QCOMPARE(session.form->CurrentType(), TDeviceType::PKU630);
        QVERIFY(session.PageShown("TabSheet4"));
    }

    void aNewDocumentStartsANewHistory()
    {
        WindowSession session;
        QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
        session.NewDocument(TDeviceType::LMR702);
        QApplication::processEvents();
        session.Record().KeySlots[0] = Slot(1, 2, 3);
        session.form->MarkModified();
        QApplication::processEvents();
        QVERIFY(session.Enabled("AUndo"));
        session.prompts.answer(PromptAnswer::No);
        session.Open(session.WriteDataFile("other.kvr", TDeviceType::LMR702, 0x44));
        QApplication::processEvents();
        QVERIFY(!session.Enabled("AUndo"));
        QCOMPARE(session.Record().KeySlots[0], Slot(0x44, 0x22, 0x33));
    }

    void findingAKeySelectsItsCell_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<QString>("gridName");
        QTest::addColumn<QPoint>("cell");
        QTest::newRow("apartment table") << TDeviceType::T150 << "SGrid1" << QPoint(2, 1);
        QTest::newRow("key list") << TDeviceType::LMR702 << "SGrid2" << QPoint(1, 1);
    }
    void findingAKeySelectsItsCell()
    {
        QFETCH(TDeviceType, type);
        QFETCH(QString, gridName);
        QFETCH(QPoint, cell);
        WindowSession session;
        QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
        session.Open(session.WriteDataFile("keys.kvr", type, 0x11)); // slot 0: 11 22 33, shown "33 22 11"
        auto* grid = session.Find<StringGrid>(qPrintable(gridName));
        grid->SelectCell(3, 4);
        grid->setFocus();
        QTest::keyClick(session.form.get(), Qt::Key_F, Qt::ControlModifier);
        auto* box = session.Find<QLineEdit>("FindKeyBox");
        QTRY_VERIFY(box->isVisible());
        box->setFocus();
        QTest::keyClicks(box, "332211");
        auto* places = session.Find<QListWidget>("FindKeyPlaces");
        QCOMPARE(places->count(), 1);
        places->setFocus();
        places->setCurrentRow(0);
        QTest::keyClick(places, Qt::Key_Return);
        QCOMPARE(QPoint(grid->Col(), grid->Row()), cell);
        QVERIFY(!box->isVisible());

        // A key presented to the reader goes into the box and is not stored.
        session.Trigger("AFindKey");
        const QByteArray frame("\x44\x55\x66\xFF", 4); // 0x44 + 0x55 + 0x66 = 0xFF
        session.link.OnReaderFrame(frame, {});
        QCOMPARE(box->text(), QString("665544"));
        QCOMPARE(places->count(), 0);
        QVERIFY(!session.Find<QLabel>("FindKeySummary")->text().isEmpty());
        QCOMPARE(session.Record().KeySlots[1], Slot(0xFF, 0xFF, 0xFF));
    }

    void recentFilesAreKeptAcrossARestartAndOpenAsFileOpenDoes()
    {
        WindowSession session;
        const QString first = session.WriteDataFile("first.kvr", TDeviceType::LMR702, 0x51);
        const QString second = session.WriteDataFile("second.kvr", TDeviceType::PKU630, 0x52);
        session.Open(first);
        session.Open(second);
        QCOMPARE(session.prompts.dialogs().last().folder, session.dir.path());
        session.form.reset();
        session.form =
            std::make_unique<TForm1>(TForm1Setup{session.prompts,
                                                 session.IniPath(),
                                                 ProgrammerPieces{session.link, session.ports, session.notices},
                                                 {},
                                                 &session.sounds});
        session.form->show();
        QVERIFY(session.Find<QMenu>("MRecent")->isEnabled());
        QVERIFY(session.Find<QAction>("MRecent_1")->text().endsWith("second.kvr"));
        QVERIFY(session.Find<QAction>("MRecent_2")->text().endsWith("first.kvr"));
        QVERIFY(!session.Find<QAction>("MRecent_3")->isVisible());
        session.Trigger("MRecent_2");
        QApplication::processEvents();
        QCOMPARE(session.Record().KeySlots[0], Slot(0x51, 0x22, 0x33));
        QVERIFY(session.PageShown("TabSheet2"));
        QVERIFY(session.Find<QAction>("MRecent_1")->text().endsWith("first.kvr"));

        // Modified, the save-first question comes as for File > Open; Cancel keeps the document.
        session.Record().KeySlots[0] = Slot(1, 2, 3);
        session.form->MarkModified();
        session.prompts.answer(PromptAnswer::Cancel);
        session.Trigger("MRecent_2");
        QCOMPARE(session.Record().KeySlots[0], Slot(1, 2, 3));
        QVERIFY(session.prompts.allAnswersUsed());
    }

    void keysGoToASpreadsheetAndComeBackLineByLine()
    {
        WindowSession session;
        QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
        session.Open(session.WriteDataFile("keys.kvr", TDeviceType::LMR702, 0x11));
        session.Record().KeySlots[5] = Slot(0x0A, 0x0B, 0x0C);
        session.form->MarkModified();
        const QString csv = session.File("keys.csv");
        session.prompts.choose(FileDialogChoice{csv, 1}).answer(PromptAnswer::Ok);
        session.Trigger("AExportKeys");
        QStringList lines = QString::fromUtf8(ReadAll(csv)).split("\r\n", Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 3); // the header and two keys

        session.prompts.answer(PromptAnswer::No); // do not save
        session.NewDocument(TDeviceType::LMR702);
        session.Record().KeySlots[7] = Slot(0x0A, 0x0B, 0x0C); // the second key is already stored
        session.form->MarkModified();
        QApplication::processEvents();
        lines << "not,a,key,line";
        WriteAll(csv, lines.join("\r\n").toUtf8() + "\r\n");
        session.prompts.choose(FileDialogChoice{csv, 1}).answer(PromptAnswer::Ok);
        session.Trigger("AImportKeys");
        QCOMPARE(session.Record().KeySlots[0], Slot(0x11, 0x22, 0x33));
        const QStringList report = session.prompts.texts().constLast().split('\n');
        QCOMPARE(report.size(), 3);
        QVERIFY2(report[0].startsWith("line 2"), qPrintable(report[0]));
        QVERIFY2(report[1].contains("duplicate"), qPrintable(report[1]));
        QVERIFY2(report[2].startsWith("line 4"), qPrintable(report[2]));
        QCOMPARE(session.Find<StringGrid>("SGrid2")->Cell(1, 1), QString("33 22 11"));

        // The import is one step.
        QApplication::processEvents();
        session.Find<StringGrid>("SGrid2")->setFocus();
        Undo();
        QCOMPARE(session.Record().KeySlots[0], Slot(0xFF, 0xFF, 0xFF));
        QCOMPARE(session.Record().KeySlots[7], Slot(0x0A, 0x0B, 0x0C));
    }

    // A key refused as a duplicate: the status line offers to show where its copy is, and the
    // offer opens Find key on that key.
    void aRefusedDuplicateOffersToShowWhereItsCopyIs()
    {
        WindowSession session;
        session.ConnectProgrammer();
        session.NewDocument(TDeviceType::LMR702);
        session.Find<QToolButton>("ToolButton5")->click();
        auto* list = session.Find<StringGrid>("SGrid2");
        list->setFocus();
        list->SelectCell(1, 3);
        session.form->InsertKey({0x01, 0x02, 0x03});
        auto* offer = session.Find<QLabel>("StatusShowDuplicate");
        QVERIFY(offer->isHidden());
        list->SelectCell(1, 5);
        session.form->InsertKey({0x01, 0x02, 0x03});
        QVERIFY(!offer->isHidden());
        QVERIFY(offer->text().contains("Show where it is"));

        emit offer->linkActivated(QStringLiteral("find"));
        QCOMPARE(session.Find<QLineEdit>("FindKeyBox")->text().remove(' '), QString("030201"));
        auto* places = session.Find<QListWidget>("FindKeyPlaces");
        QCOMPARE(places->count(), 1);
        QVERIFY2(places->item(0)->text().contains("11"), qPrintable(places->item(0)->text()));

        session.form->InsertKey({0x04, 0x05, 0x06}); // the next key stored ends the offer
        QVERIFY(offer->isHidden());
    }

    void theEmptyWindowSaysWhatToDoFirst()
    {
        WindowSession session;
        auto* hint = session.Find<QLabel>("StartHint");
        QVERIFY(hint->isVisible());
        QCOMPARE(hint->text(), QString("Choose a controller type, then read a chip or open a file"));
        session.PickLanguage(0);
        QCOMPARE(hint->text(), QString("Выберите тип контроллера, затем прочитайте микросхему или откройте файл"));
        QCOMPARE(session.Find<QMenu>("MEdit")->title().remove('&'), QString("Правка"));
        session.NewDocument(TDeviceType::LMR702);
        QVERIFY(!hint->isVisible());
    }
};

QTEST_MAIN(EditorWindowTest)
#include "tst_editorwindow.moc"
