#include "app/ArchiveComparison.h"

#include "archive/EntryType.h"
#include "codecs/CodecTables.h"
#include "programmer/Chips.h"

#include <memory>

namespace {

// A byte list this long says enough; the rest is counted.
constexpr int BytesListed = 500;

constexpr Bilingual NoTypeOnChip{
    "Запись %1 не сравнивается с документом: тип «%2» не хранит данные на микросхеме %3.",
    "Entry %1 cannot be compared with the document: the type \"%2\" keeps no data on a %3."};
constexpr Bilingual Rejected{"Данные записи %1 повреждены и не сравниваются.",
                             "The data of entry %1 are damaged and not compared."};
constexpr Bilingual MoreBytes{"... и ещё %1 байт", "... and %1 more bytes"};

// The layout an archived image reads in as `type`; nullptr when that type keeps nothing on its chip.
const Layout* LayoutOf(const ArchiveEntry& entry, std::optional<TDeviceType> type)
{
    const std::optional<ChipKind> kind = ChipKindByName(entry.chip);
    if (!kind || !type.has_value()) return nullptr;
    const std::optional<ReadDecoding> decoding = ReadDecodingFor(*kind, type);
    return decoding ? decoding->layout : nullptr;
}

bool IsDS1995(const ArchiveEntry& entry) { return ChipKindByName(entry.chip) == ChipKind::DS1995; }


Comparison ByteByByte(const QByteArray& before, const QByteArray& after, Language language)
{
    Comparison comparison;
    const ImageDifference difference = CompareImages(before, after);
    const int listed = std::min(BytesListed, difference.count());
    for (int index = 0; index < listed; ++index)
        comparison.rows.append({ByteDifferenceText(difference.bytes[std::size_t(index)]), std::nullopt});
    if (difference.count() > listed)
        comparison.rows.append({MoreBytes.in(language).arg(difference.count() - listed), std::nullopt});
    return comparison;
}

// The image decoded over `base`; nothing when the decoder rejected it.
std::unique_ptr<IntercomStore> Decoded(const ArchivedImage& archived, const Layout& layout, const IntercomStore& base,
                                       Prompts& prompts, Language language)
{
    auto store = std::make_unique<IntercomStore>(base);
    if (layout.decode(AsImage(archived.image), *store, {prompts, language}) == DecodeOutcome::Rejected) return nullptr;
    return store;
}

} // namespace

Comparison CompareArchived(const ArchivedImage& before, const ArchivedImage& after, Prompts& prompts, Language language)
{
    const std::optional<TDeviceType> type = TypeOfEntry(before.entry);
    const Layout* layout = LayoutOf(before.entry, type);
    const bool oneKind =
        before.entry.chip.compare(after.entry.chip, Qt::CaseInsensitive) == 0 && TypeOfEntry(after.entry) == type;
    if (!layout || !oneKind) return ByteByByte(before.image, after.image, language);
    auto blank = std::make_unique<IntercomStore>();
    ResetRecord(*blank);
    const auto beforeRecord = Decoded(before, *layout, *blank, prompts, language);
    const auto afterRecord = Decoded(after, *layout, *blank, prompts, language);
    // Damaged data compares only as bytes.
    if (!beforeRecord || !afterRecord) return ByteByByte(before.image, after.image, language);
    return CompareInPageTerms(*beforeRecord, *afterRecord, *type, IsDS1995(before.entry), language);
}

Comparison CompareWithDocument(const ArchivedImage& archived, const IntercomStore& document,
                               std::optional<TDeviceType> type, Prompts& prompts, Language language)
{
    const Layout* layout = LayoutOf(archived.entry, type);
    if (!layout) return {{}, NoTypeOnChip.in(language).arg(archived.entry.id).arg(TypeText(type), archived.entry.chip)};
    // Decoded over a copy of the document, what the chip does not hold is never a difference.
    const auto onChip = Decoded(archived, *layout, document, prompts, language);
    if (!onChip) return {{}, Rejected.in(language).arg(archived.entry.id)};
    return CompareInPageTerms(*onChip, document, *type, IsDS1995(archived.entry), language);
}

Comparison CompareInPageTerms(const IntercomStore& before, const IntercomStore& after, TDeviceType type, bool ds1995,
                              Language language)
{
    Comparison comparison;
    for (DifferenceItem& item : CompareRecords(before, after, type, ds1995))
        comparison.rows.append({DifferenceText(item, language), std::move(item)});
    return comparison;
}
