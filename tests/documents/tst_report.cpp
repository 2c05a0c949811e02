// The report a technician prints and hands over: its bytes for every controller type in both
// languages, against texts built here from the report's format rules, and code filling.

#include "documents/CodeFilling.h"
#include "documents/Report.h"
#include "model/NewDocument.h"
#include "model/TextForms.h"
#include "model/TypeName.h"

#include <QStringDecoder>
#include <QTest>

#include <memory>

namespace {

// A record with keys, codes, empty slots and a code with hex letters, as a chip may bring it.
std::unique_ptr<IntercomStore> SampleStore(TDeviceType type)
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    ApplyNewDocument(*store, type);
    TIntercomData& r = store->Record;
    for (int slot = 0; slot < KeySlotCount; slot += 7)
        r.KeySlots[slot].bytes = {std::uint8_t(slot), 0x5A, std::uint8_t(slot >> 8), 0xFF};
    for (int slot = 0; slot < HeaderKeySlotCount; slot += 3)
        r.HeaderKeySlots[slot].bytes = {0x10, 0x20, std::uint8_t(slot), 0xFF};
    for (int slot = 0; slot < ExtensionKeySlotCount; slot += 11)
        store->ExtensionKeySlots[slot].bytes = {0x01, 0x02, 0x03, 0xFF};
    for (int code = 0; code < CodeCount; code += 3) r.Codes[code] = static_cast<std::uint16_t>(0x1234 + code);
    r.Codes[1] = 0x0A05; // hex letters show as they are
    r.MasterKey.bytes = {0xAB, 0xCD, 0xEF, 0xFF};
    r.ServicePassword = 0x0042;
    r.SystemPassword = 0x7777;
    r.GeneralCode = 0x2019;
    r.AuxByte = 0x07;
    return store;
}

QString Key(const TIntercomData& r, int slot) { return KeyText(r.KeySlots[slot]); }
QString Code(const TIntercomData& r, int code) { return FourDigitText(r.Codes[code]); }

// The expected text of a type, written out from the format rules.
QString Expected(TDeviceType type, bool russian, const IntercomStore& store)
{
    const TIntercomData& r = store.Record;
    const auto tr = [russian](const char* ru, const char* en) { return QString::fromUtf8(russian ? ru : en); };
    QString text = tr("Адрес установки домофона: \n\nгород: \n\nулица: \n\nдом №\n\n\n",
                      "Address installation doorphone: \n\ntown: \n\nstreet: \n\nhouse №\n\n\n");
    const auto apartments = [&](int rows, int keys, const QString& header) {
        text += header;
        for (int row = 1; row <= rows; ++row) {
            text += QString::asprintf("%02d", row - 1) + "\t" + Code(r, row - 1);
            for (int key = 0; key < keys; ++key) text += "\t" + Key(r, keys * (row - 1) + key);
            text += "\n";
        }
    };
    const QString sixKeys = tr("№ кв.\tкод\tключ1\t\tключ2\t\tключ3\t\tключ4\t\tключ5\t\tключ6\n",
                               "N ap.\tcode\tkey 1\t\tkey 2\t\tkey 3\t\tkey 4\t\tkey 5\t\tkey 6\n");
    switch (type) {
    case TDeviceType::T150:
    case TDeviceType::PKU511:
    case TDeviceType::QS151:
    case TDeviceType::PKU512T:
        text += tr("Сервисный пароль - 0042\n", "Service password - 0042\n");
        text += tr("Общий код доступа - 2019\n\n", "General access code - 2019\n\n");
        apartments(100, 6,
                   tr("№ кв.\tкод\tключ1\t\tключ2\t\tключ3\t\tключ4\t\tключ5\t\tключ6\n",
                      "№ app.\tcode\tkey 1\t\tkey 2\t\tkey 3\t\tkey 4\t\tkey 5\t\tkey 6\n"));
        if (type == TDeviceType::PKU512T) {
            text += tr("Системные ключи:\n", "System keys:\n");
            for (int key = 0; key < 5; ++key) text += KeyText(r.HeaderKeySlots[key]) + "\n";
        }
        break;
    case TDeviceType::LMR702:
    case TDeviceType::LMR70x2680: {
        const int guards = type == TDeviceType::LMR702 ? 7 : 28;
        const int rows = type == TDeviceType::LMR702 ? 134 : 536;
        text += tr("мастер ключ - EF CD AB\n\n", "master key - EF CD AB\n\n") + tr("ключи охраны:\n", "guard-keys:\n");
        for (int key = 0; key < guards; ++key) text += KeyText(r.HeaderKeySlots[key]) + "\n";
        text += "\n" + tr("ключи доступа:\n\n", "access keys:\n\n");
        for (int row = 0; row < rows; ++row)
            text += QStringList{Key(r, 5 * row), Key(r, 5 * row + 1), Key(r, 5 * row + 2), Key(r, 5 * row + 3),
                                Key(r, 5 * row + 4)}
                        .join("\t") +
                    "\n";
        break;
    }
    case TDeviceType::PKU618:
        text += tr("системный ключ - EF CD AB\n\n", "system key - EF CD AB\n\n");
        text += tr("Номер квартиры консьержа - 07\n\n", "apartment number for concierge call - 07\n\n");
        text += tr("№ кв.", "N ap.");
        for (int key = 1; key <= 30; ++key)
            text += (key == 1 ? "\t" : "\t\t") + tr("ключ", "key ") + QString::number(key);
        text += "\n";
        for (int row = 1; row <= 16; ++row) {
            text += QString::asprintf("%02d", row);
            for (int key = 0; key < 30; ++key) text += "\t" + Key(r, 30 * (row - 1) + key);
            text += "\n";
        }
        break;
    case TDeviceType::PKU630:
        text += tr("Консьерж - 42\n", "Concierge - 42\n") + tr("Пароль - 7777\n", "Password - 7777\n") +
                tr("Общий код доступа - 2019\n\n", "General access code - 2019\n\n");
        apartments(200, 6, sixKeys);
        break;
    case TDeviceType::G300:
        text += tr("Сервисный пароль - 0042\n", "Service password - 0042\n") +
                tr("Системный пароль - 7777\n", "System password - 7777\n") +
                tr("Общий код доступа - 2019\n\n", "General access code - 2019\n\n");
        apartments(200, 6, sixKeys);
        for (int row = 201; row <= 300; ++row) {
            text += "  \t    ";
            for (int key = 0; key < 6; ++key) text += "\t" + Key(r, 6 * (row - 1) + key);
            text += "\n";
        }
        break;
    case TDeviceType::PKU512S:
        text += tr("Сервисный пароль - 0042\n", "Service password - 0042\n") +
                tr("Системный пароль - 7777\n", "System password - 7777\n") +
                tr("Общий код доступа - 2019\n\n", "General access code - 2019\n\n");
        text += tr("№ "
                   "кв."
                   "\tкод\tключ1\t\tключ2\t\tключ3\t\tключ4\t\tключ5\t\tключ6\tключ7\t\tключ8\t\tключ9\t\tключ10\t\tклю"
                   "ч11\t\tключ12\n",
                   "N ap.\tcode\tkey 1\t\tkey 2\t\tkey 3\t\tkey 4\t\tkey 5\t\tkey 6\t\tkey 7\t\tkey 8\t\tkey "
                   "9\t\tkey10\t\tkey11\t\tkey12\n");
        for (int row = 1; row <= 200; ++row) {
            const int a = row - 1, block = 1200 * (a / 100) + 6 * (a % 100);
            text += QString::asprintf("%02d", a) + "\t" + Code(r, a);
            for (int key = 0; key < 6; ++key) text += "\t" + Key(r, block + key);
            for (int key = 0; key < 6; ++key) text += "\t" + Key(r, block + 600 + key);
            text += "\n";
        }
        break;
    case TDeviceType::PKU630XE:
        text += tr("ключи доступа:\n\n", "access keys:\n\n");
        for (int row = 0; row < 500; ++row) {
            QStringList keys;
            for (int key = 0; key < 10; ++key) keys << KeyText(store.ExtensionKeySlots[10 * row + key]);
            text += keys.join("\t") + "\n";
        }
        break;
    }
    return text;
}

QString Decoded(const QByteArray& bytes)
{
    QStringDecoder cp1251("windows-1251");
    QString text = cp1251(bytes);
    return text;
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT
private slots:
    void theReportOfEveryTypeFollowsItsFormatInBothLanguages_data()
    {
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<bool>("russian");
        for (const TDeviceType type : AllDeviceTypes)
            for (const bool russian : {true, false})
                QTest::newRow(qPrintable(TypeText(type) + (russian ? " ru" : " en"))) << type << russian;
    }
    void theReportOfEveryTypeFollowsItsFormatInBothLanguages()
    {
        QFETCH(TDeviceType, type);
        QFETCH(bool, russian);
        auto store = SampleStore(type);
        const QByteArray bytes =
            ReportBytes(type, false, russian ? Language::Russian : Language::English, RecordReportSource(*store));
        QVERIFY(!bytes.contains("\n\n") && !bytes.contains("\r\r")); // every line ends CR LF
        const QString text = Decoded(bytes).replace("\r\n", "\n");
        const QString expected = Expected(type, russian, *store);
        if (text != expected) {
            const auto lines = text.split('\n'), want = expected.split('\n');
            for (int i = 0; i < qMin(lines.size(), want.size()); ++i)
                QVERIFY2(lines[i] == want[i], qPrintable(QString("line %1:\n%2\n%3").arg(i).arg(lines[i], want[i])));
            QCOMPARE(lines.size(), want.size());
        }
        // Windows-1251: one byte a Cyrillic letter.
        if (russian) QVERIFY(bytes.startsWith(QByteArray::fromHex("c0e4f0e5f1")));
    }

    void theDs1995VariantPrintsItsOwnFieldsAndFourKeys()
    {
        auto store = SampleStore(TDeviceType::G300);
        const QString text =
            Decoded(ReportBytes(TDeviceType::G300, true, Language::English, RecordReportSource(*store)));
        QVERIFY(text.contains("Service password - 0042\r\nSystem password - 7777\r\nGeneral access code - 2019\r\n\r\n"
                              "N ap.\tcode\tkey 1\t\tkey 2\t\tkey 3\t\tkey 4\r\n"));
        QVERIFY(text.contains("01\t0A05\t" + StoredOrderKeyText(store->Record.KeySlots[4]) + "\t"));
        QVERIFY(text.endsWith(
            "99\t" + Code(store->Record, 99) + "\t" + StoredOrderKeyText(store->Record.KeySlots[396]) + "\t" +
            StoredOrderKeyText(store->Record.KeySlots[397]) + "\t" + StoredOrderKeyText(store->Record.KeySlots[398]) +
            "\t" + StoredOrderKeyText(store->Record.KeySlots[399]) + "\r\n"));
    }

    void filledCodesHaveFourDigitsNeverStartingOrEndingWithZero()
    {
        auto store = SampleStore(TDeviceType::PKU630);
        const KeySlot keyBefore = store->Record.KeySlots[7];
        CodeGenerator generator(12345);
        QCOMPARE(FillCodes(*store, *CodeTableOf(TDeviceType::PKU630, false), generator), 200);
        for (const std::uint16_t code : store->Record.Codes) {
            const QString digits = FourDigitText(code);
            QVERIFY2(digits.size() == 4 && digits[0] >= '1' && digits[0] <= '9' && digits[3] >= '1' &&
                         digits[3] <= '9' && digits.toInt() > 1000,
                     qPrintable(digits));
            for (const QChar digit : digits) QVERIFY(digit.isDigit()); // one decimal digit per nibble
        }
        QCOMPARE(store->Record.KeySlots[7], keyBefore);
        // The same seed gives the same codes.
        auto again = SampleStore(TDeviceType::PKU630);
        CodeGenerator sameSeed(12345);
        FillCodes(*again, *CodeTableOf(TDeviceType::PKU630, false), sameSeed);
        QCOMPARE(again->Record.Codes, store->Record.Codes);
    }

    void codeFillingCoversTheTablesCodeRowsOnly()
    {
        for (const auto& [type, ds1995, filled] :
             {std::tuple{TDeviceType::T150, false, 100}, std::tuple{TDeviceType::G300, false, 200},
              std::tuple{TDeviceType::G300, true, 100}, std::tuple{TDeviceType::PKU512S, false, 200}}) {
            auto store = SampleStore(type);
            CodeGenerator generator(7);
            FillCodes(*store, *CodeTableOf(type, ds1995), generator);
            QVERIFY(store->Record.Codes[filled - 1] != 0x1234 + filled - 1 || (filled - 1) % 3 != 0);
            if (filled < CodeCount)
                QCOMPARE(store->Record.Codes[filled], (filled % 3 == 0) ? 0x1234 + filled : EmptyDigitValue);
        }
        for (const TDeviceType type :
             {TDeviceType::LMR702, TDeviceType::PKU618, TDeviceType::LMR70x2680, TDeviceType::PKU630XE})
            QVERIFY(!CodeTableOf(type, false));
    }

    void aMaskedFieldShowsTheDigitsItCanHoldAndFForTheRest()
    {
        QCOMPARE(MaskedFieldText("8527", 2), QString("85"));
        QCOMPARE(MaskedFieldText("FFFF", 4), QString("FFFF"));
        QCOMPARE(MaskedFieldText("12AB", 4), QString("12FF"));
        QCOMPARE(MaskedFieldText("0A05", 4), QString("005F"));
    }
};

QTEST_APPLESS_MAIN(ReportTest)
#include "tst_report.moc"
