// Typing passwords, general codes and concierge numbers into the masked fields of the real
// window: the digits reach the record one digit per nibble once the field is complete, Enter
// moves on to the page's next field, and an incomplete field shows the stored value again.

#include "EditingSession.h"

#include "model/FieldSpecs.h"

class FieldsTest : public QObject {
    Q_OBJECT
private slots:
    void aCompleteFieldReachesTheRecordAtTheLastReleaseAndEnterMovesOn_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<bool>("smallIButton");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("next");
        QTest::newRow("service password") << TDeviceType::T150 << false << "MaskEdit1"
                                          << "1234" << 0x1234 << "MaskEdit3";
        QTest::newRow("system password") << TDeviceType::T150 << false << "MaskEdit2"
                                         << "1234" << 0x1234 << "MaskEdit3";
        QTest::newRow("leading zeros") << TDeviceType::T150 << false << "MaskEdit3"
                                       << "0007" << 0x0007 << "MaskEdit1";
        QTest::newRow("PKU-630 concierge") << TDeviceType::PKU630 << false << "MaskEdit6"
                                           << "42" << 0x0042 << "MaskEdit5";
        QTest::newRow("PKU-630 password") << TDeviceType::PKU630 << false << "MaskEdit5"
                                          << "9010" << 0x9010 << "MaskEdit4";
        QTest::newRow("PKU-630 general code") << TDeviceType::PKU630 << false << "MaskEdit4"
                                              << "1111" << 0x1111 << "MaskEdit6";
        QTest::newRow("G300 general code") << TDeviceType::G300 << false << "MaskEdit10"
                                           << "5555" << 0x5555 << "MaskEdit8";
        QTest::newRow("G300 DS1995 service") << TDeviceType::G300 << true << "MaskEdit11"
                                             << "1357" << 0x1357 << "MaskEdit12";
        QTest::newRow("G300 DS1995 system") << TDeviceType::G300 << true << "MaskEdit12"
                                            << "2468" << 0x2468 << "MaskEdit13";
        QTest::newRow("G300 DS1995 general") << TDeviceType::G300 << true << "MaskEdit13"
                                             << "0101" << 0x0101 << "MaskEdit11";
        QTest::newRow("PKU-512S system password") << TDeviceType::PKU512S << false << "MaskEdit15"
                                                  << "8642" << 0x8642 << "MaskEdit16";
        QTest::newRow("PKU-512S general code") << TDeviceType::PKU512S << false << "MaskEdit16"
                                               << "0909" << 0x0909 << "MaskEdit14";
        QTest::newRow("PKU-618 concierge, focus stays") << TDeviceType::PKU618 << false << "MaskEdit7"
                                                        << "42" << 0x42 << "MaskEdit7";
    }
    void aCompleteFieldReachesTheRecordAtTheLastReleaseAndEnterMovesOn()
    {
        QFETCH(TDeviceType, type);
        QFETCH(bool, smallIButton);
        QFETCH(QString, field);
        QFETCH(QString, digits);
        QFETCH(int, value);
        QFETCH(QString, next);
        EditingSession session(type, smallIButton);
        session.StartReader();
        const FieldSpec& spec = *FieldSpecNamed(qPrintable(field));
        SetFieldRecordValue(session.Record(), spec.value, 0xFFFF);
        session.form->PageControl1Change();
        auto* edit = session.Find<MaskEdit>(qPrintable(field));
        edit->setFocus();
        edit->setCursorPosition(0);
        EditingSession::Type(digits.chopped(1));
        QCOMPARE(FieldRecordValue(session.Record(), spec.value),
                 spec.value == FieldValue::ConciergeByte ? 0xFF : 0xFFFF);
        EditingSession::Type(digits.right(1));
        QCOMPARE(FieldRecordValue(session.Record(), spec.value), value);
        EditingSession::Stroke(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), next);
        QCOMPARE(FieldRecordValue(session.Record(), spec.value), value);
        QCOMPARE(edit->text(), digits);
        QVERIFY(session.Modified());
    }

    void anIncompleteFieldShowsTheStoredValueAgain_data()
    {
        QTest::addColumn<QString>("leave");
        QTest::newRow("Enter") << "Enter";
        QTest::newRow("a click on another field") << "click";
        QTest::newRow("Tab") << "Tab";
    }
    void anIncompleteFieldShowsTheStoredValueAgain()
    {
        QFETCH(QString, leave);
        EditingSession session(TDeviceType::T150);
        session.Record().SystemPassword = 0xFFFF;
        session.form->PageControl1Change();
        auto* edit = session.Find<MaskEdit>("MaskEdit2");
        edit->setFocus();
        edit->setCursorPosition(0);
        EditingSession::Type("12");
        if (leave == "Enter") EditingSession::Stroke(Qt::Key_Return);
        if (leave == "click") QTest::mouseClick(session.Find("MaskEdit1"), Qt::LeftButton);
        if (leave == "Tab") EditingSession::Stroke(Qt::Key_Tab);
        QCOMPARE(edit->displayText(), QString("FFFF"));
        QCOMPARE(session.Record().SystemPassword, 0xFFFF);
        if (leave == "Enter") QCOMPARE(QApplication::focusWidget(), edit);
    }

    void aCompleteFieldLeftByAClickStaysStoredAndTheFocusGoesWhereTheUserClicked()
    {
        EditingSession session(TDeviceType::PKU512S);
        session.Record().GeneralCode = 0xFFFF;
        session.form->PageControl1Change();
        auto* edit = session.Find<MaskEdit>("MaskEdit16");
        edit->setFocus();
        edit->setCursorPosition(0);
        EditingSession::Type("4321");
        // Not the field Enter would move to (MaskEdit14).
        QTest::mouseClick(session.Find("MaskEdit15"), Qt::LeftButton);
        QCOMPARE(session.Record().GeneralCode, 0x4321);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("MaskEdit15"));
        QCOMPARE(edit->text(), QString("4321"));
    }

    void theServicePasswordStoresAtThePressSoTheNextEnterDoesNotMoveOn_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("focusAfterEnter");
        QTest::newRow("MaskEdit1 stores at the press") << "MaskEdit1"
                                                       << "MaskEdit1";
        QTest::newRow("MaskEdit2 does not") << "MaskEdit2"
                                            << "MaskEdit3";
    }
    void theServicePasswordStoresAtThePressSoTheNextEnterDoesNotMoveOn()
    {
        QFETCH(QString, field);
        QFETCH(QString, focusAfterEnter);
        EditingSession session(TDeviceType::T150);
        session.Record().ServicePassword = 0x1234;
        session.Record().SystemPassword = 0x1234;
        session.form->PageControl1Change();
        auto* edit = session.Find<MaskEdit>(qPrintable(field));
        edit->setFocus();
        edit->setCursorPosition(0);
        EditingSession::Type("5"); // over the first digit of a complete field
        QCOMPARE(edit->text(), QString("5234"));
        QCOMPARE(FieldRecordValue(session.Record(), FieldSpecNamed(qPrintable(field))->value), 0x5234);
        EditingSession::Stroke(Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), focusAfterEnter);
    }

    void thePku618ConciergeFieldAsksForAReaderAtEveryPressButStillTakesTheDigits()
    {
        EditingSession session(TDeviceType::PKU618);
        session.Record().AuxByte = 0xFF;
        session.form->PageControl1Change();
        auto* edit = session.Find<MaskEdit>("MaskEdit7");
        edit->setFocus();
        edit->setCursorPosition(0);
        EditingSession::Type("42");
        QCOMPARE(session.prompts.messages().size(), 2);
        QCOMPARE(session.prompts.messages()[0].text, QString("not selected type of key"));
        QCOMPARE(edit->text(), QString("42"));
        QCOMPARE(session.Record().AuxByte, 0x42);
        EditingSession::Stroke(Qt::Key_Return);
        QCOMPARE(session.prompts.messages().size(), 3);
        QCOMPARE(QApplication::focusWidget(), edit);
    }

    void tabbingThroughTheFieldsMarksTheDocumentModified()
    {
        EditingSession session(TDeviceType::T150);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("MaskEdit1"));
        QVERIFY(!session.Modified());
        EditingSession::Stroke(Qt::Key_Tab);
        QVERIFY(session.Modified());
    }
};

QTEST_MAIN(FieldsTest)
#include "tst_fields.moc"
