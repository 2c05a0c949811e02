// Typing keys into the key tables of the real window: six hexadecimal characters become a key
// in the page's key store, an unfinished entry leaves the record alone, Delete erases, and a key
// cell takes typing only while a reader button says which kind of key is entered.

#include "EditingSession.h"

#include "model/TextForms.h"

#include <QLineEdit>

namespace {

KeySlot Key(std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) { return KeySlot{{b0, b1, b2, 0xFF}}; }

} // namespace

class KeyCellsTest : public QObject {
    Q_OBJECT
private slots:
    void aTypedKeyGoesToTheKeyStoreOfEveryTable_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<bool>("smallIButton");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("stored"); // "slot N" or "header N"
        QTest::addColumn<QString>("focusAfter");
        QTest::newRow("T150") << TDeviceType::T150 << false << "SGrid1" << 3 << 2 << "slot 7"
                              << "SGrid1";
        QTest::newRow("PKU-512T") << TDeviceType::PKU512T << false << "SGrid1" << 2 << 1 << "slot 0"
                                  << "SGrid1";
        QTest::newRow("LMR 700 list") << TDeviceType::LMR702 << false << "SGrid2" << 5 << 2 << "slot 9"
                                      << "SGrid2";
        QTest::newRow("LMR 700 guard keys") << TDeviceType::LMR702 << false << "SGrid3" << 1 << 4 << "header 3"
                                            << "SGrid3";
        QTest::newRow("LMR 70x-2680 list") << TDeviceType::LMR70x2680 << false << "SGrid11" << 1 << 536 << "slot 2675"
                                           << "SGrid11";
        QTest::newRow("LMR 70x-2680 guard keys")
            << TDeviceType::LMR70x2680 << false << "SGrid12" << 1 << 28 << "header 27"
            << "SGrid12";
        QTest::newRow("PKU-618 refilled, focus stays")
            << TDeviceType::PKU618 << false << "SGrid5" << 30 << 1 << "slot 29"
            << "SGrid5";
        QTest::newRow("PKU-630 refilled") << TDeviceType::PKU630 << false << "SGrid4" << 7 << 199 << "slot 1193"
                                          << "MaskEdit6";
        QTest::newRow("G300 refilled") << TDeviceType::G300 << false << "SGrid6" << 2 << 300 << "slot 1794"
                                       << "MaskEdit8";
        QTest::newRow("G300 DS1995 refilled") << TDeviceType::G300 << true << "StringGrid2" << 5 << 100 << "slot 399"
                                              << "MaskEdit11";
        QTest::newRow("PKU-512S refilled, back in the table")
            << TDeviceType::PKU512S << false << "SGrid9" << 8 << 101 << "slot 1800"
            << "SGrid9";
        QTest::newRow("PKU-512S system keys") << TDeviceType::PKU512S << false << "SGrid10" << 1 << 5 << "header 4"
                                              << "SGrid10";
    }
    void aTypedKeyGoesToTheKeyStoreOfEveryTable()
    {
        QFETCH(TDeviceType, type);
        QFETCH(bool, smallIButton);
        QFETCH(QString, grid);
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QString, stored);
        QFETCH(QString, focusAfter);
        EditingSession session(type, smallIButton);
        session.StartReader();
        StringGrid* table = session.Grid(qPrintable(grid));
        session.Focus(table, column, row);
        const int countBefore = session.Record().KeyCounter;
        EditingSession::Type("1a2B3c");

        const int index = stored.section(' ', 1).toInt();
        const KeySlot& slot =
            stored.startsWith("slot") ? session.Record().KeySlots[index] : session.Record().HeaderKeySlots[index];
        // The DS1995 table reads keys in stored order: what was typed first is the first byte.
        QCOMPARE(slot, smallIButton ? Key(0x1A, 0x2B, 0x3C) : Key(0x3C, 0x2B, 0x1A));
        QCOMPARE(table->Cell(column, row), QString("1A 2B 3C"));
        QCOMPARE(session.Record().KeyCounter, countBefore + (stored.startsWith("slot") ? 1 : 0));
        QCOMPARE(QApplication::focusWidget()->objectName(), focusAfter);
        QVERIFY(session.Modified());
        QVERIFY(session.prompts.messages().isEmpty());
    }

    void theSameKeyTypedAgainIsRefusedAndVanishesFromItsCell()
    {
        EditingSession session(TDeviceType::T150);
        session.StartReader();
        StringGrid* grid = session.Grid("SGrid1");
        session.Focus(grid, 2, 1);
        EditingSession::Type("1A2B3C");
        QVERIFY(grid->Col() == 3 && grid->Row() == 1); // where the key store moved on
        session.Focus(grid, 4, 5);
        EditingSession::Type("1a2b3c");
        QCOMPARE(grid->Cell(4, 5), QString("FF FF FF"));
        QVERIFY(session.Record().KeySlots[20].isEmpty());
        QCOMPARE(session.Record().KeySlots[0], Key(0x3C, 0x2B, 0x1A));
        QCOMPARE(session.Record().KeyCounter, 1);
    }

    void shiftHeldForTheLettersTypesTheKeyInUpperCase()
    {
        EditingSession session(TDeviceType::T150);
        session.StartReader();
        session.Focus(session.Grid("SGrid1"), 2, 1);
        for (const QChar character : QString("1A2B3C")) {
            if (character.isDigit()) {
                EditingSession::Type(character);
                continue;
            }
            QTest::keyPress(QApplication::focusWidget(), Qt::Key_Shift);
            EditingSession::Stroke(Qt::Key_A + (character.unicode() - 'A'), Qt::ShiftModifier, character);
            QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Shift, Qt::ShiftModifier);
        }
        QCOMPARE(session.Record().KeySlots[0], Key(0x3C, 0x2B, 0x1A));
    }

    void anUnfinishedEntryShowsTheStoredKeyAgainAndTheNextKeyStartsAnew_data()
    {
        QTest::addColumn<int>("key");
        QTest::newRow("Enter") << int(Qt::Key_Return);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
        QTest::newRow("Escape") << int(Qt::Key_Escape);
        QTest::newRow("Backspace") << int(Qt::Key_Backspace);
        QTest::newRow("letter G") << int(Qt::Key_G);
        QTest::newRow("space") << int(Qt::Key_Space);
    }
    void anUnfinishedEntryShowsTheStoredKeyAgainAndTheNextKeyStartsAnew()
    {
        QFETCH(int, key);
        EditingSession session(TDeviceType::T150);
        session.Record().KeySlots[6] = Key(0x03, 0x02, 0x01);
        session.form->PageControl1Change();
        session.StartReader();
        StringGrid* grid = session.Grid("SGrid1");
        session.Focus(grid, 2, 2);
        EditingSession::Type("12");
        QCOMPARE(grid->Cell(2, 2), QString("12"));
        EditingSession::Stroke(key);
        QCOMPARE(grid->Cell(2, 2), QString("01 02 03"));
        QVERIFY(grid->Col() == 2 && grid->Row() == 2);
        EditingSession::Type("3");
        QCOMPARE(grid->Cell(2, 2), QString("3"));
        QCOMPARE(session.Record().KeySlots[6], Key(0x03, 0x02, 0x01));
    }

    void movingAwayMidEntryLeavesTheTypedCharactersUnstoredInTheirCell()
    {
        EditingSession session(TDeviceType::T150);
        session.StartReader();
        StringGrid* grid = session.Grid("SGrid1");
        session.Focus(grid, 2, 1);
        EditingSession::Type("12");
        EditingSession::Stroke(Qt::Key_Down);
        QVERIFY(grid->Col() == 2 && grid->Row() == 2);
        EditingSession::Type("3");
        QCOMPARE(grid->Cell(2, 2), QString("3"));
        QCOMPARE(grid->Cell(2, 1), QString("12"));
        EditingSession::Type("45678"); // the new entry of six characters completes in its own cell
        QCOMPARE(session.Record().KeySlots[6], Key(0x78, 0x56, 0x34));
        QVERIFY(session.Record().KeySlots[0].isEmpty());
    }

    void deleteErasesAStoredKeyAndNeverTakesTheCountBelowZero_data()
    {
        QTest::addColumn<bool>("stored");
        QTest::addColumn<int>("countBefore");
        QTest::addColumn<int>("countAfter");
        QTest::newRow("stored key") << true << 5 << 4;
        QTest::newRow("stored key, count 0") << true << 0 << 0;
        QTest::newRow("empty slot") << false << 5 << 5;
    }
    void deleteErasesAStoredKeyAndNeverTakesTheCountBelowZero()
    {
        QFETCH(bool, stored);
        QFETCH(int, countBefore);
        QFETCH(int, countAfter);
        EditingSession session(TDeviceType::T150);
        if (stored) session.Record().KeySlots[13] = Key(0x0D, 0x0E, 0x0F);
        session.Record().KeyCounter = static_cast<std::uint16_t>(countBefore);
        session.form->PageControl1Change();
        session.StartReader();
        StringGrid* grid = session.Grid("SGrid1");
        session.Focus(grid, 3, 3);
        EditingSession::Stroke(Qt::Key_Delete);
        QVERIFY(session.Record().KeySlots[13].isEmpty());
        QCOMPARE(grid->Cell(3, 3), QString("FF FF FF"));
        QCOMPARE(session.Record().KeyCounter, countAfter);
    }

    void withoutAReaderAKeyCellShowsTheMessageOncePerPressAndKeepsItsKey_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::newRow("Russian") << 0 << QString::fromUtf8("Не выбан тип ключа") << QString::fromUtf8("Ошибка");
        QTest::newRow("English") << 1 << "not selected type of key"
                                 << "Error";
    }
    void withoutAReaderAKeyCellShowsTheMessageOncePerPressAndKeepsItsKey()
    {
        QFETCH(int, language);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        EditingSession session(TDeviceType::T150);
        session.PickLanguage(language);
        session.Record().KeySlots[7] = Key(0x33, 0x22, 0x11);
        session.form->PageControl1Change();
        StringGrid* grid = session.Grid("SGrid1");
        session.Focus(grid, 3, 2);
        EditingSession::Stroke(Qt::Key_Down);
        QCOMPARE(session.prompts.messages().size(), 1);
        QCOMPARE(session.prompts.messages()[0].text, text);
        QCOMPARE(session.prompts.messages()[0].caption, caption);
        QVERIFY(grid->Col() == 3 && grid->Row() == 2);
        EditingSession::Type("9");
        QCOMPARE(session.prompts.messages().size(), 2);
        QCOMPARE(grid->Cell(3, 2), QString("11 22 33")); // the key still shows, as the record holds it
        QCOMPARE(session.Record().KeySlots[7], Key(0x33, 0x22, 0x11));
        // Code cells follow their own rules: no message.
        session.Focus(grid, 1, 2);
        EditingSession::Type("1234");
        QCOMPARE(session.prompts.messages().size(), 2);
        QCOMPARE(session.Record().Codes[1], 0x1234);
    }

    void somePagesTakeSomeKeysWithoutAReader()
    {
        // The PKU-630 table needs no reader at all.
        {
            EditingSession session(TDeviceType::PKU630);
            session.Focus(session.Grid("SGrid4"), 2, 1);
            EditingSession::Type("ABCDEF");
            QCOMPARE(session.Record().KeySlots[0], Key(0xEF, 0xCD, 0xAB));
            QVERIFY(session.prompts.messages().isEmpty());
        }
        // The PKU-512S table moves and erases without one; typing needs it.
        EditingSession session(TDeviceType::PKU512S);
        session.Record().KeySlots[600] = Key(0x01, 0x02, 0x03);
        session.Record().KeyCounter = 1;
        session.form->PageControl1Change();
        StringGrid* grid = session.Grid("SGrid9");
        session.Focus(grid, 7, 1);
        EditingSession::Stroke(Qt::Key_Right);
        QVERIFY(grid->Col() == 8 && grid->Row() == 1);
        EditingSession::Stroke(Qt::Key_Backspace);
        QVERIFY(session.Record().KeySlots[600].isEmpty());
        QCOMPARE(session.Record().KeyCounter, 0);
        QVERIFY(session.prompts.messages().isEmpty());
        EditingSession::Type("1");
        QCOMPARE(session.prompts.messages().size(), 1);
    }

    void aOneColumnTableMovesUpAndDownOnly()
    {
        EditingSession session(TDeviceType::LMR702);
        session.Record().HeaderKeySlots[2] = Key(0x0C, 0x0B, 0x0A);
        session.form->PageControl1Change();
        session.StartReader();
        StringGrid* grid = session.Grid("SGrid3");
        session.Focus(grid, 1, 3);
        EditingSession::Type("12");
        EditingSession::Stroke(Qt::Key_Left);
        QCOMPARE(grid->Cell(1, 3), QString("0A 0B 0C"));
        EditingSession::Stroke(Qt::Key_Right);
        QCOMPARE(grid->Row(), 3);
        EditingSession::Stroke(Qt::Key_Down);
        QCOMPARE(grid->Row(), 4);
        EditingSession::Stroke(Qt::Key_Up);
        QCOMPARE(grid->Row(), 3);
        // Backspace erases only in the PKU-512S table; elsewhere it only restores.
        EditingSession::Stroke(Qt::Key_Backspace);
        QCOMPARE(session.Record().HeaderKeySlots[2], Key(0x0C, 0x0B, 0x0A));
        EditingSession::Stroke(Qt::Key_Delete);
        QVERIFY(session.Record().HeaderKeySlots[2].isEmpty());
        QCOMPARE(grid->Cell(1, 3), QString("FF FF FF"));
    }

    void thePku512sTableWaitsForTheSixthCharacterAndScansOnToAnEmptyCell_data()
    {
        QTest::addColumn<int>("takenFrom1200");
        QTest::addColumn<int>("endColumn");
        QTest::addColumn<int>("endRow");
        QTest::newRow("next cell empty") << 0 << 2 << 101;
        QTest::newRow("three taken") << 3 << 5 << 101;
        QTest::newRow("row 101's first block taken") << 6 << 8 << 101;
        QTest::newRow("every cell to the end taken") << -1 << 2 << 101;
    }
    void thePku512sTableWaitsForTheSixthCharacterAndScansOnToAnEmptyCell()
    {
        QFETCH(int, takenFrom1200);
        QFETCH(int, endColumn);
        QFETCH(int, endRow);
        EditingSession session(TDeviceType::PKU512S);
        TIntercomData& record = session.Record();
        const int taken = takenFrom1200 < 0 ? 1200 : takenFrom1200;
        for (int slot = 1200; slot < 1200 + taken; ++slot)
            record.KeySlots[slot] = Key(std::uint8_t(slot), std::uint8_t(slot >> 8), 0x77);
        if (takenFrom1200 < 0) record.KeySlots[1199] = KeySlot{}; // every slot but the typed one
        session.form->PageControl1Change();
        session.StartReader();
        StringGrid* grid = session.Grid("SGrid9");
        session.Focus(grid, 13, 100); // slot 1199
        EditingSession::Type("00A0B");
        EditingSession::Stroke(Qt::Key_Return); // five characters: Enter is ignored, the entry goes on
        QCOMPARE(grid->Cell(13, 100), QString("00A0B"));
        EditingSession::Type("0");
        QCOMPARE(record.KeySlots[1199], Key(0xB0, 0xA0, 0x00));
        QCOMPARE(QApplication::focusWidget(), grid);
        QCOMPARE(grid->Col(), endColumn);
        QCOMPARE(grid->Row(), endRow);
    }

    void theHotelColumnTakesNoTypedKey()
    {
        EditingSession session(TDeviceType::PKU630);
        const QByteArray before = DataFileBytes(session.Record());
        StringGrid* grid = session.Grid("SGrid4");
        session.Focus(grid, 8, 3);
        grid->setFocus(); // back from the room list the cell opened
        EditingSession::Type("1A2B3C");
        EditingSession::Stroke(Qt::Key_Delete);
        QCOMPARE(grid->Cell(8, 3), QString());
        QCOMPARE(DataFileBytes(session.Record()), before);
    }

    void aMasterKeyFieldTakesDeleteOnly_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<QString>("field");
        QTest::newRow("LMR 700") << TDeviceType::LMR702 << "Edit2";
        QTest::newRow("PKU-618") << TDeviceType::PKU618 << "Edit3";
        QTest::newRow("LMR 70x-2680") << TDeviceType::LMR70x2680 << "Edit4";
    }
    void aMasterKeyFieldTakesDeleteOnly()
    {
        QFETCH(TDeviceType, type);
        QFETCH(QString, field);
        EditingSession session(type);
        session.Record().MasterKey = Key(0x21, 0x43, 0x65);
        session.form->PageControl1Change();
        auto* edit = session.Find<QLineEdit>(qPrintable(field));
        edit->setFocus();
        EditingSession::Type("12");
        EditingSession::Stroke(Qt::Key_Backspace);
        QCOMPARE(edit->text(), QString("65 43 21"));
        QCOMPARE(session.Record().MasterKey, Key(0x21, 0x43, 0x65));
        EditingSession::Stroke(Qt::Key_Delete);
        QCOMPARE(edit->text(), QString("FF FF FF"));
        QVERIFY(session.Record().MasterKey.isEmpty());
        QVERIFY(session.Modified());
    }
};

QTEST_MAIN(KeyCellsTest)
#include "tst_keycells.moc"
