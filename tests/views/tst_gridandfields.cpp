// The grid and field building blocks the editing rules rely on: cell addressing with the fixed
// row and column, key handlers that can swallow a key before the cell sees it, masked fields.

#include "views/MaskEdit.h"
#include "views/SettingSpinEdit.h"
#include "views/StringGrid.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

class GridAndFieldsTest : public QObject {
    Q_OBJECT
private slots:
    void rowsGrowOneAtATimeBehindTheHeaderWhichTheCursorNeverEnters()
    {
        StringGrid grid("Grid", 3, 40);
        grid.BeginRows({"a", "b", "c"});
        QCOMPARE(grid.rowCount(), 2);
        grid.AppendRow({"1", "x"});
        QCOMPARE(grid.rowCount(), 2);
        grid.AppendRow({"2", "y", "z"});
        QCOMPARE(grid.rowCount(), 3);
        QCOMPARE(grid.Cell(0, 0), QString("a"));
        QCOMPARE(grid.Cell(1, 1), QString("x"));
        QCOMPARE(grid.Cell(2, 1), QString()); // nothing of an earlier row survives
        QCOMPARE(grid.Cell(2, 2), QString("z"));
        grid.SetCell(5, 9, "outside"); // ignored
        QCOMPARE(grid.Cell(5, 9), QString());

        // The cursor stays out of the fixed row and column.
        grid.show();
        grid.SelectCell(1, 1);
        QTest::keyClick(&grid, Qt::Key_Up);
        QTest::keyClick(&grid, Qt::Key_Left);
        QVERIFY(grid.Row() == 1 && grid.Col() == 1);
        QTest::keyClick(&grid, Qt::Key_Down);
        QCOMPARE(grid.Row(), 2);
    }

    void theKeyHandlerSeesPressAndReleaseOnceAndCanSwallow()
    {
        StringGrid grid("Grid", 3, 3);
        grid.SetEditable(true);
        grid.show();
        QVERIFY(QTest::qWaitForWindowActive(&grid));
        grid.SelectCell(1, 1);
        QStringList seen;
        grid.SetKeyHandler([&](QKeyEvent& event, KeyPhase phase) {
            seen << (phase == KeyPhase::Press ? "press " : "release ") + event.text();
            return event.text() == "x"; // x never reaches a cell
        });
        QTest::keyClick(&grid, 'x');
        QVERIFY(!grid.InPlaceEditor());
        QTest::keyClick(&grid, '5');
        QVERIFY(grid.InPlaceEditor());
        QTest::keyClick(grid.InPlaceEditor(), 'x');
        QTest::keyClick(grid.InPlaceEditor(), '6');
        QCOMPARE(grid.Cell(1, 1), QString("56")); // readable while typing
        QCOMPARE(seen, (QStringList{"press x", "release x", "press 5", "release 5", "press x", "release x",
                                    "press 6", "release 6"}));
    }

    void aMaskedFieldIsCompleteOnlyWithEveryDigitAndNeverSwallows()
    {
        MaskEdit field("Field", MaskEdit::Digits::Four);
        field.show();
        int keys = 0;
        field.SetKeyHandler([&](QKeyEvent&, KeyPhase) { ++keys; });
        field.setText("FFFF");
        QVERIFY(!field.IsComplete());
        field.setText("12");
        QVERIFY(!field.IsComplete());
        field.setText("");
        field.setCursorPosition(0);
        QTest::keyClicks(&field, "0451");
        QCOMPARE(field.text(), QString("0451"));
        QVERIFY(field.IsComplete());
        QCOMPARE(keys, 8);
        MaskEdit twoDigits("Two", MaskEdit::Digits::Two);
        twoDigits.setText("25");
        QVERIFY(twoDigits.IsComplete());
    }

    void aSpinEditTakesTextThatIsNoNumberAsItsLowerBound()
    {
        int stored = -1;
        SettingSpinEdit spin("Spin", {3, 20, 5}, SettingSpinEdit::Input::ButtonsAndDigits,
                             [&](int value) { stored = value; });
        spin.show();
        QVERIFY(QTest::qWaitForWindowActive(&spin));
        spin.setFocus();
        spin.selectAll();
        QTest::keyClick(&spin, Qt::Key_Backspace);
        QTest::keyClick(&spin, Qt::Key_Return);
        QCOMPARE(spin.value(), 3);
        QCOMPARE(stored, 3);
        spin.ShowValue(99);
        QCOMPARE(spin.value(), 20);
        QCOMPARE(stored, 3);
    }
};

QTEST_MAIN(GridAndFieldsTest)
#include "tst_gridandfields.moc"
