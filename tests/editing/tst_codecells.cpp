// Typing apartment codes into the code column of the apartment tables of the real window: four
// digits become a code one digit per nibble, an unfinished code shows the stored one again
// whichever way the user leaves it, and Delete empties it.

#include "EditingSession.h"

namespace {

QString CodeText(std::uint16_t code) { return QStringLiteral("%1").arg(code, 4, 16, QLatin1Char('0')).toUpper(); }

} // namespace

class CodeCellsTest : public QObject {
    Q_OBJECT
private slots:
    void fourDigitsStoreACodeOneDigitPerNibbleAndMoveDown_data()
    {
        QTest::addColumn<QString>("digits");
        QTest::addColumn<bool>("keypad");
        QTest::addColumn<int>("code");
        QTest::newRow("1234") << "1234" << false << 0x1234;
        QTest::newRow("zeros") << "0000" << false << 0x0000;
        QTest::newRow("zero between digits") << "1050" << false << 0x1050;
        QTest::newRow("keypad digits") << "0451" << true << 0x0451;
    }
    void fourDigitsStoreACodeOneDigitPerNibbleAndMoveDown()
    {
        QFETCH(QString, digits);
        QFETCH(bool, keypad);
        QFETCH(int, code);
        EditingSession session(TDeviceType::T150);
        session.Record().CodeCounter = 7;
        StringGrid* grid = session.Grid("SGrid1");
        session.Focus(grid, 1, 5);
        for (const QChar digit : digits)
            EditingSession::Stroke(Qt::Key_0 + digit.digitValue(), keypad ? Qt::KeypadModifier : Qt::NoModifier, digit);
        QCOMPARE(session.Record().Codes[4], code);
        QCOMPARE(session.Record().CodeCounter, 8);
        QVERIFY(grid->Col() == 1 && grid->Row() == 6);
        QCOMPARE(grid->Cell(1, 5), digits);
        QVERIFY(session.prompts.messages().isEmpty()); // no reader needed for codes
    }

    void aCommittedCodeMovesDownOnlyWhileTheNextRowIsBelowTheTablesBound_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<bool>("smallIButton");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("rowAfter");
        QTest::newRow("T150 row 98") << TDeviceType::T150 << false << "SGrid1" << 98 << 99;
        QTest::newRow("T150 row 99") << TDeviceType::T150 << false << "SGrid1" << 99 << 99;
        QTest::newRow("T150 row 100") << TDeviceType::T150 << false << "SGrid1" << 100 << 100;
        QTest::newRow("PKU-630 row 199") << TDeviceType::PKU630 << false << "SGrid4" << 199 << 199;
        QTest::newRow("G300 row 199") << TDeviceType::G300 << false << "SGrid6" << 199 << 200;
        QTest::newRow("G300 row 200") << TDeviceType::G300 << false << "SGrid6" << 200 << 200;
        QTest::newRow("G300 DS1995 row 99") << TDeviceType::G300 << true << "StringGrid2" << 99 << 100;
        QTest::newRow("G300 DS1995 row 100") << TDeviceType::G300 << true << "StringGrid2" << 100 << 100;
        QTest::newRow("PKU-512S row 198") << TDeviceType::PKU512S << false << "SGrid9" << 198 << 199;
        QTest::newRow("PKU-512S row 199") << TDeviceType::PKU512S << false << "SGrid9" << 199 << 199;
    }
    void aCommittedCodeMovesDownOnlyWhileTheNextRowIsBelowTheTablesBound()
    {
        QFETCH(TDeviceType, type);
        QFETCH(bool, smallIButton);
        QFETCH(QString, grid);
        QFETCH(int, row);
        QFETCH(int, rowAfter);
        EditingSession session(type, smallIButton);
        StringGrid* table = session.Grid(qPrintable(grid));
        session.Focus(table, 1, row);
        EditingSession::Type("2468");
        QCOMPARE(session.Record().Codes[row - 1], 0x2468);
        QCOMPARE(table->Row(), rowAfter);
        QCOMPARE(table->Cell(1, row), QString("2468"));
    }

    void anUnfinishedCodeShowsTheStoredCodeAgain_data()
    {
        QTest::addColumn<QString>("leave");
        QTest::newRow("Down") << "Down";
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("Escape") << "Escape";
        QTest::newRow("a letter") << "A";
        QTest::newRow("Backspace") << "Backspace";
        QTest::newRow("a click on another cell") << "click cell";
        QTest::newRow("a click on another control") << "click field";
    }
    void anUnfinishedCodeShowsTheStoredCodeAgain()
    {
        QFETCH(QString, leave);
        EditingSession session(TDeviceType::T150);
        session.Record().Codes[4] = 0x4321;
        session.form->PageControl1Change();
        StringGrid* grid = session.Grid("SGrid1");
        session.ClickInto(grid, 1, 5);
        EditingSession::Type("12");
        QCOMPARE(grid->Cell(1, 5), QString("12"));
        if (leave == "Down") EditingSession::Stroke(Qt::Key_Down);
        if (leave == "Enter") EditingSession::Stroke(Qt::Key_Return);
        if (leave == "Escape") EditingSession::Stroke(Qt::Key_Escape);
        if (leave == "A") EditingSession::Type("A");
        if (leave == "Backspace") EditingSession::Stroke(Qt::Key_Backspace);
        if (leave == "click cell") session.ClickInto(grid, 3, 8);
        if (leave == "click field") {
            auto* field = session.Find("MaskEdit2");
            QTest::mouseClick(field, Qt::LeftButton);
            QTRY_COMPARE(QApplication::focusWidget(), field);
        }
        QCOMPARE(grid->Cell(1, 5), QString("4321"));
        QCOMPARE(session.Record().Codes[4], 0x4321);
        if (!leave.startsWith("click")) {
            // The keyboard never moves the cursor out of a code cell; the next digit starts anew.
            QVERIFY(grid->Col() == 1 && grid->Row() == 5);
            EditingSession::Type("9");
            QCOMPARE(grid->Cell(1, 5), QString("9"));
        }
    }

    void aClickIntoTheTableFromAnotherControlOnlyRecordsTheCell()
    {
        EditingSession session(TDeviceType::T150);
        session.Record().Codes[2] = 0x1111;
        session.form->PageControl1Change();
        StringGrid* grid = session.Grid("SGrid1");
        session.ClickInto(grid, 1, 3);
        EditingSession::Type("55");
        // A click on another control restores the code; coming back, the first click restores nothing
        // and the code typed next belongs to the cell clicked.
        QTest::mouseClick(session.Find("MaskEdit3"), Qt::LeftButton);
        QCOMPARE(grid->Cell(1, 3), QString("1111"));
        session.ClickInto(grid, 1, 9);
        EditingSession::Type("7777");
        QCOMPARE(session.Record().Codes[8], 0x7777);
        QCOMPARE(session.Record().Codes[2], 0x1111);
        QCOMPARE(grid->Cell(1, 9), QString("7777"));
    }

    void deleteAndClearEmptyTheCodeAndLowerTheCountWhileAboveZero_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("codeBefore");
        QTest::addColumn<int>("countBefore");
        QTest::addColumn<int>("countAfter");
        QTest::newRow("Delete on a code") << int(Qt::Key_Delete) << 0x1234 << 3 << 2;
        QTest::newRow("Delete on FFFF still counts") << int(Qt::Key_Delete) << 0xFFFF << 3 << 2;
        QTest::newRow("Delete with the count at 0") << int(Qt::Key_Delete) << 0x1234 << 0 << 0;
        QTest::newRow("keypad Clear") << int(Qt::Key_Clear) << 0x1234 << 1 << 0;
    }
    void deleteAndClearEmptyTheCodeAndLowerTheCountWhileAboveZero()
    {
        QFETCH(int, key);
        QFETCH(int, codeBefore);
        QFETCH(int, countBefore);
        QFETCH(int, countAfter);
        EditingSession session(TDeviceType::PKU630);
        session.Record().Codes[10] = static_cast<std::uint16_t>(codeBefore);
        session.Record().CodeCounter = static_cast<std::uint16_t>(countBefore);
        session.form->PageControl1Change();
        StringGrid* grid = session.Grid("SGrid4");
        session.Focus(grid, 1, 11);
        EditingSession::Type("12");
        EditingSession::Stroke(key, key == Qt::Key_Clear ? Qt::KeypadModifier : Qt::NoModifier);
        QCOMPARE(session.Record().Codes[10], 0xFFFF);
        QCOMPARE(grid->Cell(1, 11), QString("FFFF"));
        // Lowered once per keystroke: the release of the key does not count again.
        QCOMPARE(session.Record().CodeCounter, countAfter);
    }

    void theG300KeyOnlyRowsHaveNoCodeAndLetTheArrowsThrough()
    {
        EditingSession session(TDeviceType::G300);
        StringGrid* grid = session.Grid("SGrid6");
        const QByteArray before = DataFileBytes(session.Record());
        session.Focus(grid, 1, 201);
        EditingSession::Type("5");
        QCOMPARE(grid->Cell(1, 201), QString());
        EditingSession::Stroke(Qt::Key_Down);
        QCOMPARE(grid->Row(), 202);
        EditingSession::Stroke(Qt::Key_Up);
        EditingSession::Stroke(Qt::Key_Up);
        QCOMPARE(grid->Row(), 200);
        QCOMPARE(grid->Cell(1, 200), CodeText(session.Record().Codes[199]));
        QCOMPARE(DataFileBytes(session.Record()), before);
    }
};

QTEST_MAIN(CodeCellsTest)
#include "tst_codecells.moc"
