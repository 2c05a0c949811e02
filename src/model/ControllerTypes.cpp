#include "model/ControllerTypes.h"

#include "model/IdTable.h"
#include "model/TableSpecs.h"

namespace {

using enum ChipKind;

constexpr ChipSet DS1996And24C16{DS1996, C24C16};
constexpr ChipSet DS1996Only{DS1996};
constexpr int NoHeaderSlotsEmptied = -1;

constexpr PageRules ApartmentPage{.fill = Fill::T150,
                                  .receivers = KeyReceivers::ApartmentTable,
                                  .codeTable = TableId::SGrid1,
                                  .report = ReportParts::T150};

constexpr std::array<ControllerType, DeviceTypeCount> Types{{
    {.id = TDeviceType::T150,
     .listText = "T150_QS150_KAVRO-R150",
     .readItemsOnTypeChange = ChipSet{C24C16},
     .writeItemsOffOnTypeChange = DS1996And24C16,
     .newWriteChip = C24C16,
     .newConfigByte = 0x1F,
     .layouts = LayoutFamily::T150,
     .page = ApartmentPage,
     .conversion = ConversionRow{0, "to T150", "toT150", 0x5F, NoHeaderSlotsEmptied}},
    {.id = TDeviceType::PKU511,
     .listText = "PKU-511",
     .readItemsOnTypeChange = ChipSet{C24C16},
     .writeItemsOffOnTypeChange = DS1996And24C16,
     .newWriteChip = C24C16,
     .newConfigByte = 0x10,
     .layouts = LayoutFamily::T150,
     .page = ApartmentPage,
     .showsConfiguration = false,
     .conversion = ConversionRow{1, "to PKU511", "toPKU511", 0x10, NoHeaderSlotsEmptied}},
    {.id = TDeviceType::LMR702,
     .listText = "LMR 700_701_702",
     .readItemsOnTypeChange = ChipSet{C24C16},
     .writeItemsOffOnTypeChange = DS1996And24C16,
     .newWriteChip = C24C16,
     .newConfigByte = std::nullopt,
     .layouts = LayoutFamily::LMR702,
     .page = {.fill = Fill::LMR702,
              .receivers = KeyReceivers::LMR702,
              .codeTable = std::nullopt,
              .report = ReportParts::LMR702},
     // The LMR types keep eight guard key slots.
     .conversion = ConversionRow{3, "to LMR702", "toLMR702", 0x00, 8}},
    {.id = TDeviceType::PKU618,
     .listText = "PKU-618",
     .readItemsOnTypeChange = ChipSet{C24C16},
     .writeItemsOffOnTypeChange = DS1996And24C16,
     .newWriteChip = C24C16,
     .newConfigByte = std::nullopt,
     .layouts = LayoutFamily::PKU618,
     .page = {.fill = Fill::PKU618,
              .receivers = KeyReceivers::PKU618,
              .codeTable = std::nullopt,
              .report = ReportParts::PKU618},
     .conversion = ConversionRow{2, "to PKU618", "toPKU618", 0x00, NoHeaderSlotsEmptied}},
    {.id = TDeviceType::PKU630,
     .listText = "PKU-630",
     .readItemsOnTypeChange = ChipSet{C24C64},
     .writeItemsOffOnTypeChange = DS1996Only,
     .newWriteChip = C24C64,
     .newConfigByte = 0x10,
     .layouts = LayoutFamily::PKU630,
     .page = {.fill = Fill::PKU630,
              .receivers = KeyReceivers::PKU630,
              .codeTable = TableId::SGrid4,
              .report = ReportParts::PKU630},
     .conversion = ConversionRow{4, "to PKU630", "toPKU630", 0x1F, NoHeaderSlotsEmptied}},
    {.id = TDeviceType::G300,
     .listText = "G300",
     .readItemsOnTypeChange = ChipSet{DS1995, DS1996},
     .writeItemsOffOnTypeChange = {},
     .newWriteChip = DS1996,
     .newConfigByte = 0x1F,
     .layouts = LayoutFamily::G300,
     .page = {.fill = Fill::G300,
              .receivers = KeyReceivers::G300,
              .codeTable = TableId::SGrid6,
              .report = ReportParts::G300},
     .smallIButtonPage = PageRules{.fill = Fill::G300DS1995,
                                   .receivers = KeyReceivers::G300DS1995,
                                   .codeTable = TableId::StringGrid2,
                                   .report = ReportParts::G300DS1995},
     .conversion = ConversionRow{5, "to G300", "toG300", 0xBB, NoHeaderSlotsEmptied}},
    {.id = TDeviceType::PKU512S,
     .listText = "PKU-512S",
     .readItemsOnTypeChange = ChipSet{C24C16, C24C64},
     .writeItemsOffOnTypeChange = DS1996Only,
     .newWriteChip = C24C64,
     .newConfigByte = 0x1F,
     .layouts = LayoutFamily::PKU512S,
     .page = {.fill = Fill::PKU512S,
              .receivers = KeyReceivers::PKU512S,
              .codeTable = TableId::SGrid9,
              .report = ReportParts::PKU512S},
     // The PKU-512S has none of the others' header keys.
     .conversion = ConversionRow{6, "to PKU512S", "toPKU512S", 0x5F, 0}},
    {.id = TDeviceType::LMR70x2680,
     .listText = "LMR 70\u0445-2680",
     .readItemsOnTypeChange = ChipSet{C24C64},
     .writeItemsOffOnTypeChange = DS1996Only,
     .newWriteChip = C24C64,
     .newConfigByte = 0x1F,
     .layouts = LayoutFamily::LMR70x2680,
     .page = {.fill = Fill::LMR70x2680,
              .receivers = KeyReceivers::LMR70x2680,
              .codeTable = std::nullopt,
              .report = ReportParts::LMR70x2680},
     .conversion = ConversionRow{7, "to LMR70x_2680", "toLMR70x_2680", 0x00, 8}},
    {.id = TDeviceType::QS151,
     .listText = "QS151",
     .readItemsOnTypeChange = ChipSet{C24C16},
     .writeItemsOffOnTypeChange = DS1996And24C16,
     .newWriteChip = C24C16,
     .newConfigByte = 0x1F,
     .layouts = LayoutFamily::T150,
     .page = ApartmentPage},
    {.id = TDeviceType::PKU512T,
     .listText = "PKU-512T_PKU512T-80",
     .readItemsOnTypeChange = ChipSet{C24C16},
     .writeItemsOffOnTypeChange = DS1996And24C16,
     .newWriteChip = C24C16,
     .newConfigByte = 0x1F,
     .layouts = LayoutFamily::PKU512T,
     .page = {.fill = Fill::PKU512T,
              .receivers = KeyReceivers::PKU512T,
              .codeTable = TableId::SGrid1,
              .report = ReportParts::PKU512T},
     .conversion = ConversionRow{8, "toPKU512T", "toPKU512T", 0x5F, NoHeaderSlotsEmptied}},
    // Selecting the PKU-630XE leaves the read items as they were; it has no chip of its own.
    {.id = TDeviceType::PKU630XE,
     .listText = "PKU-630XE",
     .readItemsOnTypeChange = std::nullopt,
     .writeItemsOffOnTypeChange = {},
     .newWriteChip = std::nullopt,
     .newConfigByte = std::nullopt,
     .layouts = LayoutFamily::PKU630XE,
     .page = {.fill = Fill::PKU630XE,
              .receivers = KeyReceivers::PKU630XE,
              .codeTable = std::nullopt,
              .report = ReportParts::PKU630XE},
     .usesExtensionSlots = true},
}};
static_assert(RowsInIdOrder(Types, &ControllerType::id), "one row per controller type, in list order");

} // namespace

const ControllerType& ControllerTypeOf(TDeviceType type) { return RowOf(Types, type); }

const PageRules& PageOf(TDeviceType type, bool smallIButton)
{
    const ControllerType& row = ControllerTypeOf(type);
    return smallIButton && row.smallIButtonPage ? *row.smallIButtonPage : row.page;
}

Fill FillOf(TDeviceType type, bool smallIButton) { return PageOf(type, smallIButton).fill; }

QString TypeText(TDeviceType type) { return QString::fromUtf8(ControllerTypeOf(type).listText); }

QString TypeText(std::optional<TDeviceType> type) { return type ? TypeText(*type) : QString(); }
