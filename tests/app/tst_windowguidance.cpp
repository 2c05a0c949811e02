// What the window tells and spares a technician: an entry left unfinished never reaches the next
// document, the wheel never changes the controller type, fields keep every digit in a small
// window, and the status line says where a key goes, where it went, how a chip command and the
// report ended, beside the reader state and the unsaved-changes mark.

#include "WindowSession.h"

#include "app/QtPrompts.h"
#include "app/TransferDialog.h"
#include "model/NewDocument.h"
#include "programmer/NamedPortNotices.h"
#include "views/MaskEdit.h"
#include "views/StringGrid.h"

#include <QLabel>
#include <QMessageBox>
#include <QTimer>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QWheelEvent>

namespace {

QString StatusText(const WindowSession& session, const char* label)
{
    const auto* shown = session.Find<QLabel>(label);
    return shown->isVisibleTo(session.form.get()) ? shown->text() : QString();
}

// A data file of `type` whose general code is 9385 and concierge apartment 42, both where the
// record keeps it and as the PKU-618 concierge field shows it.
QString FileWithDefaults(WindowSession& session, const QString& name, TDeviceType type)
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    ApplyNewDocument(*store, type);
    store->Record.ConciergeNumber = 0x42;
    store->Record.AuxByte = 0x42;
    const QString path = session.File(name);
    WriteAll(path, DataFileBytes(store->Record));
    return path;
}

void TypeInto(QWidget* field, const QString& digits)
{
    field->setFocus();
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClicks(field, digits);
}

// Typed as the keyboard delivers it: every key to the widget that has the focus when it comes,
// the cell's editor once the first key has opened it.
void TypeIntoFocus(const QByteArray& characters)
{
    for (const char character : characters) QTest::keyClick(QApplication::focusWidget(), character);
}

} // namespace

class WindowGuidanceTest : public QObject {
    Q_OBJECT
private slots:
    void anEntryLeftInAFieldNeverReachesTheNextDocument_data()
    {
        QTest::addColumn<TDeviceType>("fromType");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("digits");
        QTest::addColumn<TDeviceType>("toType");
        QTest::newRow("PKU-630 general code into a T150 file") << TDeviceType::PKU630 << "MaskEdit4"
                                                               << "1357" << TDeviceType::T150;
        QTest::newRow("PKU-618 concierge into a G300 file") << TDeviceType::PKU618 << "MaskEdit7"
                                                            << "13" << TDeviceType::G300;
    }
    void anEntryLeftInAFieldNeverReachesTheNextDocument()
    {
        QFETCH(TDeviceType, fromType);
        QFETCH(QString, field);
        QFETCH(QString, digits);
        QFETCH(TDeviceType, toType);
        WindowSession session;
        QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
        session.Open(FileWithDefaults(session, "from.kvr", fromType));
        session.ConnectProgrammer();
        session.Find<QToolButton>("ToolButton5")->click(); // the concierge field takes digits while a reader is on
        TypeInto(session.Find(qPrintable(field)), digits);
        const QString next = FileWithDefaults(session, "to.kvr", toType);
        const QByteArray nextBytes = ReadAll(next);
        session.prompts.answer(PromptAnswer::No); // do not save the typing
        session.Open(next);
        QApplication::processEvents();
        QCOMPARE(session.Record().GeneralCode, std::uint16_t(0x9385));
        QCOMPARE(session.Record().ConciergeNumber, std::int32_t(0x42));
        QCOMPARE(session.Record().AuxByte, std::uint8_t(0x42));
        QVERIFY(!session.Modified());
        session.Trigger("ASave");
        QCOMPARE(ReadAll(next), nextBytes);
    }

    // The first cell of a key list stays the current cell when a new document starts, so only
    // the dropped entry keeps the half typed there from taking the next key's first character.
    void aKeyHalfTypedIntoACellIsDroppedWhenANewDocumentStarts_data()
    {
        QTest::addColumn<bool>("byOpen");
        QTest::newRow("New") << false;
        QTest::newRow("Open") << true;
    }
    void aKeyHalfTypedIntoACellIsDroppedWhenANewDocumentStarts()
    {
        QFETCH(bool, byOpen);
        WindowSession session;
        QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
        session.ConnectProgrammer();
        session.NewDocument(TDeviceType::LMR702);
        session.Find<QToolButton>("ToolButton5")->click();
        auto* grid = session.Find<StringGrid>("SGrid2");
        const auto clickFirstCell = [grid] {
            QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(1, 1)).center());
        };
        clickFirstCell();
        TypeIntoFocus("1A2");
        const QString emptyList = FileWithDefaults(session, "keys.kvr", TDeviceType::LMR702);
        session.prompts.answer(PromptAnswer::No); // the typing made the document modified
        if (byOpen)
            session.Open(emptyList);
        else
            session.NewDocument(TDeviceType::LMR702);
        clickFirstCell();
        TypeIntoFocus("B3C4D5");
        // The six characters after New or Open are one whole key, and nothing of the two halves.
        QCOMPARE(grid->Cell(1, 1), QString("B3 C4 D5"));
        QCOMPARE(session.Record().KeySlots[0].bytes, (std::array<std::uint8_t, 4>{0xD5, 0xC4, 0xB3, 0xFF}));
    }

    void theWheelOverTheTypeListNeverChangesTheType()
    {
        WindowSession session;
        session.Open(session.WriteDataFile("a.kvr", TDeviceType::PKU630));
        auto* types = session.Find<QComboBox>("CBox2");
        const QPointF centre = types->rect().center();
        QWheelEvent notch(centre, types->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(types, &notch);
        QCOMPARE(session.form->CurrentType(), std::optional(TDeviceType::PKU630));
        QVERIFY(session.PageShown("TabSheet4"));
        QVERIFY(session.form->windowTitle().contains("a.kvr"));
    }

    void everyMaskedFieldShowsAllItsDigitsInTheSmallestWindow()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::PKU512S);
        session.form->resize(1024, 600);
        QVERIFY(QTest::qWaitForWindowExposed(session.form.get()));
        QApplication::processEvents();
        for (MaskEdit* field : session.form->findChildren<MaskEdit*>()) {
            if (!field->isVisible()) continue;
            QStyleOptionFrame frame;
            frame.initFrom(field);
            frame.lineWidth = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, field);
            const QRect text = field->style()->subElementRect(QStyle::SE_LineEditContents, &frame, field);
            QVERIFY2(field->fontMetrics().horizontalAdvance(field->displayText()) <= text.width(),
                     qPrintable(field->objectName() + " cuts " + field->displayText()));
        }
    }

    void theReaderButtonsSayWhatTheyReadInBothLanguages()
    {
        WindowSession session;
        session.PickLanguage(0);
        QCOMPARE(session.Find<QToolButton>("ToolButton5")->text(), QString("Чтение ТМ"));
        QCOMPARE(session.Find<QToolButton>("ToolButton6")->text(), QString("Чтение RFID"));
        session.PickLanguage(1);
        QCOMPARE(session.Find<QToolButton>("ToolButton5")->text(), QString("Reading TM"));
        QCOMPARE(session.Find<QToolButton>("ToolButton6")->text(), QString("Reading RFID"));
    }

    void theStatusLineNamesWhereTheNextKeyGoesAndWhereItWent()
    {
        WindowSession session;
        session.ConnectProgrammer();
        session.NewDocument(TDeviceType::LMR702); // key list, master key and guard keys
        QCOMPARE(StatusText(session, "StatusKeyTarget"), QString());
        QCOMPARE(StatusText(session, "StatusReader"), QString("Reader off"));
        session.Find<QToolButton>("ToolButton5")->click();
        auto* list = session.Find<StringGrid>("SGrid2");
        list->setFocus();
        list->SelectCell(1, 3);
        QTRY_COMPARE(StatusText(session, "StatusKeyTarget"), QString("Key goes to: key 11"));
        QCOMPARE(StatusText(session, "StatusReader"), QString("Touch-memory reader on"));
        session.form->InsertKey({0x01, 0x02, 0x03});
        QCOMPARE(StatusText(session, "StatusEvent"), QString("Key stored: key 11"));
        QCOMPARE(StatusText(session, "StatusKeyTarget"), QString("Key goes to: key 12"));
        QTRY_COMPARE(StatusText(session, "StatusModified"), QString("Modified"));

        session.Find("Edit2")->setFocus(); // the master key field
        QTRY_COMPARE(StatusText(session, "StatusKeyTarget"), QString("Key goes to: master key"));
        session.form->InsertKey({0x01, 0x02, 0x03});
        QCOMPARE(StatusText(session, "StatusEvent"), QString("Key refused: the same key is already stored (key 11)"));
        QVERIFY(session.Record().MasterKey.isEmpty());

        auto* guards = session.Find<StringGrid>("SGrid3");
        guards->setFocus();
        guards->SelectCell(1, 4);
        QTRY_COMPARE(StatusText(session, "StatusKeyTarget"), QString("Key goes to: guard key 4"));
        session.PickLanguage(0);
        QTRY_COMPARE(StatusText(session, "StatusKeyTarget"), QString("Ключ пойдёт: ключ охраны 4"));
    }

    void aTakenCellSendsTheKeyToTheFreeSlotTheStatusLineNamed()
    {
        WindowSession session;
        session.ConnectProgrammer();
        session.NewDocument(TDeviceType::T150);
        session.Record().KeySlots[0].bytes = {0x01, 0x01, 0x01, 0xFF};
        session.Record().KeySlots[1].bytes = {0x02, 0x02, 0x02, 0xFF};
        session.form->PageControl1Change();
        session.Find<QToolButton>("ToolButton5")->click();
        auto* apartments = session.Find<StringGrid>("SGrid1");
        apartments->setFocus();
        apartments->SelectCell(2, 1); // apartment 0, key 1: taken
        QTRY_COMPARE(StatusText(session, "StatusKeyTarget"), QString("Key goes to: apartment 0, key 3"));
        session.form->InsertKey({0x09, 0x09, 0x09});
        QCOMPARE(StatusText(session, "StatusEvent"), QString("Key stored: apartment 0, key 3"));
        QCOMPARE(session.Record().KeySlots[2].bytes[0], std::uint8_t(0x09));
    }

    void everyChipCommandEndsWithALineInTheStatusBar()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::T150);
        session.Trigger("READ24c16"); // no programmer found
        QCOMPARE(StatusText(session, "StatusEvent"), QString("No programmer found: chip 24C16 was not touched"));
        QVERIFY(session.prompts.messages().isEmpty());

        session.ConnectProgrammer();
        session.prompts.answer(PromptAnswer::Ok); // insert the chip
        session.Trigger("Write24c16");
        QCOMPARE(StatusText(session, "StatusEvent"), QString("Chip 24C16 written and checked"));
        session.prompts.answer(PromptAnswer::Ok);
        session.Trigger("READ24c16");
        QCOMPARE(StatusText(session, "StatusEvent"), QString("Chip 24C16 read"));
        session.prompts.answer(PromptAnswer::No).answer(PromptAnswer::Cancel); // not saved; no chip inserted
        session.Trigger("READ24c16");
        QCOMPARE(StatusText(session, "StatusEvent"), QString("Chip 24C16 not read"));
    }

    void theDeviceChangeTextKeepsItsOwnPlaceBesideTheStatusLine()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::T150);
        session.Trigger("READ24c16");
        session.notices.send(DeviceEvent::Arrival, DeviceKind::Interface, "USB\\VID_1234&PID_0001\\1");
        QCOMPARE(session.form->statusBar()->currentMessage(), QString("Вставлен новый интерфейс"));
        QVERIFY(!StatusText(session, "StatusEvent").isEmpty());
    }

    void printSaysWhereTheReportIsAndNamesTheFileWhenNothingOpensIt()
    {
        WindowSession session;
        session.NewDocument(TDeviceType::T150);
        session.Trigger("N4");
        QVERIFY(StatusText(session, "StatusEvent").startsWith("Report written to "));
        QVERIFY(StatusText(session, "StatusEvent").endsWith("report.txt"));
        QVERIFY(session.prompts.messages().isEmpty());
        session.editorFound = false;
        session.prompts.answer(PromptAnswer::Ok);
        session.Trigger("N4");
        QCOMPARE(session.prompts.messages().size(), 1);
        QVERIFY(session.prompts.texts().constFirst().contains(QDir::toNativeSeparators(session.openedInEditor.last())));
    }

    void menusOpenFromTheKeyboardAndShowTheirShortcuts()
    {
        WindowSession session;
        QCOMPARE(session.Find<QMenu>("MFile")->title(), QString("&File"));
        QCOMPARE(session.Find<QMenu>("N1")->title(), QString("Con&vert"));
        session.PickLanguage(0);
        QCOMPARE(session.Find<QMenu>("MFile")->title(), QString("&Файл"));
        QCOMPARE(session.Find<QAction>("MExit")->text(), QString("&Выход"));
        session.NewDocument(TDeviceType::PKU512S); // reads 24C16 and 24C64: the shortcut reads the type's own 24C64
        emit session.Find<QMenu>("MCmd_Read")->aboutToShow();
        QCOMPARE(session.Find<QAction>("N24c642")->text(), QString("24C64\tCtrl+R"));
        QCOMPARE(session.Find<QAction>("N24c162")->text(), QString("24C16"));
        QCOMPARE(session.Find<QAction>("AProgrammerMode")->shortcut(), QKeySequence("Ctrl+M"));
        QCOMPARE(session.Find<QAction>("N4")->shortcut(), QKeySequence(QKeySequence::Print));
        QVERIFY(QTest::qWaitForWindowActive(session.form.get()));
        QTest::keyClick(session.form.get(), Qt::Key_F10);
        QTRY_VERIFY(session.form->menuBar()->activeAction() != nullptr);
    }

    void programmerModeDialogsListTheBinFilesAndAllFiles()
    {
        QCOMPARE(NameFilters("binary files|*.bin|all files|*"), (QStringList{"binary files (*.bin)", "all files (*)"}));
        QCOMPARE(NameFilters("binary dump memory|*.bin"), QStringList{"binary dump memory (*.bin)"});
    }

    void theTransferDialogIsRepaintedTheMomentTheInsertChipPromptCloses()
    {
        // The transfer goes on right after the answer without the event loop running: the dialog
        // must be painted before the prompt's call returns, or the prompt stays painted over it.
        TForm3 transfer(nullptr);
        transfer.show();
        QVERIFY(QTest::qWaitForWindowExposed(&transfer));
        struct PaintCounter : QObject {
            int paints = 0;
            bool eventFilter(QObject*, QEvent* event) override
            {
                if (event->type() == QEvent::Paint) ++paints;
                return false;
            }
        } counter;
        transfer.installEventFilter(&counter);
        int paintsWhenAnswered = -1;
        QTimer::singleShot(0, [&] {
            auto* prompt = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(prompt);
            QCOMPARE(prompt->text(), QString("Insert chip to read"));
            paintsWhenAnswered = counter.paints;
            prompt->button(QMessageBox::Ok)->click();
        });
        QtPrompts prompts;
        prompts.SetParent(&transfer);
        QCOMPARE(
            prompts.message("Insert chip to read", "Information", PromptButtons::OkCancel, PromptIcon::Information),
            PromptAnswer::Ok);
        QVERIFY(paintsWhenAnswered >= 0);
        QVERIFY(counter.paints > paintsWhenAnswered);
    }

    void aPortNamedByPathIsFollowedAsItAppearsAndDisappears()
    {
        WorkingDirectory dir;
        const QString path = dir.file("programmer");
        SyntheticNotices system;
        NamedPortNotices named(system, path, 20);
        QList<DeviceNotice> told;
        named.start([&told](const DeviceNotice& notice) { told.append(notice); });
        WriteAll(path, "");
        QTRY_COMPARE(told.size(), 2);
        QCOMPARE(told[0].event, DeviceEvent::Arrival);
        QVERIFY(told[0].deviceName.contains("04D8&PID_E91A"));
        QCOMPARE(told[1].event, DeviceEvent::ConfigurationChanged);
        QFile::remove(path);
        QTRY_COMPARE(told.size(), 4);
        QCOMPARE(told[2].event, DeviceEvent::RemovalComplete);
        QCOMPARE(told[3].event, DeviceEvent::ConfigurationChanged);
    }
};

QTEST_MAIN(WindowGuidanceTest)
#include "tst_windowguidance.moc"
