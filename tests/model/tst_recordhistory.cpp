// Undo and redo over the record: steps only where bytes changed, the saved state, the capacity.

#include "model/RecordHistory.h"

#include <QTest>

#include <cstring>
#include <memory>

namespace {

std::unique_ptr<IntercomStore> EmptyStore()
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    return store;
}

bool SameBytes(const IntercomStore& a, const IntercomStore& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

} // namespace

class RecordHistoryTest : public QObject {
    Q_OBJECT
private slots:
    void anEventThatChangesNothingMakesNoStep()
    {
        auto store = EmptyStore();
        RecordHistory history;
        history.Start(*store, true);
        QVERIFY(!history.Record(*store));
        store->Record.KeySlots[0].bytes = {0xFF, 0xFF, 0xFF, 0xFF}; // written with what it held
        QVERIFY(!history.Record(*store));
        QVERIFY(!history.CanUndo());
        QVERIFY(history.AtSavedState());
    }

    void undoAndRedoWalkEveryKindOfChangeBackAndForth()
    {
        auto store = EmptyStore();
        RecordHistory history;
        history.Start(*store, true);
        std::vector<IntercomStore> states{*store};
        const auto keep = [&] {
            QVERIFY(history.Record(*store));
            states.push_back(*store);
        };
        store->Record.KeySlots[5].bytes = {0x12, 0x34, 0x56, 0xFF}; // a typed key
        keep();
        store->Record.Codes[7] = 0x0123; // a code
        keep();
        store->Record.ConfigByte ^= 0x10; // a configuration box
        keep();
        for (auto& slot : store->Record.KeySlots) slot.bytes = {1, 2, 3, 0xFF}; // a fill over the page
        store->ExtensionKeySlots[4999].bytes = {9, 9, 9, 0xFF};
        keep();
        QCOMPARE(history.StepCount(), std::size_t(4));

        for (int back = int(states.size()) - 2; back >= 0; --back) {
            QVERIFY(history.Undo(*store));
            QVERIFY2(SameBytes(*store, states[std::size_t(back)]), qPrintable(QString::number(back)));
        }
        QVERIFY(!history.Undo(*store));
        QVERIFY(history.AtSavedState());
        for (std::size_t forward = 1; forward < states.size(); ++forward) {
            QVERIFY(history.Redo(*store));
            QVERIFY(SameBytes(*store, states[forward]));
        }
        QVERIFY(!history.Redo(*store));
        QVERIFY(!history.AtSavedState());
    }

    void theChangedRangeLeadsToTheChangedSlot()
    {
        auto store = EmptyStore();
        RecordHistory history;
        history.Start(*store, true);
        store->Record.KeySlots[100].bytes[1] = 0x42;
        history.Record(*store);
        const int offset = int(offsetof(TIntercomData, KeySlots)) + 100 * 4 + 1;
        QCOMPARE(history.Undo(*store), (ChangedRange{offset, offset}));
        QCOMPARE(history.Redo(*store), (ChangedRange{offset, offset}));
    }

    void aNewEditAfterUndoDropsWhatCouldBeRedone()
    {
        auto store = EmptyStore();
        RecordHistory history;
        history.Start(*store, false);
        store->Record.GeneralCode = 1;
        history.Record(*store);
        history.Undo(*store);
        store->Record.GeneralCode = 2;
        history.Record(*store);
        QVERIFY(!history.CanRedo());
        history.Undo(*store);
        QCOMPARE(store->Record.GeneralCode, std::uint16_t(0));
    }

    void editsNotYetRecordedAreTheFirstStepUndone()
    {
        auto store = EmptyStore();
        RecordHistory history;
        history.Start(*store, true);
        store->Record.SystemPassword = 0x1234;
        QVERIFY(history.Undo(*store));
        QCOMPARE(store->Record.SystemPassword, std::uint16_t(0));
        QVERIFY(history.AtSavedState());
    }

    void theSavedStateFollowsSaveAndIsLostWhenItsStepIsOverwritten()
    {
        auto store = EmptyStore();
        RecordHistory history;
        history.Start(*store, false); // a chip read: not saved anywhere
        QVERIFY(!history.AtSavedState());
        store->Record.ServicePassword = 1;
        history.Record(*store);
        history.MarkSaved();
        QVERIFY(history.AtSavedState());
        history.Undo(*store);
        QVERIFY(!history.AtSavedState());
        history.Redo(*store);
        QVERIFY(history.AtSavedState());
        history.Undo(*store);
        store->Record.ServicePassword = 2; // another branch: the saved state can no longer be reached
        history.Record(*store);
        history.Undo(*store);
        QVERIFY(!history.AtSavedState());
    }

    void theOldestStepsGoPastTheCapacity()
    {
        auto store = EmptyStore();
        RecordHistory history(200);
        history.Start(*store, true);
        for (int i = 0; i < 250; ++i) {
            store->Record.KeySlots[std::size_t(i)].bytes = {std::uint8_t(i), 1, 2, 0xFF};
            QVERIFY(history.Record(*store));
        }
        QCOMPARE(history.StepCount(), std::size_t(200));
        int undone = 0;
        while (history.Undo(*store)) ++undone;
        QCOMPARE(undone, 200);
        QVERIFY(store->Record.KeySlots[49].bytes != (std::array<std::uint8_t, 4>{0xFF, 0xFF, 0xFF, 0xFF}));
        QVERIFY(store->Record.KeySlots[50].isEmpty());
        QVERIFY(!history.AtSavedState()); // the saved state was older than every step kept
        QVERIFY(history.MemoryBytes() < 64 * 1024);
    }
};

QTEST_GUILESS_MAIN(RecordHistoryTest)
#include "tst_recordhistory.moc"
