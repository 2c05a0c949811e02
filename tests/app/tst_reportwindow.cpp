// Print and Fill ind. codes in the window: the report prints what the page shows, the same
// bytes kavro-cli writes for the same data file; new codes reach the cells and the record.

#include "WindowSession.h"

#include "documents/Report.h"
#include "model/TextForms.h"
#include "support/CliRun.h"
#include "views/MaskEdit.h"
#include "views/StringGrid.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

// A data file of `type` with keys, codes and fields to print.
QString SampleFile(WindowSession& session, TDeviceType type)
{
    auto record = std::make_unique<TIntercomData>(session.Record());
    StoreTypeName(*record, type);
    for (int slot = 0; slot < KeySlotCount; slot += 5)
        record->KeySlots[slot].bytes = {std::uint8_t(slot), 0x44, 0x1C, 0xFF};
    for (int code = 0; code < CodeCount; code += 2) record->Codes[code] = static_cast<std::uint16_t>(0x3100 + code);
    record->Codes[3] = 0x0A05;
    record->HeaderKeySlots[2].bytes = {0x0E, 0x0F, 0x10, 0xFF};
    record->MasterKey.bytes = {0x01, 0x02, 0x03, 0xFF};
    record->ServicePassword = 0x12AB; // a value a masked field cannot show whole
    record->SystemPassword = 0x0A05;
    record->GeneralCode = 0x0042;
    record->AuxByte = 0x07;
    const QString path = session.File(QStringLiteral("sample.kvr"));
    WriteAll(path, DataFileBytes(*record));
    return path;
}

} // namespace

class ReportWindowTest : public QObject {
    Q_OBJECT
private slots:
    void theWindowsReportIsTheCommandLinesForTheSameFile_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<QString>("language");
        for (const TDeviceType type : AllDeviceTypes)
            if (type != TDeviceType::PKU630XE) // its keys do not travel in a data file
                for (const char* language : {"ru", "en"})
                    QTest::newRow(qPrintable(TypeText(type) + " " + language)) << type << QString(language);
    }
    void theWindowsReportIsTheCommandLinesForTheSameFile()
    {
        QFETCH(TDeviceType, type);
        QFETCH(QString, language);
        WindowSession session;
        session.PickLanguage(language == "ru" ? 0 : 1);
        const QString path = SampleFile(session, type);
        session.Open(path);
        session.form->N4Click();
        QCOMPARE(session.openedInEditor, QStringList{session.File("report.txt")});
        const CliRun cli = RunCli({"report", path, "-o", session.File("cli.txt"), "--lang", language});
        QCOMPARE(cli.status, 0);
        QCOMPARE(ReadAll(session.File("report.txt")), ReadAll(session.File("cli.txt")));
        QVERIFY(!session.Modified()); // printing changes nothing
    }

    void aHalfTypedCellPrintsWhatItShowsAndPrintHasCtrlP()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::T150);
        session.Find<StringGrid>("SGrid1")->SetCell(3, 1, "12");
        QCOMPARE(session.Find<QAction>("N4")->shortcut(), QKeySequence(QKeySequence::Print));
        session.Find<QAction>("N4")->trigger();
        const QByteArray report = ReadAll(session.File("report.txt"));
        QVERIFY(report.contains("\r\n00\tFFFF\tFF FF FF\t12\tFF FF FF\t"));
    }

    void aReportThatCannotBeWrittenIsReportedAndNoEditorStarts()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::T150);
        QVERIFY(QDir(session.dir.path()).mkdir("report.txt")); // a folder in its place cannot be replaced
        session.form->N4Click();
        QCOMPARE(session.prompts.messages().size(), 1);
        QVERIFY(session.prompts.messages().constFirst().text.contains(session.File("report.txt")));
        QCOMPARE(session.prompts.messages().constFirst().caption, QString("Error"));
        QVERIFY(session.openedInEditor.isEmpty());
        QVERIFY(QFileInfo(session.File("report.txt")).isDir());
    }

    void aMaskedFieldShowsWhatTheReportPrintsForIt()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::PKU630);
        for (const auto& [field, value] :
             {std::pair{"MaskEdit6", std::uint16_t(0x8527)}, std::pair{"MaskEdit5", std::uint16_t(0x12AB)},
              std::pair{"MaskEdit4", std::uint16_t(0x0A05)}}) {
            auto* edit = session.Find<MaskEdit>(field);
            const int digits = edit->inputMask().count('9');
            const QString text = digits == 4 ? FourDigitText(value) : TwoDigitText(value);
            edit->setText(text);
            QCOMPARE(edit->displayText(), MaskedFieldText(text, digits));
        }
    }

    void fillingCodesWritesTheCellsAndTheRecordAndMarksTheDocument()
    {
        WindowSession session;
        session.Open(SampleFile(session, TDeviceType::PKU512S));
        const KeySlot key = session.Record().KeySlots[5];
        session.Trigger("N5");
        auto* grid = session.Find<StringGrid>("SGrid9");
        for (const int row : {1, 100, 200}) {
            const QString cell = grid->Cell(1, row);
            QCOMPARE(cell, FourDigitText(session.Record().Codes[row - 1]));
            QVERIFY(cell[0] != '0' && cell[3] != '0');
        }
        QCOMPARE(session.Record().KeySlots[5], key);
        QVERIFY(session.Modified());

        // The DS1995 variant fills its own hundred rows; types without codes change nothing.
        session.prompts.answer(PromptAnswer::No);
        session.NewDocument(TDeviceType::G300);
        session.form->SetSmallIButton(true);
        session.form->ShowDataSet();
        session.Trigger("N5");
        QCOMPARE(session.Find<StringGrid>("StringGrid2")->Cell(1, 100), FourDigitText(session.Record().Codes[99]));
        QCOMPARE(session.Record().Codes[100], EmptyDigitValue);
        session.prompts.answer(PromptAnswer::No);
        session.NewDocument(TDeviceType::LMR702);
        const auto codes = session.Record().Codes;
        session.form->N5Click();
        QCOMPARE(session.Record().Codes, codes);
    }
};

QTEST_MAIN(ReportWindowTest)
#include "tst_reportwindow.moc"
