// The grid and field building blocks the editing rules rely on: cell addressing with the fixed
// row and column, key handlers that can swallow a key before the cell sees it, masked fields.

#include "views/FocusTracker.h"
#include "views/MaskEdit.h"
#include "views/SettingSpinEdit.h"
#include "views/StringGrid.h"

#include <QKeyEvent>
#include <QMessageBox>
#include <QTimer>
#include <QVBoxLayout>
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
        QCOMPARE(seen, (QStringList{"press x", "release x", "press 5", "release 5", "press x", "release x", "press 6",
                                    "release 6"}));
    }

    void aClickOnALabelCellLeavesTheCurrentCellAndEveryMoveIsReportedOnce()
    {
        StringGrid grid("Grid", 4, 6);
        grid.show();
        QVERIFY(QTest::qWaitForWindowActive(&grid));
        QList<QPair<int, int>> selected;
        connect(&grid, &StringGrid::CellSelected, &grid, [&](int column, int row) { selected.append({column, row}); });
        grid.SelectCell(2, 3);
        QCOMPARE(selected, (QList<QPair<int, int>>{{2, 3}}));
        const auto click = [&](int column, int row) {
            QTest::mouseClick(grid.viewport(), Qt::LeftButton, {},
                              grid.visualRect(grid.model()->index(row, column)).center());
        };
        click(0, 5); // a row label
        click(3, 0); // a header cell
        click(0, 0);
        QVERIFY(grid.Col() == 2 && grid.Row() == 3);
        QCOMPARE(selected.size(), 1);
        click(3, 4);
        QTest::keyClick(&grid, Qt::Key_Up);
        grid.SelectCell(0, 0); // the program cannot put the cursor on a label either
        QCOMPARE(selected, (QList<QPair<int, int>>{{2, 3}, {3, 4}, {3, 3}, {1, 1}}));
        // A fill reports nothing and keeps the cell.
        grid.SelectCell(2, 4);
        selected.clear();
        grid.BeginRows({"a", "b", "c", "d"});
        for (int row = 1; row <= 5; ++row) grid.AppendRow({QString::number(row)});
        grid.EndRows();
        QVERIFY(selected.isEmpty());
        QVERIFY(grid.Col() == 2 && grid.Row() == 4);
    }

    void escapeAndTabReachTheKeyHandlerFirstAndAClosedEditorShowsTheCell()
    {
        StringGrid grid("Grid", 3, 3);
        grid.SetEditable(true);
        grid.show();
        QVERIFY(QTest::qWaitForWindowActive(&grid));
        grid.SetCell(1, 1, "stored");
        grid.SelectCell(1, 1);
        QList<int> pressed;
        grid.SetKeyHandler([&](QKeyEvent& event, KeyPhase phase) {
            if (phase == KeyPhase::Press) pressed << event.key();
            return false;
        });
        QTest::keyClick(&grid, 'a');
        QVERIFY(grid.InPlaceEditor());
        QCOMPARE(grid.Cell(1, 1), QString("a"));
        QTest::keyClick(grid.InPlaceEditor(), Qt::Key_Escape);
        QVERIFY(!grid.InPlaceEditor());
        QCOMPARE(grid.Cell(1, 1), QString("stored")); // the typed text is gone with the editor
        QTest::keyClick(&grid, 'b');
        QTest::keyClick(grid.InPlaceEditor(), Qt::Key_Tab);
        QTest::keyClick(&grid, Qt::Key_Tab);
        QCOMPARE(pressed, (QList<int>{Qt::Key_A, Qt::Key_Escape, Qt::Key_B, Qt::Key_Tab, Qt::Key_Tab}));
    }

    void aModalMessageIsNoExitFromAGridOrAField()
    {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* grid = new StringGrid("Grid", 3, 3, &window);
        auto* field = new MaskEdit("Field", MaskEdit::Digits::Four, &window);
        auto* other = new QLineEdit(&window);
        layout->addWidget(grid);
        layout->addWidget(field);
        layout->addWidget(other);
        QStringList events;
        connect(grid, &StringGrid::Entered, &window, [&] { events << "grid entered"; });
        connect(grid, &StringGrid::Exited, &window, [&] { events << "grid exited"; });
        connect(field, &MaskEdit::Entered, &window, [&] { events << "field entered"; });
        connect(field, &MaskEdit::Exited, &window, [&] { events << "field exited"; });
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        for (QWidget* target : {static_cast<QWidget*>(grid), static_cast<QWidget*>(field)}) {
            target->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), target);
            QTimer::singleShot(50, [] {
                if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) box->accept();
            });
            QMessageBox::information(&window, "Message", "a modal box takes the focus for a while");
            window.activateWindow();
            target->setFocus();
            QTRY_COMPARE(QApplication::focusWidget(), target);
        }
        other->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), other);

        QCOMPARE(events, (QStringList{"grid entered", "grid exited", "field entered", "field exited"}));
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
        spin.ShowValue(12);
        spin.selectAll();
        stored = -1;
        QTest::keyClick(&spin, Qt::Key_Backspace); // stored at once, before the field is left
        QCOMPARE(stored, 3);
        spin.ShowValue(99);
        QCOMPARE(spin.value(), 20);
        QCOMPARE(stored, 3);
    }
};

QTEST_MAIN(GridAndFieldsTest)
#include "tst_gridandfields.moc"
