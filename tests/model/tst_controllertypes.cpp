// Every controller type walked through everything that reads its row: the type list and the type
// name, the codecs of its chips, its page's fill, the command states of New and a type change,
// the key receivers, code filling, the report, the conversion to it and the extension slots.
// A row that names the wrong layout, page, table or chip fails here.

#include "app/CommandStates.h"
#include "codecs/CodecTables.h"
#include "documents/CodeFilling.h"
#include "documents/Conversion.h"
#include "documents/PageTerms.h"
#include "documents/Report.h"
#include "model/ControllerTypes.h"
#include "model/KeyStore.h"
#include "model/NewDocument.h"
#include "model/TypeName.h"
#include "programmer/Chips.h"
#include "support/FixedAnswerPrompts.h"

#include <QAction>
#include <QTest>

#include <algorithm>
#include <memory>

namespace {

std::unique_ptr<IntercomStore> NewStore(TDeviceType type)
{
    auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    ApplyNewDocument(*store, type);
    return store;
}

// Both pages of a type: the main one and, where it has one, the one shown while SmallIButton is set.
std::vector<bool> VariantsOf(TDeviceType type)
{
    if (ControllerTypeOf(type).smallIButtonPage) return {false, true};
    return {false};
}

bool PageShowsTable(TDeviceType type, bool smallIButton, std::optional<TableId> table)
{
    const auto tables = PageTables(type, smallIButton);
    return table && std::ranges::any_of(tables, [&](const TableTerm& term) { return term.table == *table; });
}

// A window of named commands, as CommandStates addresses them.
class CommandWindow : public QObject {
public:
    CommandWindow()
    {
        for (const ChipItem& item : ChipItems()) Add(item.item);
        for (const char* name : {"MCmd_Write", "MCmd_Read", "N1", "N3", "N5", "MFile_Save", "ToolButton3",
                                 "ToolButton5", "ToolButton6", "ToolButton11", "ASave", "ASaveAs"})
            Add(name);
    }
    bool Enabled(ChipItemId id) const { return states.IsEnabled(ChipItemOf(id).item); }
    CommandStates states{*this};

private:
    void Add(const char* name) { (new QAction(this))->setObjectName(QLatin1String(name)); }
};

} // namespace

class ControllerTypesTest : public QObject {
    Q_OBJECT
private slots:
    void typeListKeepsItsIndexesAndTexts()
    {
        const QStringList texts{"T150_QS150_KAVRO-R150",
                                "PKU-511",
                                "LMR 700_701_702",
                                "PKU-618",
                                "PKU-630",
                                "G300",
                                "PKU-512S",
                                QString::fromUtf8("LMR 70\u0445-2680"),
                                "QS151",
                                "PKU-512T_PKU512T-80",
                                "PKU-630XE"};
        QCOMPARE(qsizetype(DeviceTypeCount), texts.size());
        for (int index = 0; index < DeviceTypeCount; ++index) {
            const TDeviceType type = *TypeAtIndex(index);
            QCOMPARE(TypeIndex(type), index);
            QCOMPARE(TypeText(type), texts[index]);
        }
        QVERIFY(!TypeAtIndex(-1));
        QVERIFY(!TypeAtIndex(DeviceTypeCount));
        QCOMPARE(TypeText(std::optional<TDeviceType>()), QString());
    }

    void everyTypeNameReadsBackAsItsType()
    {
        auto store = std::make_unique<IntercomStore>();
        for (const TDeviceType type : AllDeviceTypes) {
            StoreTypeName(store->Record, type);
            QCOMPARE(FindTypeByName(store->Record), std::optional(type));
        }
    }

    // A New record of each type goes through the layout of each chip its type reads and writes, and
    // through its dump layout, and comes back as the same image.
    void everyTypesLayoutsCarryANewRecord()
    {
        FixedAnswerPrompts prompts(PromptAnswer::Yes);
        for (const TDeviceType type : AllDeviceTypes) {
            std::vector<const Layout*> layouts{DumpLayoutFor(type)};
            for (const ChipKind chip : AllChipKinds) {
                if (const auto read = ReadDecodingFor(chip, type)) layouts.push_back(read->layout);
                if (const WriteEncoding write = WriteEncodingFor(chip, type); write.step == WriteStep::Encode)
                    layouts.push_back(write.layout);
            }
            for (const Layout* layout : layouts) {
                QVERIFY2(layout, qPrintable(TypeText(type)));
                if (!layout->encode) continue; // the DS1995 is read only
                auto store = NewStore(type);
                const QByteArray image = layout->encode(*store);
                auto decoded = NewStore(type);
                QCOMPARE(layout->decode(AsImage(image), *decoded, {prompts, Language::English}),
                         DecodeOutcome::Accepted);
                QVERIFY2(layout->encode(*decoded) == image, qPrintable(TypeText(type) + " " + layout->name));
            }
        }
    }

    // The chips a type change offers for reading decode something, and the chip New offers for
    // writing encodes the type's data.
    void theChipsATypeOffersHaveItsLayouts()
    {
        for (const TDeviceType type : AllDeviceTypes) {
            const ControllerType& row = ControllerTypeOf(type);
            for (const ChipKind chip : AllChipKinds)
                if (row.readItemsOnTypeChange && row.readItemsOnTypeChange->contains(chip))
                    QVERIFY2(ReadDecodingFor(chip, type), qPrintable(TypeText(type) + " " + ChipName(chip)));
            if (row.newWriteChip) QCOMPARE(WriteEncodingFor(*row.newWriteChip, type).step, WriteStep::Encode);
        }
        QVERIFY(!ReadDecodingFor(ChipKind::C24C16, std::nullopt));
    }

    // New enables the write item of the type's chip only; the fill of its page keeps it enabled.
    void newAndTheFillEnableTheWriteItemOfTheTypesChip()
    {
        for (const TDeviceType type : AllDeviceTypes) {
            const ControllerType& row = ControllerTypeOf(type);
            CommandWindow window;
            window.states.AfterTypeChange(type);
            for (const ChipItem& item : ChipItems())
                if (item.direction == ChipDirection::Read && item.kind && row.readItemsOnTypeChange)
                    QCOMPARE(window.Enabled(item.id), row.readItemsOnTypeChange->contains(*item.kind));
            window.states.AfterNew(type);
            for (const ChipItem& item : ChipItems())
                if (item.direction == ChipDirection::Write)
                    QCOMPARE(window.Enabled(item.id), row.newWriteChip.has_value() && item.kind == row.newWriteChip);
            window.states.AfterFill(FillOf(type, false));
            if (row.newWriteChip)
                QVERIFY2(window.Enabled(ChipItemFor(ChipDirection::Write, *row.newWriteChip)->id),
                         qPrintable(TypeText(type)));
            QVERIFY(window.states.IsEnabled("MCmd_Write"));
        }
    }

    // Every receiver of a page is a table or field the page shows, for every input target.
    void keysGoToTablesAndFieldsOfTheTypesPage()
    {
        for (const TDeviceType type : AllDeviceTypes) {
            for (const bool smallIButton : VariantsOf(type)) {
                const PageTerms terms = TermsOf(type, smallIButton);
                InputTargets targets;
                for (int target = 0; target <= 3; ++target) {
                    targets.values.fill(target);
                    const KeyReceiver& receiver = ReceiverOf(type, smallIButton, targets);
                    const QString where = TypeText(type) + QStringLiteral(" target %1").arg(target);
                    switch (receiver.kind) {
                    case ReceiverKind::Table:
                    case ReceiverKind::Scan:
                    case ReceiverKind::HeaderRow:
                        QVERIFY2(PageShowsTable(type, smallIButton, receiver.control.table), qPrintable(where));
                        break;
                    case ReceiverKind::MasterKey:
                        QVERIFY2(receiver.control.field, qPrintable(where));
                        QCOMPARE(FieldSpecOf(*receiver.control.field).name, terms.masterKeyField);
                        break;
                    case ReceiverKind::Nowhere: QVERIFY(!receiver.control.table && !receiver.control.field); break;
                    }
                    const KeyArea area =
                        ControllerTypeOf(type).usesExtensionSlots ? KeyArea::ExtensionSlots : KeyArea::Slots;
                    if (receiver.kind != ReceiverKind::Nowhere) QCOMPARE(receiver.duplicates.area, area);
                }
            }
        }
        QCOMPARE(ReceiverOf(std::nullopt, false, {}).kind, ReceiverKind::Nowhere);
    }

    // A page with individual codes shows the table they are filled into and offers the command.
    void codeFillingUsesATableOfThePage()
    {
        for (const TDeviceType type : AllDeviceTypes) {
            for (const bool smallIButton : VariantsOf(type)) {
                const TableSpec* table = CodeTableOf(type, smallIButton);
                const FillRule& fill = FillRuleOf(FillOf(type, smallIButton));
                QCOMPARE(fill.fillCodes == After::On, table != nullptr);
                if (!table) continue;
                QVERIFY(PageShowsTable(type, smallIButton, table->id));
                auto store = NewStore(type);
                CodeGenerator generator(1);
                QVERIFY(FillCodes(*store, *table, generator) > 0);
            }
        }
    }

    void everyPageHasItsReportAndItsTerms()
    {
        const QByteArray addressOnly =
            ReportBytes(std::nullopt, false, Language::English, RecordReportSource(*NewStore(TDeviceType::T150)));
        for (const TDeviceType type : AllDeviceTypes) {
            for (const bool smallIButton : VariantsOf(type)) {
                auto store = NewStore(type);
                const QByteArray report =
                    ReportBytes(type, smallIButton, Language::English, RecordReportSource(*store));
                QVERIFY2(report.startsWith(addressOnly) && report.size() > addressOnly.size(),
                         qPrintable(TypeText(type)));
                QVERIFY(!TermsOf(type, smallIButton).tables.empty());
                QVERIFY(FillRuleOf(FillOf(type, smallIButton)).page);
            }
        }
    }

    // A conversion to a type shows that type's page and stores its name; the menu lists each once.
    void conversionsLeadToTheirTypesPage()
    {
        qsizetype converting = 0;
        for (const TDeviceType type : AllDeviceTypes) {
            const ConversionRule* rule = ConversionTo(type);
            QCOMPARE(rule != nullptr, ControllerTypeOf(type).conversion.has_value());
            if (!rule) continue;
            ++converting;
            QCOMPARE(rule->target, type);
            QCOMPARE(rule->page, FillRuleOf(FillOf(type, false)).page);
            const TDeviceType other = type == TDeviceType::T150 ? TDeviceType::PKU630 : TDeviceType::T150;
            auto store = NewStore(other);
            QVERIFY(ApplyConversion(*rule, store->Record, other, false));
            QCOMPARE(FindTypeByName(store->Record), std::optional(type));
        }
        QCOMPARE(qsizetype(Conversions().size()), converting);
    }

    // Only a type that keeps its keys in the extension slots has New empty them.
    void newEmptiesTheExtensionSlotsOfTheTypesThatUseThem()
    {
        for (const TDeviceType type : AllDeviceTypes) {
            auto store = std::make_unique<IntercomStore>();
            ResetRecord(*store);
            store->ExtensionKeySlots[4999].bytes = {1, 2, 3, 0xFF};
            ApplyNewDocument(*store, type);
            QCOMPARE(store->ExtensionKeySlots[4999].isEmpty(), ControllerTypeOf(type).usesExtensionSlots);
        }
    }

    // The chip table: every chip kind has its row, size, image file and read item.
    void everyChipKindHasItsChipRow()
    {
        for (const ChipKind kind : AllChipKinds) {
            QCOMPARE(ChipKindByName(QString::fromLatin1(ChipName(kind)).toLower()), std::optional(kind));
            QCOMPARE(ChipSize(kind), ChipSize(*FindChip(QString::fromLatin1(ChipName(kind)))));
            QVERIFY(ImageFileName(kind).startsWith("~dev"));
            QVERIFY(ChipItemFor(ChipDirection::Read, kind));
        }
        QCOMPARE(ChipSize(ChipKind::C24C16), 2048);
        QCOMPARE(ChipSize(ChipKind::DS1996), 8192);
        QVERIFY(!ChipKindByName("24C32"));
    }
};

QTEST_MAIN(ControllerTypesTest)
#include "tst_controllertypes.moc"
