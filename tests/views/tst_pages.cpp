// Every page of the real window as a user meets it after New, Open or a chip read: which slots,
// codes and settings each table and field shows, what the configuration boxes and spin edits
// store, the hotel room list of the PKU-630, and which control receives captured keys.

#include "app/WindowSession.h"

#include "views/ConfigCheckBox.h"
#include "views/MaskEdit.h"
#include "views/Page.h"
#include "views/PageParts.h"
#include "views/SettingSpinEdit.h"
#include "views/StringGrid.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>

namespace {

// A key whose three bytes tell the slot apart: first byte low, second high byte of the slot.
KeySlot KeyOf(int slot) { return KeySlot{{std::uint8_t(slot), std::uint8_t(slot >> 8), 0xC7, 0xFF}}; }
QString KeyTextOf(int slot)
{
    return QStringLiteral("C7 %1 %2")
        .arg(slot >> 8, 2, 16, QLatin1Char('0'))
        .arg(slot & 0xFF, 2, 16, QLatin1Char('0'))
        .toUpper();
}

// A new document of `type` whose every key slot, header key slot and extension slot holds KeyOf.
void NewDocumentWithKeys(WindowSession& session, TDeviceType type, bool smallIButton = false)
{
    session.NewDocument(type);
    IntercomStore& store = session.form->Store();
    for (int slot = 0; slot < KeySlotCount; ++slot) store.Record.KeySlots[slot] = KeyOf(slot);
    for (int slot = 0; slot < HeaderKeySlotCount; ++slot) store.Record.HeaderKeySlots[slot] = KeyOf(slot);
    for (int slot = 0; slot < ExtensionKeySlotCount; ++slot) store.ExtensionKeySlots[slot] = KeyOf(slot);
    for (int code = 0; code < CodeCount; ++code) store.Record.Codes[code] = static_cast<std::uint16_t>(0x1000 + code);
    session.form->SetSmallIButton(smallIButton);
    session.form->ShowDataSet();
}

QString CodeText(int code) { return QStringLiteral("%1").arg(0x1000 + code, 4, 16, QLatin1Char('0')).toUpper(); }

} // namespace

class PagesTest : public QObject {
    Q_OBJECT
private slots:
    void everyTableShowsItsSlotsCodesAndLabelsUpToTheLastRow_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<bool>("smallIButton");
        QTest::addColumn<QString>("grid");
        QTest::addColumn<int>("rows"); // header included
        QTest::addColumn<int>("lastRow");
        QTest::addColumn<QString>("lastLabel");
        QTest::addColumn<int>("lastCode");               // -1: no code shown
        QTest::addColumn<QList<int>>("columnsAndSlots"); // column, slot pairs of the last row
        QTest::addColumn<QString>("lastHeader");
        QTest::newRow("LMR 700 list") << TDeviceType::LMR702 << false << "SGrid2" << 135 << 134 << "666" << -1
                                      << QList<int>{1, 665, 5, 669} << "key";
        QTest::newRow("LMR 700 guard keys")
            << TDeviceType::LMR702 << false << "SGrid3" << 8 << 7 << "7" << -1 << QList<int>{1, 6} << "key";
        QTest::newRow("LMR 70x-2680 list") << TDeviceType::LMR70x2680 << false << "SGrid11" << 537 << 536 << "2676"
                                           << -1 << QList<int>{1, 2675, 5, 2679} << "key";
        QTest::newRow("LMR 70x-2680 guard keys")
            << TDeviceType::LMR70x2680 << false << "SGrid12" << 29 << 28 << "28" << -1 << QList<int>{1, 27} << "key";
        QTest::newRow("PKU-630XE extension keys") << TDeviceType::PKU630XE << false << "StringGrid3" << 501 << 500
                                                  << "4991" << -1 << QList<int>{1, 4990, 10, 4999} << "key";
        QTest::newRow("PKU-618 apartment 40") << TDeviceType::PKU618 << false << "SGrid5" << 41 << 40 << "40" << -1
                                              << QList<int>{1, 1170, 30, 1199} << "key 30";
        QTest::newRow("PKU-630 apartment 199") << TDeviceType::PKU630 << false << "SGrid4" << 201 << 200 << "199" << 199
                                               << QList<int>{2, 1194, 7, 1199} << "HOTEL";
        QTest::newRow("G300 DS1996 key-only row 300") << TDeviceType::G300 << false << "SGrid6" << 301 << 300 << ""
                                                      << -1 << QList<int>{2, 1794, 7, 1799} << "key 6";
        QTest::newRow("G300 DS1996 apartment 199") << TDeviceType::G300 << false << "SGrid6" << 301 << 200 << "199"
                                                   << 199 << QList<int>{2, 1194, 7, 1199} << "key 6";
        QTest::newRow("G300 DS1996 first key-only row")
            << TDeviceType::G300 << false << "SGrid6" << 301 << 201 << "" << -1 << QList<int>{2, 1200} << "key 6";
        QTest::newRow("PKU-512S apartment 99") << TDeviceType::PKU512S << false << "SGrid9" << 201 << 100 << "99" << 99
                                               << QList<int>{2, 594, 7, 599, 8, 1194, 13, 1199} << "key 12";
        QTest::newRow("PKU-512S apartment 100") << TDeviceType::PKU512S << false << "SGrid9" << 201 << 101 << "100"
                                                << 100 << QList<int>{2, 1200, 7, 1205, 8, 1800, 13, 1805} << "key 12";
        QTest::newRow("PKU-512S apartment 199") << TDeviceType::PKU512S << false << "SGrid9" << 201 << 200 << "199"
                                                << 199 << QList<int>{2, 1794, 7, 1799, 8, 2394, 13, 2399} << "key 12";
        QTest::newRow("PKU-512S system keys")
            << TDeviceType::PKU512S << false << "SGrid10" << 6 << 5 << "5" << -1 << QList<int>{1, 4} << "key";
    }
    void everyTableShowsItsSlotsCodesAndLabelsUpToTheLastRow()
    {
        QFETCH(TDeviceType, type);
        QFETCH(bool, smallIButton);
        QFETCH(QString, grid);
        QFETCH(int, rows);
        QFETCH(int, lastRow);
        QFETCH(QString, lastLabel);
        QFETCH(int, lastCode);
        QFETCH(QList<int>, columnsAndSlots);
        QFETCH(QString, lastHeader);
        WindowSession session;
        NewDocumentWithKeys(session, type, smallIButton);
        session.form->PageControl1Change(); // a second fill leaves the same rows
        auto* table = session.Find<StringGrid>(qPrintable(grid));
        QCOMPARE(table->rowCount(), rows);
        QCOMPARE(table->Cell(0, lastRow), lastLabel);
        QCOMPARE(table->Cell(table->columnCount() - 1, 0), lastHeader);
        if (lastCode >= 0) QCOMPARE(table->Cell(1, lastRow), CodeText(lastCode));
        for (int i = 0; i < columnsAndSlots.size(); i += 2)
            QCOMPARE(table->Cell(columnsAndSlots[i], lastRow), KeyTextOf(columnsAndSlots[i + 1]));
        QVERIFY(!session.Modified());
    }

    void theDs1995VariantShowsItsHundredApartmentsInStoredByteOrder()
    {
        WindowSession session;
        NewDocumentWithKeys(session, TDeviceType::G300, true);
        QVERIFY(session.PageShown("TabSheet6"));
        auto* table = session.Find<StringGrid>("StringGrid2");
        QCOMPARE(table->rowCount(), 101);
        QCOMPARE(table->Cell(0, 100), QString("99"));
        QCOMPARE(table->Cell(1, 100), CodeText(99));
        QCOMPARE(table->Cell(2, 100), QString("8C 01 C7")); // slot 396: first byte first
        QCOMPARE(table->Cell(5, 100), QString("8F 01 C7"));
        QCOMPARE(table->Cell(5, 0), QString("key 4"));
        QCOMPARE(session.Find<QLabel>("Label16")->text(), QString("Service password"));
        QCOMPARE(session.Find<QGroupBox>("GroupBox6")->title(), QString("Configuration"));
    }

    void keyListPagesShowTheMasterKeyAndTheirFixedCaption()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::LMR702);
        QCOMPARE(session.Find<QLineEdit>("Edit2")->text(), QString("FF FF FF"));
        QVERIFY(session.Find<QLineEdit>("Edit2")->isReadOnly());
        QCOMPARE(session.Find<QLabel>("Label8")->text(), QString("Individual keys"));
        session.Record().MasterKey.bytes = {0x01, 0x02, 0x03, 0xFF};
        session.NewDocument(TDeviceType::LMR70x2680);
        session.Record().MasterKey.bytes = {0x01, 0x02, 0x03, 0xFF};
        session.form->PageControl1Change();
        QCOMPARE(session.Find<QLineEdit>("Edit4")->text(), QString("03 02 01"));
        QCOMPARE(session.Find<QLabel>("Label28")->text(), QString("LMR70\u0445-2680"));
        QCOMPARE(session.Find<QLabel>("Label26")->text(), QString("MASTER-KEY"));
        session.NewDocument(TDeviceType::PKU630XE);
        QCOMPARE(session.Find<QLabel>("Label35")->text(), QString("PKU630XE"));
        QCOMPARE(session.form->focusWidget(), session.Find("StringGrid3"));
    }

    void masterKeyAndFieldsOfThePku618AndPku630ShowTheirValues()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::PKU618);
        session.Record().AuxByte = 0x07;
        session.Record().GeneralCode = 40; // above the lock time range
        session.form->PageControl1Change();
        QCOMPARE(session.Find<MaskEdit>("MaskEdit7")->text(), QString("07"));
        QCOMPARE(session.Find<SettingSpinEdit>("CSpinEdit1")->value(), 12);
        session.Record().AuxByte = 0xFF;
        session.form->PageControl1Change();
        QCOMPARE(session.Find<MaskEdit>("MaskEdit7")->displayText(), QString("FF"));
        // The lock time goes to the third 16-bit field, whole.
        session.Find<SettingSpinEdit>("CSpinEdit1")->stepDown();
        QCOMPARE(session.Record().GeneralCode, 11);
        QVERIFY(session.Modified());

        session.prompts.answer(PromptAnswer::No);
        session.NewDocument(TDeviceType::PKU630);
        session.Record().ServicePassword = 0x0012;
        session.Record().SystemPassword = 0x4321;
        session.form->PageControl1Change();
        QCOMPARE(session.Find<MaskEdit>("MaskEdit6")->text(), QString("12"));
        QCOMPARE(session.Find<MaskEdit>("MaskEdit5")->text(), QString("4321"));
        QCOMPARE(session.Find<QLabel>("Label10")->text(), QString("Concierje"));
        QCOMPARE(session.form->focusWidget(), session.Find("MaskEdit6"));
    }

    void aBoxClickChangesItsOwnBitOnlyWithTheCaptionOfAClick_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("bit");
        QTest::addColumn<QString>("checkedAfterFill");
        QTest::addColumn<QString>("checkedAfterClick");
        QTest::addColumn<QString>("uncheckedAfterFill");
        QTest::addColumn<QString>("uncheckedAfterClick");
        QTest::newRow("PKU-618 handsets")
            << TDeviceType::PKU618 << "CheckBox6" << 2 << "enable keys memorizing using subscriber devices"
            << "enable keys memorizing using subscriber device"
            << "disable keys memorizing using subscriber device"
            << "disable keys memorizing using subscriber device";
        QTest::newRow("PKU-618 priority") << TDeviceType::PKU618 << "CheckBox7" << 1 << "high priority"
                                          << "high priority"
                                          << "low priority"
                                          << "low priority";
        QTest::newRow("PKU-618 lock") << TDeviceType::PKU618 << "CheckBox8" << 0 << "lock type - ML"
                                      << "lock type - ML"
                                      << "lock type - EL"
                                      << "lock type - EL";
        QTest::newRow("PKU-512S lock") << TDeviceType::PKU512S << "CB70" << 6 << "lock type - EL"
                                       << "lock type - EL"
                                       << "lock type - ML"
                                       << "lock type - ML";
        QTest::newRow("PKU-512S DS1991") << TDeviceType::PKU512S << "CB74" << 4 << "using key DS1991 - enable"
                                         << "using key DS1991 - enable"
                                         << "using key DS1991 - disable"
                                         << "usinng key DS1991 - disable";
        QTest::newRow("PKU-512S general code") << TDeviceType::PKU512S << "CB79" << 1 << "enable general access code"
                                               << "enable general access code"
                                               << "disable general access code"
                                               << "disable general access code";
        QTest::newRow("G300 priority") << TDeviceType::G300 << "CheckBox16" << 0 << "priority - A"
                                       << "priority - A"
                                       << "priority - B"
                                       << "priority - B";
        QTest::newRow("G300 codes") << TDeviceType::G300 << "CheckBox13" << 3
                                    << "enable individual access codes (for all ap.)"
                                    << "enable individual access codes (for all ap.)"
                                    << "disable individual access codes (for all ap.)"
                                    << "disable individual access codes (for all ap.)";
    }
    void aBoxClickChangesItsOwnBitOnlyWithTheCaptionOfAClick()
    {
        QFETCH(TDeviceType, type);
        QFETCH(QString, box);
        QFETCH(int, bit);
        QFETCH(QString, checkedAfterFill);
        QFETCH(QString, checkedAfterClick);
        QFETCH(QString, uncheckedAfterFill);
        QFETCH(QString, uncheckedAfterClick);
        for (const std::uint8_t start : {std::uint8_t(0x00), std::uint8_t(0xFF)}) {
            WindowSession session;
            session.NewDocument(type);
            session.Record().ConfigByte = start;
            session.form->PageControl1Change();
            auto* check = session.Find<ConfigCheckBox>(qPrintable(box));
            const bool wasSet = start != 0;
            QCOMPARE(check->text(), wasSet ? checkedAfterFill : uncheckedAfterFill);
            QVERIFY(!session.Modified());
            check->click();
            QCOMPARE(int(session.Record().ConfigByte), int(start ^ (1 << bit)));
            QCOMPARE(check->text(), wasSet ? uncheckedAfterClick : checkedAfterClick);
            QVERIFY(session.Modified());
            session.form->PageControl1Change();
            QCOMPARE(check->isChecked(), !wasSet);
            QCOMPARE(check->text(), wasSet ? uncheckedAfterFill : checkedAfterFill);
        }
    }

    void theG300BeepBoxFollowsTheListOrganisationOnItsOwnVariant()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::G300);
        session.Record().ConfigByte = 0x80 | 0x20;
        session.form->PageControl1Change();
        auto* listOrganisation = session.Find<ConfigCheckBox>("CheckBox9");
        auto* beep = session.Find<ConfigCheckBox>("CheckBox11");
        QVERIFY(beep->isEnabled());
        listOrganisation->click();
        QVERIFY(!beep->isEnabled());
        QCOMPARE(int(session.Record().ConfigByte), 0x20); // the beep bit keeps its value
        listOrganisation->click();
        QVERIFY(beep->isEnabled());

        // The DS1995 variant: its list box is never clickable, its beep box acts on its own state.
        session.form->SetSmallIButton(true);
        session.Record().ConfigByte = 0x80;
        session.form->ShowDataSet();
        QVERIFY(!session.Find("CheckBox1")->isEnabled());
        auto* smallBeep = session.Find<ConfigCheckBox>("CheckBox2");
        QVERIFY(smallBeep->isEnabled() && !smallBeep->isChecked());
        smallBeep->click();
        QCOMPARE(int(session.Record().ConfigByte), 0xA0);
        session.Record().ConfigByte = 0x20;
        session.form->PageControl1Change();
        QVERIFY(!smallBeep->isEnabled());
    }

    void pku512SSpinEditsShowWithinTheirRangeAndStoreTheirRecordWidth()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::PKU512S);
        session.Record().ConciergeNumber = 250;
        session.Record().Volume = 0;
        session.Record().LockTime = 30;
        session.form->PageControl1Change();
        auto* concierge = session.Find<SettingSpinEdit>("CSpinEdit3");
        QCOMPARE(concierge->value(), 199);
        QCOMPARE(session.Find<SettingSpinEdit>("CSpinEdit4")->value(), 1);
        QCOMPARE(session.Find<SettingSpinEdit>("CSpinEdit2")->value(), 20);
        QCOMPARE(session.Record().ConciergeNumber, 250); // showing stores nothing
        QVERIFY(!session.Modified());
        concierge->stepDown();
        QCOMPARE(session.Record().ConciergeNumber, 198);
        session.Find<SettingSpinEdit>("CSpinEdit2")->stepDown();
        QCOMPARE(session.Record().LockTime, 19);
        QCOMPARE(session.Record().Volume, 0);
        QVERIFY(session.Modified());
    }

    void theHotelColumnOpensTheRoomListOverItsCell_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("openedAt");
        QTest::newRow("row 1") << 1 << "101";
        QTest::newRow("row 11") << 11 << "201";
        QTest::newRow("row 101") << 101 << "1011";
        QTest::newRow("row 150 has no room") << 150 << "";
    }
    void theHotelColumnOpensTheRoomListOverItsCell()
    {
        QFETCH(int, row);
        QFETCH(QString, openedAt);
        WindowSession session;
        session.NewDocument(TDeviceType::PKU630);
        QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
        const QByteArray recordBefore = DataFileBytes(session.Record());
        auto* grid = session.Find<StringGrid>("SGrid4");
        auto* list = session.Find<QComboBox>("CB420M");
        QCOMPARE(list->count(), 101);
        QCOMPARE(list->itemText(9), QString("110"));
        QCOMPARE(list->itemText(10), QString("201"));
        QCOMPARE(list->itemText(100), QString("1011"));
        QVERIFY(list->isHidden());
        grid->SelectCell(8, row);
        QVERIFY(list->isVisible());
        QCOMPARE(list->currentText(), openedAt);
        QCOMPARE(list->geometry().topLeft(),
                 grid->viewport()->mapTo(list->parentWidget(), grid->visualItemRect(grid->item(row, 8)).topLeft()) +
                     QPoint(1, 1));
        QCOMPARE(list->width(), 70);
        QTRY_COMPARE(QApplication::focusWidget(), list);

        // Leaving the list without a pick keeps the cell as it was.
        session.Find("MaskEdit5")->setFocus();
        QTRY_VERIFY(list->isHidden());
        QCOMPARE(grid->Cell(8, row), QString());

        // A click on the cell opens the list again; a pick is shown in the cell, stays while the
        // document is refilled and is not data.
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(row, 8)).center());
        QVERIFY(list->isVisible());
        list->setCurrentIndex(20);
        emit list->activated(20);
        QVERIFY(list->isHidden());
        QCOMPARE(grid->Cell(8, row), QString("301"));
        QCOMPARE(QApplication::focusWidget(), grid);
        session.form->PageControl1Change();
        QCOMPARE(grid->Cell(8, row), QString("301"));
        grid->SelectCell(3, row);
        QVERIFY(list->isHidden());
        QCOMPARE(DataFileBytes(session.Record()), recordBefore);
        // Another data set forgets the picks (leaving the concierge field marked the document modified).
        session.prompts.answer(PromptAnswer::No);
        session.NewDocument(TDeviceType::PKU630);
        QCOMPARE(grid->Cell(8, row), QString());
    }

    void enteringAControlMakesItTheReceiverOfCapturedKeysOfItsPageFamily()
    {
        WindowSession session;
        QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
        const auto target = [&](InputTargetFamily family) { return session.form->InputTarget()[family]; };
        for (const InputTargetFamily family : {InputTargetFamily::PKU512T, InputTargetFamily::LMR702AndPKU512S,
                                               InputTargetFamily::PKU618, InputTargetFamily::LMR70x2680})
            QCOMPARE(target(family), 0);
        struct Entry {
            TDeviceType type;
            const char* control;
            InputTargetFamily family;
            int value;
        };
        using enum InputTargetFamily;
        for (const Entry& entry :
             {Entry{TDeviceType::LMR702, "SGrid3", LMR702AndPKU512S, 3},
              Entry{TDeviceType::LMR702, "Edit2", LMR702AndPKU512S, 2},
              Entry{TDeviceType::LMR702, "SGrid2", LMR702AndPKU512S, 0},
              Entry{TDeviceType::PKU512S, "SGrid10", LMR702AndPKU512S, 2},
              Entry{TDeviceType::PKU512S, "SGrid9", LMR702AndPKU512S, 1},
              Entry{TDeviceType::LMR70x2680, "SGrid12", LMR70x2680, 3},
              Entry{TDeviceType::LMR70x2680, "Edit4", LMR70x2680, 2},
              Entry{TDeviceType::LMR70x2680, "SGrid11", LMR70x2680, 0}, Entry{TDeviceType::PKU618, "Edit3", PKU618, 1},
              Entry{TDeviceType::PKU618, "SGrid5", PKU618, 0}, Entry{TDeviceType::PKU512T, "StringGrid1", PKU512T, 2},
              Entry{TDeviceType::PKU512T, "SGrid1", PKU512T, 1}}) {
            // Leaving the field a fill gave the focus marks the document modified.
            if (session.Modified()) session.prompts.answer(PromptAnswer::No);
            session.NewDocument(entry.type);
            session.Find(entry.control)->setFocus();
            QTRY_COMPARE(target(entry.family), entry.value);
        }
        // Other families keep their targets.
        QCOMPARE(target(LMR702AndPKU512S), 1);
        QCOMPARE(target(LMR70x2680), 0);
    }

    void everyPageFitsTheScreenAndScrollsInsteadOfCuttingOff_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<bool>("smallIButton");
        for (const TDeviceType type : AllDeviceTypes) QTest::newRow(qPrintable(TypeText(type))) << type << false;
        QTest::newRow("G300 DS1995") << TDeviceType::G300 << true;
    }
    void everyPageFitsTheScreenAndScrollsInsteadOfCuttingOff()
    {
        QFETCH(TDeviceType, type);
        QFETCH(bool, smallIButton);
        WindowSession session;
        session.form->resize(1280, 800);
        for (const int language : {0, 1}) {
            session.PickLanguage(language);
            session.NewDocument(type);
            session.form->SetSmallIButton(smallIButton);
            session.form->ShowDataSet();
            QApplication::processEvents();
            QVERIFY(session.form->minimumSizeHint().width() <= 1280);
            QVERIFY(session.form->minimumSizeHint().height() <= 800);
            QVERIFY(session.form->width() <= 1280 && session.form->height() <= 800);
            auto* page = session.Find<QTabWidget>("PageControl1")->currentWidget();
            for (auto* box : page->findChildren<QCheckBox*>()) {
                if (!box->isVisibleTo(page)) continue;
                QVERIFY2(box->width() >= box->sizeHint().width(), qPrintable(box->objectName() + ": " + box->text()));
            }
            for (auto* label : page->findChildren<QLabel*>()) {
                if (!label->isVisibleTo(page)) continue;
                QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->objectName()));
            }
        }
    }

    void aFieldNeverSwitchesThePageWithCtrlTab()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::T150);
        QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
        auto* field = session.Find("MaskEdit1");
        QTRY_COMPARE(QApplication::focusWidget(), field);
        QTest::keyClick(field, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(field, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(field, Qt::Key_PageDown, Qt::ControlModifier);
        QVERIFY(session.PageShown("TabSheet1"));
    }

    void aNewDataSetStartsAtTheTopOfItsTables()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::LMR70x2680);
        auto* list = session.Find<StringGrid>("SGrid11");
        list->SelectCell(3, 500);
        session.form->PageControl1Change(); // a refill keeps the place
        QCOMPARE(list->Row(), 500);
        session.NewDocument(TDeviceType::LMR70x2680);
        QVERIFY(list->Row() == 1 && list->Col() == 1);
        QCOMPARE(list->rowAt(0), 0);
    }

    void everyTableAndFieldIsAnsweredByOnePageUnderItsObjectName()
    {
        WindowSession session;
        const QList<Page*> pages = session.form->findChildren<Page*>();
        QCOMPARE(pages.size(), PageIdCount);
        for (const PageRow& row : PageRows()) QCOMPARE(session.Find<Page>(row.name)->Id(), row.id);
        for (const TableSpec& table : TableSpecs()) {
            QList<RecordGrid*> grids;
            for (Page* page : pages)
                if (RecordGrid* grid = page->Grid(table.id)) grids << grid;
            QVERIFY2(grids.size() == 1, table.name);
            QCOMPARE(grids[0]->objectName(), QString(table.name));
            QCOMPARE(&grids[0]->Spec(), &table);
        }
        for (const FieldSpec& field : FieldSpecs()) {
            QList<QLineEdit*> edits;
            for (Page* page : pages)
                if (QLineEdit* edit = page->Field(field.id)) edits << edit;
            QVERIFY2(edits.size() == 1, field.name);
            QCOMPARE(edits[0]->objectName(), QString(field.name));
        }
    }

    void everyFillFocusesAControlOfThePageItShows()
    {
        WindowSession session;
        for (int index = 0; index <= static_cast<int>(Fill::PKU512S); ++index) {
            const FillRule& rule = FillRuleOf(static_cast<Fill>(index));
            if (!rule.focus) continue;
            auto* page = session.Find<Page>(rule.page);
            QVERIFY2(page, rule.page);
            const TableSpec* table = TableSpecNamed(rule.focus);
            const FieldSpec* field = FieldSpecNamed(rule.focus);
            QVERIFY2(table ? page->Grid(table->id) != nullptr : field && page->Field(field->id), rule.focus);
        }
    }
};

QTEST_MAIN(PagesTest)
#include "tst_pages.moc"
