// The difference of two records in the terms of the controller type's page, and of two images.

#include "documents/RecordDifference.h"
#include "model/TableSpecs.h"

#include <QTest>

#include <memory>

namespace {

std::unique_ptr<IntercomStore> StartRecord()
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    return store;
}

constexpr KeySlot FirstKey{{0x01, 0x02, 0x03, 0xFF}};
constexpr KeySlot SecondKey{{0xA1, 0xB2, 0xC3, 0xFF}};

void PutKey(IntercomStore& store, const char* table, CellRef cell, const KeySlot& key)
{
    const TableSpec& spec = *TableSpecNamed(table);
    KeyOfSlot(store, spec, *SlotOfCell(spec, cell)) = key;
}

QStringList Lines(const std::vector<DifferenceItem>& items, Language language = Language::English)
{
    QStringList lines;
    for (const DifferenceItem& item : items) lines << DifferenceText(item, language);
    return lines;
}

} // namespace

class RecordDifferenceTest : public QObject {
    Q_OBJECT
private slots:
    void keysAreSaidAsTheirPageShowsThem_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<bool>("ds1995");
        QTest::addColumn<QString>("table");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("where");
        QTest::addColumn<QString>("first");  // FirstKey as the cell shows it
        QTest::addColumn<QString>("second"); // SecondKey

        const QString first = QStringLiteral("03 02 01");
        const QString second = QStringLiteral("C3 B2 A1");
        QTest::newRow("T150 apartment") << TDeviceType::T150 << false << "SGrid1" << 2 << 6
                                        << "Apartments, apartment 5, key 1" << first << second;
        QTest::newRow("PKU-512T system key")
            << TDeviceType::PKU512T << false << "StringGrid1" << 1 << 2 << "System keys, key 2" << first << second;
        QTest::newRow("LMR guard key") << TDeviceType::LMR702 << false << "SGrid3" << 1 << 7 << "Guard keys, key 7"
                                       << first << second;
        QTest::newRow("LMR key list") << TDeviceType::LMR702 << false << "SGrid2" << 3 << 2 << "Individual keys, key 8"
                                      << first << second;
        QTest::newRow("LMR 2680 guard key")
            << TDeviceType::LMR70x2680 << false << "SGrid12" << 1 << 28 << "Guard keys, key 28" << first << second;
        QTest::newRow("PKU-630XE extension slot") << TDeviceType::PKU630XE << false << "StringGrid3" << 10 << 500
                                                  << "Access keys, key 5000" << first << second;
        QTest::newRow("PKU-618") << TDeviceType::PKU618 << false << "SGrid5" << 30 << 40
                                 << "Apartments, apartment 40, key 30" << first << second;
        QTest::newRow("PKU-630") << TDeviceType::PKU630 << false << "SGrid4" << 7 << 200
                                 << "Apartments, apartment 199, key 6" << first << second;
        QTest::newRow("G300 DS1996 row without apartment")
            << TDeviceType::G300 << false << "SGrid6" << 2 << 250 << "Apartments, row 250, key 1" << first << second;
        QTest::newRow("G300 DS1995 stored order")
            << TDeviceType::G300 << true << "StringGrid2" << 5 << 100 << "Apartments, apartment 99, key 4"
            << "01 02 03"
            << "A1 B2 C3";
        QTest::newRow("PKU-512S second block") << TDeviceType::PKU512S << false << "SGrid9" << 13 << 200
                                               << "Apartments, apartment 199, key 12" << first << second;
        QTest::newRow("PKU-512S system key")
            << TDeviceType::PKU512S << false << "SGrid10" << 1 << 5 << "System keys, key 5" << first << second;
    }
    void keysAreSaidAsTheirPageShowsThem()
    {
        QFETCH(TDeviceType, type);
        QFETCH(bool, ds1995);
        QFETCH(QString, table);
        QFETCH(int, column);
        QFETCH(int, row);
        QFETCH(QString, where);
        QFETCH(QString, first);
        QFETCH(QString, second);
        const QByteArray name = table.toLatin1();
        auto empty = StartRecord();
        auto withKey = StartRecord();
        auto changed = StartRecord();
        PutKey(*withKey, name.constData(), {column, row}, FirstKey);
        PutKey(*changed, name.constData(), {column, row}, SecondKey);

        const auto added = CompareRecords(*empty, *withKey, type, ds1995);
        QCOMPARE(Lines(added), QStringList{where + ": added " + first});
        QCOMPARE(added[0].subject, DifferenceSubject::Key);
        QCOMPARE(QLatin1String(added[0].place), table);
        QCOMPARE(added[0].cell, (CellRef{column, row}));
        QCOMPARE(added[0].before, QString());

        QCOMPARE(Lines(CompareRecords(*withKey, *empty, type, ds1995)), QStringList{where + ": removed " + first});
        const auto replaced = CompareRecords(*withKey, *changed, type, ds1995);
        QCOMPARE(Lines(replaced), QStringList{where + ": changed " + first + " → " + second});
        QCOMPARE(replaced[0].change, Change::Changed);
    }

    void codesPasswordsAndMasterKeysAreNamedByTheirFields()
    {
        auto before = StartRecord();
        auto after = StartRecord();
        after->Record.Codes[5] = 0x1234;
        after->Record.Codes[7] = EmptyDigitValue;
        after->Record.ServicePassword = 0x4321;
        const auto items = CompareRecords(*before, *after, TDeviceType::T150);
        QCOMPARE(Lines(items),
                 (QStringList{"Apartments, apartment 5, code: changed 0000 → 1234",
                              "Apartments, apartment 7, code: removed 0000", "Service password: changed 0000 → 4321"}));
        QCOMPARE(items[0].subject, DifferenceSubject::Code);
        QCOMPARE(items[0].cell, (CellRef{1, 6}));
        QCOMPARE(QLatin1String(items[2].place), QLatin1String("MaskEdit1"));
        QCOMPARE(Lines(items, Language::Russian)[2], QStringLiteral("Пароль сервисный: изменено 0000 → 4321"));

        // Two-digit fields show two digits; G300 passwords belong to the variant's own fields.
        after = StartRecord();
        after->Record.ServicePassword = 0x0012;
        QCOMPARE(Lines(CompareRecords(*before, *after, TDeviceType::PKU630)),
                 QStringList{"Concierge: changed 00 → 12"});
        after->Record.SystemPassword = 0x9876;
        const auto g300 = CompareRecords(*before, *after, TDeviceType::G300, true);
        QCOMPARE(QLatin1String(g300[1].place), QLatin1String("MaskEdit12"));
        QCOMPARE(DifferenceText(g300[1], Language::English), QStringLiteral("System password: changed 0000 → 9876"));

        after = StartRecord();
        after->Record.MasterKey = FirstKey;
        const auto master = CompareRecords(*before, *after, TDeviceType::LMR70x2680);
        QCOMPARE(Lines(master), QStringList{"Master key: added 03 02 01"});
        QCOMPARE(QLatin1String(master[0].place), QLatin1String("Edit4"));
        // A page without a master key field says nothing of it.
        QVERIFY(CompareRecords(*before, *after, TDeviceType::T150).empty());
    }

    void settingsAreSaidByTheCaptionsTheirBoxesShow()
    {
        auto before = StartRecord();
        auto after = StartRecord();
        after->Record.ConfigByte = 1u << 6; // the lock type
        const auto items = CompareRecords(*before, *after, TDeviceType::T150);
        QCOMPARE(Lines(items), QStringList{"Configuration: \"lock type - ML\" → \"lock type - EL\""});
        QCOMPARE(Lines(items, Language::Russian), QStringList{"Конфигурация: «ML - замок» → «EML - замок»"});
        QCOMPARE(QLatin1String(items[0].place), QLatin1String("CB2"));

        QCOMPARE(Lines(CompareRecords(*before, *after, TDeviceType::PKU512S)),
                 QStringList{"Configuration: \"lock type - ML\" → \"lock type - EL\""});
        // The PKU-511 page shows no configuration at all.
        QVERIFY(CompareRecords(*before, *after, TDeviceType::PKU511).empty());

        // The PKU-512T hides the lock time box and shows the lock time as a value instead.
        after = StartRecord();
        after->Record.ConfigByte = 1u << 4;
        after->Record.LockTime = 5;
        QCOMPARE(Lines(CompareRecords(*before, *after, TDeviceType::PKU512T)),
                 QStringList{"Unlocked state, sec: changed 0 → 5"});
        QCOMPARE(Lines(CompareRecords(*before, *after, TDeviceType::T150)),
                 QStringList{"Configuration: \"unlocked state - 1s\" → \"unlocked state - 5s\""});

        // The PKU-618 keeps its lock time in the general code's place.
        after = StartRecord();
        after->Record.GeneralCode = 7;
        after->Record.ConfigByte = 1u << 1;
        QCOMPARE(
            Lines(CompareRecords(*before, *after, TDeviceType::PKU618)),
            (QStringList{"Configuration: \"low priority\" → \"high priority\"", "Unlocked state, sec: changed 0 → 7"}));
    }

    void recordsThatShowTheSameGiveNoDifference()
    {
        auto before = StartRecord();
        auto after = StartRecord();
        // Counters and the pass-through area are not shown on any page.
        after->Record.CodeCounter = 3;
        after->Record.KeyCounter = 12;
        after->Record.PassThroughArea[3] = 1;
        for (const TDeviceType type : AllDeviceTypes) {
            QVERIFY2(CompareRecords(*before, *after, type).empty(), qPrintable(TypeText(type)));
            QVERIFY(CompareRecords(*after, *after, type, true).empty());
        }
    }

    void imageDifferenceNamesEveryDifferingByte()
    {
        const QByteArray before = QByteArray::fromHex("00112233");
        const QByteArray after = QByteArray::fromHex("00AA2233FF10");
        const ImageDifference difference = CompareImages(before, after);
        QCOMPARE(difference.count(), 2); // the 0xFF past the shorter end is no difference
        QCOMPARE(difference.bytes[0].address, 1);
        QCOMPARE(difference.bytes[0].before, 0x11);
        QCOMPARE(difference.bytes[0].after, 0xAA);
        QCOMPARE(ByteDifferenceText(difference.bytes[1]), QStringLiteral("0x0005: FF -> 10"));
        QCOMPARE(CompareImages(before, before).count(), 0);
    }
};

QTEST_GUILESS_MAIN(RecordDifferenceTest)
#include "tst_recorddifference.moc"
