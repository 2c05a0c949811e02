// G300 iButton layouts: per-record CRCs on the DS1996 and the damaged-header question of the DS1995.

#include "CodecTestSupport.h"
#include "codecs/G300Layouts.h"

#include <QTest>

namespace {

// A DS1995 image from the records a DS1996 encoding holds: codes 0 to 99, the header and keys
// 0 to 424, at their DS1995 offsets.
QByteArray DS1995ImageOf(IntercomStore& store)
{
    const QByteArray ds1996 = EncodeG300Image(store);
    const QByteArray ff(8, '\xFF');
    return ds1996.left(300) + ff.left(4) + ds1996.mid(608, 8) + ff + ds1996.mid(624, 1700) + Filled(28, '\xFF');
}

QByteArray CodeRecord(std::uint8_t low, std::uint8_t high, std::uint8_t crc) { return Bytes({low, high, crc}); }

} // namespace

class G300LayoutsTest : public QObject {
    Q_OBJECT
private slots:
    void codeRecordCountsOnlyWithItsCrc_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<int>("code");
        const std::uint8_t good = CrcOf(Bytes({0x34, 0x12}));
        QTest::newRow("matching CRC") << CodeRecord(0x34, 0x12, good) << 0x1234;
        QTest::newRow("wrong CRC") << CodeRecord(0x34, 0x12, good ^ 1) << 0xFFFF;
        // The CRC covers the nibble 0xA as stored; the digit 0 appears only after the check.
        QTest::newRow("zero digit checked as 0xA") << CodeRecord(0xA4, 0x1A, CrcOf(Bytes({0xA4, 0x1A}))) << 0x1004;
        QTest::newRow("CRC over decoded digits is wrong")
            << CodeRecord(0xA4, 0x1A, CrcOf(Bytes({0x04, 0x10}))) << 0xFFFF;
        QTest::newRow("invalid digit byte") << CodeRecord(0xB4, 0x12, CrcOf(Bytes({0xB4, 0x12}))) << 0xFFFF;
    }
    void codeRecordCountsOnlyWithItsCrc()
    {
        QFETCH(QByteArray, record);
        QFETCH(int, code);
        for (DecodeFunction decode : {DecodeFunction(DecodeG300Image), DecodeFunction(DecodeG300DS1995Image)}) {
            auto store = FreshStore();
            ScriptedPrompts prompts;
            prompts.answer(PromptAnswer::Ok); // the header of this image is damaged
            decode(AsImage(record), *store, DecodeContext{prompts, Language::English});
            QCOMPARE(int(store->Record.Codes[0]), code);
        }
    }

    void keyRecordWithAWrongCrcIsDroppedButStaysCounted()
    {
        auto source = FreshStore();
        source->Record.KeySlots[0].bytes = {1, 2, 3, 0xFF};
        source->Record.KeySlots[1].bytes = {4, 5, 6, 0xFF};
        QByteArray image = EncodeG300Image(*source);
        QCOMPARE(ByteAt(image, 627), CrcOf(Bytes({1, 2, 3})));
        image[631] = static_cast<char>(ByteAt(image, 631) ^ 0x40);

        auto store = FreshStore();
        store->Record.KeyCounter = 10;
        DecodeQuietly(DecodeG300Image, image, *store);
        QCOMPARE(store->Record.KeySlots[0], source->Record.KeySlots[0]);
        QVERIFY(store->Record.KeySlots[1].isEmpty());
        QCOMPARE(store->Record.KeyCounter, std::uint16_t{12});

        // Erased records are no keys and no codes, and are not counted.
        DecodeQuietly(DecodeG300Image, Filled(8192, '\xFF'), *store);
        QVERIFY(CodesEmpty(store->Record, 0, 199) && KeysEmpty(store->Record, 0, 2679));
        QCOMPARE(store->Record.KeyCounter, std::uint16_t{12});
    }

    void ds1996HeaderCarriesACrcThatIsNotChecked()
    {
        auto source = RandomStore(22);
        QByteArray image = EncodeG300Image(*source);
        QCOMPARE(ByteAt(image, 612), source->Record.ConfigByte);
        QCOMPARE(ByteAt(image, 615), CrcOf(image.mid(608, 7)));
        QCOMPARE(source->Record.AuxByte, ByteAt(image, 7823)); // the last CRC computed
        image[615] = static_cast<char>(ByteAt(image, 615) ^ 1);
        auto store = FreshStore();
        DecodeQuietly(DecodeG300Image, image, *store); // no question may come
        QCOMPARE(store->Record.ServicePassword, source->Record.ServicePassword);
    }

    void ds1995HeaderIsCheckedAndADamagedOneAsksFirst_data()
    {
        QTest::addColumn<bool>("damaged");
        QTest::addColumn<Language>("language");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::newRow("sound header: no question") << false << Language::English << PromptAnswer::Ok << ""
                                                   << "";
        QTest::newRow("damaged, Russian, OK")
            << true << Language::Russian << PromptAnswer::Ok << "Нарушение целостности данных. Продолжить?"
            << "Сообщение";
        QTest::newRow("damaged, English, Cancel leaves the record exactly as it was")
            << true << Language::English << PromptAnswer::Cancel
            << "Data integrity has been damaged. Do you want to continue?"
            << "Message";
    }
    void ds1995HeaderIsCheckedAndADamagedOneAsksFirst()
    {
        QFETCH(bool, damaged);
        QFETCH(Language, language);
        QFETCH(PromptAnswer, answer);
        QFETCH(QString, text);
        QFETCH(QString, caption);
        auto source = RandomStore(27);
        QByteArray image = DS1995ImageOf(*source);
        QCOMPARE(image.size(), 2048);
        if (damaged) image[311] = static_cast<char>(ByteAt(image, 311) ^ 0x10); // codes and keys stay sound

        auto store = RandomStore(28);
        const auto before = std::make_unique<IntercomStore>(*store);
        ScriptedPrompts prompts;
        if (damaged) prompts.answer(answer);
        const DecodeOutcome outcome = DecodeG300DS1995Image(AsImage(image), *store, DecodeContext{prompts, language});
        QCOMPARE(prompts.texts(), damaged ? QStringList{text} : QStringList{});
        if (damaged) QCOMPARE(prompts.messages()[0].caption, caption);
        if (damaged) QCOMPARE(prompts.messages()[0].buttons, PromptButtons::OkCancel);
        if (answer == PromptAnswer::Cancel) {
            QCOMPARE(outcome, DecodeOutcome::Rejected);
            QVERIFY(SameRecord(store->Record, before->Record));
            QCOMPARE(store->ExtensionKeySlots, before->ExtensionKeySlots);
            return;
        }
        QCOMPARE(outcome, DecodeOutcome::Accepted);
        const TIntercomData& r = store->Record;
        // A damaged header's values become the defaults; the rest is read either way.
        QCOMPARE(r.GeneralCode, damaged ? std::uint16_t{0x9385} : source->Record.GeneralCode);
        QCOMPARE(r.ServicePassword, damaged ? std::uint16_t{0x8527} : source->Record.ServicePassword);
        if (damaged) QCOMPARE(r.ConfigByte, std::uint8_t{0x7F});
        QVERIFY(SameRange(r.Codes, source->Record.Codes, 0, 99));
        QVERIFY(SameRange(r.Codes, before->Record.Codes, 100, 199));
        QVERIFY(SameRange(r.KeySlots, source->Record.KeySlots, 0, 424));
        QVERIFY(KeysEmpty(r, 425, 2399));
        QVERIFY(SameRange(r.KeySlots, before->Record.KeySlots, 2400, 2679));
        QCOMPARE(r.KeyCounter, before->Record.KeyCounter);
    }
};

QTEST_GUILESS_MAIN(G300LayoutsTest)
#include "tst_g300_layouts.moc"
