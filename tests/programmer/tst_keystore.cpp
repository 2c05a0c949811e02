// Where a captured key goes on each controller type: the receiver, the duplicate test, the slot
// it lands in, where the selection moves, the key count, the modified mark and the sound.

#include "programmer/KeyReaders.h"
#include "model/KeyStore.h"

#include <QTest>

#include <memory>

namespace {

constexpr KeyBytes Key{0x3C, 0x2B, 0x1A};

struct Rig {
    explicit Rig(TDeviceType type, InputTargets targets = {}, bool smallIButton = false)
            : receiver(ReceiverOf(type, smallIButton, targets)), table(ReceiverTable(receiver))
    {
        ResetRecord(*store);
    }
    KeyStoreOutcome store_(CellRef cell, KeyBytes key = Key)
    {
        return StoreKey(*store, receiver, table, cell, key, [this](CellRef free) {
            return KeyOfSlot(*store, *table, *SlotOfCell(*table, free)).isEmpty();
        });
    }
    void fill(int slot)
    {
        KeyOfSlot(*store, *table, slot).bytes = {0x01, std::uint8_t(slot), std::uint8_t(slot >> 8), 0xFF};
    }
    const KeySlot& slot(int index) const { return KeyOfSlot(*store, *table, index); }

    std::unique_ptr<IntercomStore> store = std::make_unique<IntercomStore>();
    const KeyReceiver& receiver;
    const TableSpec* table;
};

// The object name of the control that receives the key.
const char* ControlName(const KeyReceiver& receiver)
{
    if (receiver.control.table) return TableSpecOf(*receiver.control.table).name;
    return receiver.control.field ? FieldSpecOf(*receiver.control.field).name : nullptr;
}

bool Holds(const KeySlot& slot, KeyBytes key)
{
    return slot.bytes == std::array<std::uint8_t, 4>{key[0], key[1], key[2], 0xFF};
}

} // namespace

class KeyStoreTest : public QObject {
    Q_OBJECT
private slots:
    void theReceiverFollowsTheTypeTheInputTargetAndTheG300Variant()
    {
        using enum InputTargetFamily;
        InputTargets targets;
        QCOMPARE(ControlName(ReceiverOf(TDeviceType::T150, false, targets)), "SGrid1");
        QCOMPARE(ControlName(ReceiverOf(TDeviceType::G300, false, targets)), "SGrid6");
        QCOMPARE(ControlName(ReceiverOf(TDeviceType::G300, true, targets)), "StringGrid2");
        QCOMPARE(ControlName(ReceiverOf(TDeviceType::PKU630XE, false, targets)), "StringGrid3");
        QCOMPARE(ControlName(ReceiverOf(TDeviceType::LMR702, false, targets)), "SGrid2");
        targets[LMR702AndPKU512S] = 3;
        QCOMPARE(ControlName(ReceiverOf(TDeviceType::LMR702, false, targets)), "SGrid3");
        targets[LMR702AndPKU512S] = 2; // shared by types 2 and 6
        QCOMPARE(ControlName(ReceiverOf(TDeviceType::LMR702, false, targets)), "Edit2");
        QCOMPARE(ControlName(ReceiverOf(TDeviceType::PKU512S, false, targets)), "SGrid10");
        targets[PKU618] = 1;
        QCOMPARE(ControlName(ReceiverOf(TDeviceType::PKU618, false, targets)), "Edit3");
        QCOMPARE(ReceiverOf(TDeviceType::PKU512T, false, targets).kind,
                 ReceiverKind::Nowhere); // type 9 before any entry
        targets[PKU512T] = 2;
        QCOMPARE(ControlName(ReceiverOf(TDeviceType::PKU512T, false, targets)), "StringGrid1");
    }

    void aKeyGoesToTheSelectedEmptySlotAndTheSelectionMovesOnOrWraps_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<int>("selectedSlot");
        QTest::addColumn<int>("nextSlot");
        QTest::newRow("T150 slot 599 wraps to 0") << TDeviceType::T150 << 599 << 0;
        QTest::newRow("T150 slot 10") << TDeviceType::T150 << 10 << 11;
        QTest::newRow("LMR 700 stays on slot 669") << TDeviceType::LMR702 << 669 << 669;
        QTest::newRow("LMR 70x-2680 stays on slot 2679") << TDeviceType::LMR70x2680 << 2679 << 2679;
        QTest::newRow("PKU-618 wraps above slot 479") << TDeviceType::PKU618 << 479 << 0;
        QTest::newRow("PKU-630 slot 1193 moves to row 200") << TDeviceType::PKU630 << 1193 << 1194;
        QTest::newRow("G300 wraps at 1800") << TDeviceType::G300 << 1799 << 0;
        QTest::newRow("PKU-630XE stays on its last slot") << TDeviceType::PKU630XE << 4999 << 4999;
    }
    void aKeyGoesToTheSelectedEmptySlotAndTheSelectionMovesOnOrWraps()
    {
        QFETCH(TDeviceType, type);
        QFETCH(int, selectedSlot);
        QFETCH(int, nextSlot);
        Rig rig(type);
        const CellRef cell = *CellOfSlot(*rig.table, selectedSlot);
        const KeyStoreOutcome outcome = rig.store_(cell);
        QVERIFY(Holds(rig.slot(selectedSlot), Key));
        QCOMPARE(outcome.storedCell, std::optional(cell));
        QCOMPARE(outcome.nextCell, CellOfSlot(*rig.table, nextSlot));
        QCOMPARE(outcome.sound, KeySound::Stored);
        QVERIFY(outcome.markModified);
        QCOMPARE(rig.store->Record.KeyCounter, 1);
    }

    void aTakenSelectedSlotSendsTheKeyToTheFirstFreeOneWithItsOwnSound_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<int>("firstFree");
        QTest::addColumn<int>("nextSlot");
        QTest::addColumn<int>("sound");
        QTest::newRow("T150 first free 598 stays") << TDeviceType::T150 << 598 << 598 << int(KeySound::Beep);
        QTest::newRow("T150 first free 100 advances") << TDeviceType::T150 << 100 << 101 << int(KeySound::Beep);
        QTest::newRow("LMR 700 first free 668 stays") << TDeviceType::LMR702 << 668 << 668 << int(KeySound::Beep);
        QTest::newRow("PKU-618 first free 480 wraps") << TDeviceType::PKU618 << 480 << 0 << int(KeySound::Beep);
        QTest::newRow("G300 stores elsewhere with the stored sound")
            << TDeviceType::G300 << 7 << 8 << int(KeySound::Stored);
    }
    void aTakenSelectedSlotSendsTheKeyToTheFirstFreeOneWithItsOwnSound()
    {
        QFETCH(TDeviceType, type);
        QFETCH(int, firstFree);
        QFETCH(int, nextSlot);
        QFETCH(int, sound);
        Rig rig(type);
        for (int slot = 0; slot < firstFree; ++slot) rig.fill(slot);
        rig.fill(firstFree + 1);
        const KeyStoreOutcome outcome = rig.store_(*CellOfSlot(*rig.table, firstFree + 1));
        QVERIFY(Holds(rig.slot(firstFree), Key));
        QCOMPARE(outcome.storedSlot, std::optional(firstFree));
        QCOMPARE(outcome.nextCell, CellOfSlot(*rig.table, nextSlot));
        QCOMPARE(int(outcome.sound), sound);
        QVERIFY(!Holds(rig.slot(firstFree + 1), Key)); // a stored key is never overwritten
    }

    void aDuplicateIsRefusedWithinTheTypesScopeOnly()
    {
        Rig rig(TDeviceType::T150);
        rig.store->Record.KeySlots[599].bytes = {Key[0], Key[1], Key[2], 0xFF};
        KeyStoreOutcome outcome = rig.store_({2, 1});
        QCOMPARE(outcome.sound, KeySound::Duplicate);
        QVERIFY(!outcome.storedSlot && !outcome.markModified);
        // A slot whose fourth byte is not 0xFF is no duplicate.
        rig.store->Record.KeySlots[599].bytes[3] = 0x00;
        QCOMPARE(rig.store_({2, 1}).sound, KeySound::Stored);

        // The PKU-618 test covers slots 0 to 480: a key in slot 500 is not found.
        Rig pku618(TDeviceType::PKU618);
        pku618.store->Record.KeySlots[500].bytes = {Key[0], Key[1], Key[2], 0xFF};
        QVERIFY(pku618.store_({1, 1}).storedSlot);

        // The LMR 700 test covers its guard keys and the master key as well.
        Rig lmr(TDeviceType::LMR702);
        lmr.store->Record.MasterKey.bytes = {Key[0], Key[1], Key[2], 0xFF};
        outcome = lmr.store_({1, 1});
        QCOMPARE(outcome.sound, KeySound::Duplicate);
        QVERIFY(outcome.markModified == false);

        // Three 0xFF bytes equal every empty slot.
        Rig empty(TDeviceType::PKU630);
        outcome = empty.store_({2, 1}, {0xFF, 0xFF, 0xFF});
        QCOMPARE(outcome.sound, KeySound::Duplicate);
    }

    void cellsThatTakeNoKeyStoreNothing()
    {
        Rig t150(TDeviceType::T150);
        KeyStoreOutcome outcome = t150.store_({1, 5}); // the code column
        QVERIFY(!outcome.storedSlot && !outcome.markModified && outcome.sound == KeySound::None);
        Rig pku630(TDeviceType::PKU630);
        outcome = pku630.store_({2, 200}); // row 200 takes no key: only the modified mark
        QVERIFY(!outcome.storedSlot && outcome.markModified);
        outcome = pku630.store_({8, 3}); // the hotel column
        QVERIFY(!outcome.storedSlot && outcome.markModified);
        QCOMPARE(pku630.store->Record.KeyCounter, 0);
    }

    void theKeyCountStopsAtTheTypesCap()
    {
        Rig rig(TDeviceType::T150);
        rig.store->Record.KeyCounter = 598;
        rig.store_({2, 1});
        QCOMPARE(rig.store->Record.KeyCounter, 599);
        rig.store_({3, 1}, {0x01, 0x02, 0x03});
        QCOMPARE(rig.store->Record.KeyCounter, 599);
    }

    void thePku512SScanFillsTheNextFreeCellInReadingOrder()
    {
        InputTargets targets;
        targets[InputTargetFamily::LMR702AndPKU512S] = 1;
        Rig rig(TDeviceType::PKU512S, targets);
        // Row 100, columns 13 taken: the scan goes on at row 101, column 2 (slot 1200).
        rig.fill(1199);
        KeyStoreOutcome outcome = rig.store_({13, 100});
        QCOMPARE(outcome.storedCell, std::optional(CellRef{2, 101}));
        QVERIFY(Holds(rig.slot(1200), Key)); // in the order the frame gives it
        QCOMPARE(outcome.nextCell, std::optional(CellRef{3, 101}));
        QCOMPARE(outcome.sound, KeySound::Stored);
        // A direct store on the last cell advances to row 1.
        outcome = rig.store_({13, 200}, {0x05, 0x06, 0x07});
        QCOMPARE(outcome.nextCell, std::optional(CellRef{2, 1}));
        QVERIFY(Holds(rig.slot(2399), {0x05, 0x06, 0x07}));
        // No free cell after the selection: nothing stored, no sound, the selection stays.
        Rig full(TDeviceType::PKU512S, targets);
        full.fill(2399);
        outcome = full.store_({13, 200}, {0x09, 0x09, 0x09});
        QVERIFY(!outcome.storedSlot && !outcome.nextCell && outcome.sound == KeySound::None);
        QVERIFY(outcome.markModified); // marked before the duplicate test
    }

    void theDs1995VariantStoresIntoItsOwnFourKeyRows()
    {
        Rig rig(TDeviceType::G300, {}, true);
        rig.fill(399);
        KeyStoreOutcome outcome = rig.store_({5, 100}); // slot 4 * 99 + 3 = 399 is taken
        QCOMPARE(outcome.storedSlot, std::optional(0));
        QCOMPARE(outcome.nextCell, std::optional(CellRef{3, 1}));
        outcome = rig.store_({4, 100}, {0x0A, 0x0B, 0x0C}); // slot 398, then 399 next
        QCOMPARE(outcome.nextCell, std::optional(CellRef{5, 100}));
        // The duplicate test covers slots 0 to 399 only.
        rig.store->Record.KeySlots[400].bytes = {0x0D, 0x0E, 0x0F, 0xFF};
        QVERIFY(rig.store_({2, 50}, {0x0D, 0x0E, 0x0F}).storedSlot);
    }

    void guardSystemAndMasterKeysAreReplacedWithABeep()
    {
        InputTargets targets;
        targets[InputTargetFamily::LMR702AndPKU512S] = 3;
        Rig guard(TDeviceType::LMR702, targets);
        guard.store->Record.HeaderKeySlots[6].bytes = {0x01, 0x01, 0x01, 0xFF};
        KeyStoreOutcome outcome = StoreSingleKey(*guard.store, guard.receiver, guard.table, 7, Key);
        QVERIFY(Holds(guard.store->Record.HeaderKeySlots[6], Key));
        QCOMPARE(outcome.nextCell, std::optional(CellRef{1, 1})); // from the last row back to row 1
        QCOMPARE(outcome.sound, KeySound::Beep);
        QVERIFY(outcome.markModified);
        QCOMPARE(guard.store->Record.KeyCounter, 0);
        // The same key again is a duplicate of that guard key.
        QCOMPARE(StoreSingleKey(*guard.store, guard.receiver, guard.table, 2, Key).sound, KeySound::Duplicate);

        targets[InputTargetFamily::LMR702AndPKU512S] = 2;
        Rig master(TDeviceType::LMR702, targets);
        outcome = StoreSingleKey(*master.store, master.receiver, nullptr, 0, Key);
        QVERIFY(Holds(master.store->Record.MasterKey, Key));
        QCOMPARE(outcome.sound, KeySound::Beep);

        // The PKU-512T system keys never mark the document modified.
        InputTargets systemKeys;
        systemKeys[InputTargetFamily::PKU512T] = 2;
        Rig pku512t(TDeviceType::PKU512T, systemKeys);
        outcome = StoreSingleKey(*pku512t.store, pku512t.receiver, pku512t.table, 2, Key);
        QVERIFY(Holds(pku512t.store->Record.HeaderKeySlots[1], Key) && !outcome.markModified);
    }

    void aReaderFrameCarriesAKeyOnlyWithItsChecksum()
    {
        QCOMPARE(KeyOfFrame(QByteArray::fromHex("0a0b0c21")), std::optional(KeyBytes{0x0A, 0x0B, 0x0C}));
        QCOMPARE(KeyOfFrame(QByteArray::fromHex("ffff01ff")), std::optional(KeyBytes{0xFF, 0xFF, 0x01})); // sum mod 256
        QVERIFY(!KeyOfFrame(QByteArray::fromHex("0a0b0c22")));
        QVERIFY(!KeyOfFrame(QByteArray::fromHex("0a0b0c"))); // short: never judged with older bytes
    }
};

QTEST_APPLESS_MAIN(KeyStoreTest)
#include "tst_keystore.moc"
