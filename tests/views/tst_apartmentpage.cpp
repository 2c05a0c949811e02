// The apartment page as a user sees it: what a fill shows from the record, and what the
// configuration boxes and spin edits store.

#include "model/NewDocument.h"
#include "support/FixedAnswerPrompts.h"
#include "views/ApartmentPage.h"
#include "views/ConfigCheckBox.h"
#include "views/MaskEdit.h"
#include "views/SettingSpinEdit.h"
#include "views/StringGrid.h"

#include <QGroupBox>
#include <QLabel>
#include <QTest>

#include <memory>

class PageSession {
public:
    explicit PageSession(TDeviceType shownType)
    {
        shared.SetCurrentType(shownType);
        ResetRecord(shared.Store());
        ApplyNewDocument(shared.Store(), shownType);
        QObject::connect(&shared, &Session::ModifiedMarked, [this] { ++modifications; });
        page.show();
    }
    template <typename T = QWidget>
    T* Find(const char* name) const
    {
        return page.findChild<T*>(QString::fromLatin1(name));
    }
    QString Cell(const char* grid, int column, int row) const { return Find<StringGrid>(grid)->Cell(column, row); }
    TIntercomData& Record() { return shared.Store().Record; }

    FixedAnswerPrompts prompts{PromptAnswer::Ok};
    Session shared{prompts};
    int modifications = 0;
    ApartmentPage page{shared};
};

class ApartmentPageTest : public QObject {
    Q_OBJECT
private slots:
    void showsOneHundredApartmentsWithCodeAndSixKeysAndTheFourDigitFieldsEachFillAlike()
    {
        PageSession session(TDeviceType::T150);
        session.Record().SystemPassword = 0x0042;
        session.Record().KeySlots[594].bytes = {0x01, 0x02, 0x03, 0xFF};
        session.Record().KeySlots[599].bytes = {0xA1, 0xB2, 0xC3, 0xFF};
        session.Record().Codes[99] = 0x0A05;
        session.page.ShowT150Page();
        session.page.ShowT150Page();
        auto* grid = session.Find<StringGrid>("SGrid1");
        QCOMPARE(grid->rowCount(), 101);
        QCOMPARE(grid->columnCount(), 8);
        QCOMPARE(session.Cell("SGrid1", 7, 0), QString("key 6"));
        QCOMPARE(session.Cell("SGrid1", 1, 1), QString("FFFF"));
        QCOMPARE(session.Cell("SGrid1", 7, 1), QString("FF FF FF"));
        QCOMPARE(session.Cell("SGrid1", 0, 100), QString("99"));
        QCOMPARE(session.Cell("SGrid1", 1, 100), QString("0A05"));
        QCOMPARE(session.Cell("SGrid1", 2, 100), QString("03 02 01"));
        QCOMPARE(session.Cell("SGrid1", 7, 100), QString("C3 B2 A1"));
        QCOMPARE(session.Find<MaskEdit>("MaskEdit1")->text(), QString("8527"));
        QCOMPARE(session.Find<MaskEdit>("MaskEdit2")->text(), QString("0042"));
        QVERIFY(session.Find<MaskEdit>("MaskEdit3")->text() == "9385" &&
                session.Find<MaskEdit>("MaskEdit3")->IsComplete());
        QCOMPARE(session.modifications, 0);
    }

    void aBoxClickStoresItsBitOnlyAndSwapsItsCaption_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<int>("bit");
        QTest::newRow("CB2 lock type") << "CB2" << 6;
        QTest::newRow("CB3 beep") << "CB3" << 5;
        QTest::newRow("CB4 unlocked time") << "CB4" << 4;
        QTest::newRow("CB5 individual codes") << "CB5" << 3;
        QTest::newRow("CB6 individual code digits") << "CB6" << 2;
        QTest::newRow("CB7 general code") << "CB7" << 1;
        QTest::newRow("CB8 general code digits") << "CB8" << 0;
    }
    void aBoxClickStoresItsBitOnlyAndSwapsItsCaption()
    {
        QFETCH(QString, box);
        QFETCH(int, bit);
        for (const std::uint8_t start : {std::uint8_t(0x00), std::uint8_t(0xFF), std::uint8_t(0xA5)}) {
            PageSession session(TDeviceType::T150);
            session.Record().ConfigByte = start;
            session.page.ShowT150Page();
            auto* check = session.Find<ConfigCheckBox>(qPrintable(box));
            const bool wasSet = (start >> bit) & 1;
            QCOMPARE(check->isChecked(), wasSet);
            const QString captionBefore = check->text();
            check->click();
            QCOMPARE(int(session.Record().ConfigByte), int(start ^ (1 << bit)));
            QVERIFY(check->text() != captionBefore);
            QCOMPARE(session.modifications, 1);
            // The unlocked-time box also stores the opening time in seconds.
            if (box == "CB4") QCOMPARE(session.Record().LockTime, wasSet ? 1 : 5);
            session.page.ShowT150Page(); // a later fill shows the same state
            QCOMPARE(check->isChecked(), !wasSet);
            check->click();
            QCOMPARE(check->text(), captionBefore);
        }
    }

    void pku511ShowsNoConfigurationAndLeavesTheByteAlone()
    {
        PageSession session(TDeviceType::PKU511);
        session.Record().ConfigByte = 0x5A;
        session.page.ShowT150Page();
        QVERIFY(session.Find("GroupBox3")->isHidden());
        QCOMPARE(session.Record().ConfigByte, 0x5A);
        session.shared.SetCurrentType(TDeviceType::T150);
        session.page.ShowT150Page();
        QVERIFY(!session.Find("GroupBox3")->isHidden());
        QVERIFY(session.Find("StringGrid1")->isHidden());
    }

    void pku512TShowsSystemKeysAndSettingsInsteadOfTheLockTimeBox()
    {
        PageSession session(TDeviceType::PKU512T);
        session.Record().HeaderKeySlots[4].bytes = {0x10, 0x20, 0x30, 0xFF};
        session.Record().HeaderKeySlots[5].bytes = {0x99, 0x99, 0x99, 0xFF}; // not a system key
        session.page.ShowPKU512TPage();
        QVERIFY(session.Find("CB4")->isHidden());
        QVERIFY(!session.Find("StringGrid1")->isHidden() && !session.Find("CSpinEdit7")->isHidden());
        QCOMPARE(session.Find<StringGrid>("StringGrid1")->rowCount(), 6);
        QCOMPARE(session.Cell("StringGrid1", 1, 0), QString("key"));
        QCOMPARE(session.Cell("StringGrid1", 0, 5), QString("5"));
        QCOMPARE(session.Cell("StringGrid1", 1, 5), QString("30 20 10"));
        QCOMPARE(session.Cell("StringGrid1", 1, 1), QString("FF FF FF"));
    }

    void spinEditsShowTheRecordWithinTheirRange_data()
    {
        QTest::addColumn<QString>("spin");
        QTest::addColumn<int>("recordValue");
        QTest::addColumn<int>("shown");
        QTest::newRow("lock time 0 shows 1") << "CSpinEdit5" << 0 << 1;
        QTest::newRow("lock time 25 shows 20") << "CSpinEdit5" << 25 << 20;
        QTest::newRow("lock time 12") << "CSpinEdit5" << 12 << 12;
        QTest::newRow("volume 0 shows 1") << "CSpinEdit6" << 0 << 1;
        QTest::newRow("volume 255 shows 9") << "CSpinEdit6" << 255 << 9;
        QTest::newRow("concierge 0 shows 1") << "CSpinEdit7" << 0 << 1;
        QTest::newRow("concierge 101") << "CSpinEdit7" << 101 << 101;
    }
    void spinEditsShowTheRecordWithinTheirRange()
    {
        QFETCH(QString, spin);
        QFETCH(int, recordValue);
        QFETCH(int, shown);
        PageSession session(TDeviceType::PKU512T);
        session.Record().LockTime = static_cast<std::uint8_t>(recordValue);
        session.Record().Volume = static_cast<std::uint8_t>(recordValue);
        session.Record().ConciergeNumber = recordValue;
        session.page.ShowPKU512TPage();
        QCOMPARE(session.Find<SettingSpinEdit>(qPrintable(spin))->value(), shown);
        QCOMPARE(int(session.Record().LockTime), recordValue); // showing stores nothing
        QCOMPARE(int(session.Record().Volume), recordValue);
        QCOMPARE(session.Record().ConciergeNumber, recordValue);
    }

    void aSpinEditChangeStoresAtOnceAndMarksTheDocumentModified()
    {
        PageSession session(TDeviceType::PKU512T);
        session.page.ShowPKU512TPage();
        session.Find<SettingSpinEdit>("CSpinEdit5")->stepUp();
        session.Find<SettingSpinEdit>("CSpinEdit6")->stepDown();
        QCOMPARE(session.Record().LockTime, 2);
        QCOMPARE(session.Record().Volume, 6);
        session.Find<SettingSpinEdit>("CSpinEdit7")->setValue(42);
        QCOMPARE(session.Record().ConciergeNumber, 42);
        QCOMPARE(session.modifications, 3); // closing the window would otherwise lose the change
    }

    void enteringATableNamesItTheTargetOfCapturedKeys()
    {
        PageSession session(TDeviceType::PKU512T);
        session.page.ShowPKU512TPage();
        QVERIFY(QTest::qWaitForWindowActive(&session.page));
        session.Find("StringGrid1")->setFocus();
        QTRY_COMPARE(session.shared.Targets()[InputTargetFamily::PKU512T], 2);
        session.Find("SGrid1")->setFocus();
        QTRY_COMPARE(session.shared.Targets()[InputTargetFamily::PKU512T], 1);
    }
};

QTEST_MAIN(ApartmentPageTest)
#include "tst_apartmentpage.moc"
