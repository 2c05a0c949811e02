// The Convert menu as a user uses it: each item re-labels the document for its target type,
// keeps only the settings the target knows, empties the header keys the target has no use for and
// shows the target's page, without touching the document's file or modified state.

#include "WindowSession.h"

#include "documents/Conversion.h"
#include "views/StringGrid.h"

#include <QMenu>

namespace {

// A document of `type` opened from a file, with every header key slot and the configuration
// byte set, so that what a conversion keeps and empties shows.
QString OpenFullDocument(WindowSession& session, TDeviceType type)
{
    const QString path = session.WriteDataFile(QStringLiteral("source.kvr"), type);
    session.Open(path);
    for (KeySlot& slot : session.Record().HeaderKeySlots) slot.bytes = {0x12, 0x34, 0x56, 0xFF};
    session.Record().ConfigByte = 0xFF;
    return path;
}

} // namespace

class ConversionMenuTest : public QObject {
    Q_OBJECT
private slots:
    void theMenuListsTheNineConversionsInOrder()
    {
        WindowSession session;
        QStringList captions;
        for (QAction* item : session.Find<QMenu>("N1")->actions()) captions << item->text();
        QCOMPARE(captions, (QStringList{"to T150", "to PKU511", "to PKU618", "to LMR702", "to PKU630", "to G300",
                                        "to PKU512S", "to LMR70x_2680", "toPKU512T"}));
        session.PickLanguage(0);
        QCOMPARE(session.Find<QMenu>("N1")->actions().constFirst()->text(), QString("to T150"));
    }

    void everyConversionRelabelsTheDataAndShowsTheTargetsPage_data()
    {
        QTest::addColumn<QString>("action");
        QTest::addColumn<TDeviceType>("from");
        QTest::addColumn<TDeviceType>("target");
        QTest::addColumn<QString>("page");
        QTest::addColumn<int>("config");
        QTest::addColumn<int>("firstEmptiedHeaderSlot"); // 28: none
        QTest::newRow("to T150") << "toT150" << TDeviceType::PKU630 << TDeviceType::T150 << "TabSheet1" << 0x5F << 28;
        QTest::newRow("to PKU511") << "toPKU511" << TDeviceType::T150 << TDeviceType::PKU511 << "TabSheet1" << 0x10
                                   << 28;
        QTest::newRow("to PKU618") << "toPKU618" << TDeviceType::T150 << TDeviceType::PKU618 << "TabSheet3" << 0x00
                                   << 28;
        QTest::newRow("to LMR702") << "toLMR702" << TDeviceType::LMR70x2680 << TDeviceType::LMR702 << "TabSheet2"
                                   << 0x00 << 8;
        QTest::newRow("to PKU630") << "toPKU630" << TDeviceType::T150 << TDeviceType::PKU630 << "TabSheet4" << 0x1F
                                   << 28;
        QTest::newRow("to G300") << "toG300" << TDeviceType::T150 << TDeviceType::G300 << "TabSheet5" << 0xBB << 28;
        QTest::newRow("to PKU512S from PKU-512T")
            << "toPKU512S" << TDeviceType::PKU512T << TDeviceType::PKU512S << "TabSheet7" << 0x5F << 0;
        QTest::newRow("to LMR70x_2680") << "toLMR70x_2680" << TDeviceType::LMR702 << TDeviceType::LMR70x2680
                                        << "TabSheet8" << 0x00 << 8;
        QTest::newRow("toPKU512T") << "toPKU512T" << TDeviceType::PKU512S << TDeviceType::PKU512T << "TabSheet1" << 0x5F
                                   << 28;
    }
    void everyConversionRelabelsTheDataAndShowsTheTargetsPage()
    {
        QFETCH(QString, action);
        QFETCH(TDeviceType, from);
        QFETCH(TDeviceType, target);
        QFETCH(QString, page);
        QFETCH(int, config);
        QFETCH(int, firstEmptiedHeaderSlot);
        WindowSession session;
        const QString path = OpenFullDocument(session, from);
        const QString title = session.form->windowTitle();
        session.Trigger(qPrintable(action));
        QCOMPARE(session.form->CurrentType(), std::optional(target));
        QVERIFY(session.PageShown(qPrintable(page)));
        QCOMPARE(TypeNameText(session.Record()), TypeText(target));
        QCOMPARE(int(session.Record().ConfigByte), config);
        for (int slot = 0; slot < HeaderKeySlotCount; ++slot)
            QCOMPARE(session.Record().HeaderKeySlots[slot].isEmpty(), slot >= firstEmptiedHeaderSlot);
        QCOMPARE(session.Record().KeySlots[0].bytes[0], 0x11); // keys stay where they are
        QVERIFY(session.Enabled("MCmd_Write") && session.Enabled("MFile_Save") && session.Enabled("N1"));
        // The document is the same file, unmodified: closing asks nothing.
        QVERIFY(!session.Modified());
        QCOMPARE(session.form->Document().DocumentPath, path);
        QVERIFY(session.form->Document().HasFileName);
        QCOMPARE(session.form->windowTitle(), title);
        QVERIFY(session.form->close());
        QVERIFY(session.prompts.messages().isEmpty());
    }

    void aConversionToTheCurrentTypeOnlyReducesTheSettings()
    {
        WindowSession session;
        OpenFullDocument(session, TDeviceType::T150);
        session.Record().KeySlots[0].bytes = {0x99, 0x99, 0x99, 0xFF};
        session.Trigger("toT150");
        QCOMPARE(int(session.Record().ConfigByte), 0x5F);
        QVERIFY(!session.Record().HeaderKeySlots[27].isEmpty());
        // The page is not filled again.
        QCOMPARE(session.Find<StringGrid>("SGrid1")->Cell(2, 1), QString("33 22 11"));
    }

    void toG300TurnsDs1995DataIntoDs1996DataOnItsOwnPage()
    {
        WindowSession session;
        OpenFullDocument(session, TDeviceType::G300);
        session.form->SetSmallIButton(true);
        session.form->ShowDataSet();
        QVERIFY(session.PageShown("TabSheet6"));
        session.Record().KeySlots[424].bytes = {0x01, 0x02, 0x03, 0xFF};
        session.Record().Codes[99] = 0x4321;
        session.Trigger("toG300");
        QVERIFY(!session.form->SmallIButton());
        QVERIFY(session.PageShown("TabSheet5"));
        auto* table = session.Find<StringGrid>("SGrid6");
        QCOMPARE(table->Cell(1, 100), QString("4321"));
        QCOMPARE(table->Cell(6, 71), QString("03 02 01")); // slot 424 = 6 * 70 + 4
        QCOMPARE(int(session.Record().ConfigByte), 0xBB);
        // Once DS1996 data, a second "to G300" changes nothing but the settings.
        session.Trigger("toG300");
        QVERIFY(session.PageShown("TabSheet5"));
    }

    void dataThatATargetDoesNotShowSurvivesAConversionAndBack()
    {
        WindowSession session;
        OpenFullDocument(session, TDeviceType::PKU630);
        session.Record().Codes[150] = 0x2580;
        session.Record().KeySlots[1199].bytes = {0x0A, 0x0B, 0x0C, 0xFF};
        session.Trigger("toT150");
        QCOMPARE(session.Find<StringGrid>("SGrid1")->rowCount(), 101);
        session.Trigger("toPKU630");
        auto* table = session.Find<StringGrid>("SGrid4");
        QCOMPARE(table->Cell(1, 151), QString("2580"));
        QCOMPARE(table->Cell(7, 200), QString("0C 0B 0A"));
    }
};

QTEST_MAIN(ConversionMenuTest)
#include "tst_conversionmenu.moc"
