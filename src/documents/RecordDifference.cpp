#include "documents/RecordDifference.h"

#include "documents/PageTerms.h"
#include "model/FieldSpecs.h"
#include "model/TextForms.h"


#include <algorithm>
#include <cstring>
#include <span>

namespace {

Change ChangeOf(bool wasEmpty, bool isEmpty)
{
    if (wasEmpty) return Change::Added;
    return isEmpty ? Change::Removed : Change::Changed;
}

// The texts of a changed cell or field: nothing stands for an empty key or code.
void SetTexts(DifferenceItem& item, QString before, QString after)
{
    if (item.change != Change::Added) item.before = std::move(before);
    if (item.change != Change::Removed) item.after = std::move(after);
}

void CompareTable(const TableTerm& term, const IntercomStore& before, const IntercomStore& after,
                  std::vector<DifferenceItem>& items)
{
    const TableSpec& spec = TableSpecOf(term.table);
    for (int row = 1; row <= spec.rows; ++row) {
        for (int column = 1; column < spec.columns; ++column) {
            const CellRef cell{column, row};
            DifferenceItem item{DifferenceSubject::Key, Change::Changed, spec.name, cell, term.caption};
            if (column == spec.codeColumn) {
                const std::optional<int> code = CodeOfRow(spec, row);
                if (!code) continue;
                const std::uint16_t was = before.Record.Codes[static_cast<std::size_t>(*code)];
                const std::uint16_t is = after.Record.Codes[static_cast<std::size_t>(*code)];
                if (was == is) continue;
                item.subject = DifferenceSubject::Code;
                item.change = ChangeOf(was == EmptyDigitValue, is == EmptyDigitValue);
            } else {
                const std::optional<int> slot = SlotOfCell(spec, cell);
                if (!slot) continue;
                const KeySlot& was = KeyOfSlot(before, spec, *slot);
                const KeySlot& is = KeyOfSlot(after, spec, *slot);
                if (was == is) continue;
                item.change = ChangeOf(was.isEmpty(), is.isEmpty());
            }
            const CellPlace place = PlaceOfCell(before, spec, cell);
            item.apartment = place.apartment;
            item.row = place.row;
            item.keyNumber = place.keyNumber;
            SetTexts(item, CellText(before, spec, cell), CellText(after, spec, cell));
            items.push_back(std::move(item));
        }
    }
}

void CompareFields(std::span<const FieldTerm> fields, const TIntercomData& before, const TIntercomData& after,
                   std::vector<DifferenceItem>& items)
{
    for (const FieldTerm& term : fields) {
        const FieldSpec& spec = FieldSpecOf(term.field);
        const QString was = FieldText(before, spec);
        const QString is = FieldText(after, spec);
        if (was != is)
            items.push_back(
                {DifferenceSubject::Field, Change::Changed, spec.name, {-1, -1}, term.caption, -1, -1, 0, was, is});
    }
}

void CompareMasterKey(const char* field, const TIntercomData& before, const TIntercomData& after,
                      std::vector<DifferenceItem>& items)
{
    if (!field || before.MasterKey == after.MasterKey) return;
    DifferenceItem item{DifferenceSubject::MasterKey,
                        ChangeOf(before.MasterKey.isEmpty(), after.MasterKey.isEmpty()),
                        field,
                        {-1, -1},
                        MasterKeyCaption};
    SetTexts(item, KeyText(before.MasterKey), KeyText(after.MasterKey));
    items.push_back(std::move(item));
}

void CompareSettings(const PageTerms& terms, const TIntercomData& before, const TIntercomData& after,
                     std::vector<DifferenceItem>& items)
{
    for (const ConfigBoxTexts& box : terms.boxes) {
        if (terms.hiddenBox && std::strcmp(box.name, terms.hiddenBox) == 0) continue;
        const bool was = ConfigBoxChecked(before, box);
        const bool is = ConfigBoxChecked(after, box);
        if (was == is) continue;
        DifferenceItem item{DifferenceSubject::Setting, Change::Changed, box.name};
        item.settingBefore = was ? box.checked : box.unchecked;
        item.settingAfter = is ? box.checked : box.unchecked;
        items.push_back(std::move(item));
    }
    for (const ValueTerm& term : terms.values) {
        const int was = SpinRecordValue(before, term.value);
        const int is = SpinRecordValue(after, term.value);
        if (was != is)
            items.push_back({DifferenceSubject::Value,
                             Change::Changed,
                             term.spinEdit,
                             {-1, -1},
                             term.caption,
                             -1,
                             -1,
                             0,
                             QString::number(was),
                             QString::number(is)});
    }
}

QString ChangeWords(const DifferenceItem& item, Language language)
{
    switch (item.change) {
    case Change::Added: return Tr(language, "добавлено %1", "added %1").arg(item.after);
    case Change::Removed: return Tr(language, "удалено %1", "removed %1").arg(item.before);
    case Change::Changed: break;
    }
    return Tr(language, "изменено %1 → %2", "changed %1 → %2").arg(item.before, item.after);
}

} // namespace

std::vector<DifferenceItem> CompareRecords(const IntercomStore& before, const IntercomStore& after, TDeviceType type,
                                           bool ds1995)
{
    std::vector<DifferenceItem> items;
    const PageTerms terms = TermsOf(type, ds1995);
    for (const TableTerm& table : terms.tables) CompareTable(table, before, after, items);
    CompareFields(terms.fields, before.Record, after.Record, items);
    CompareMasterKey(terms.masterKeyField, before.Record, after.Record, items);
    CompareSettings(terms, before.Record, after.Record, items);
    return items;
}

QString DifferenceText(const DifferenceItem& item, Language language)
{
    switch (item.subject) {
    case DifferenceSubject::Key:
    case DifferenceSubject::Code:
        return QStringLiteral("%1, %2: %3")
            .arg(item.caption.in(language),
                 CellWords({item.apartment, item.row, item.keyNumber}, item.subject == DifferenceSubject::Code,
                           language),
                 ChangeWords(item, language));
    case DifferenceSubject::Field:
    case DifferenceSubject::MasterKey:
    case DifferenceSubject::Value:
        return QStringLiteral("%1: %2").arg(item.caption.in(language), ChangeWords(item, language));
    case DifferenceSubject::Setting:
        return Tr(language, "Конфигурация: «%1» → «%2»", "Configuration: \"%1\" → \"%2\"")
            .arg(item.settingBefore.in(language), item.settingAfter.in(language));
    }
    return {};
}

ImageDifference CompareImages(const QByteArray& before, const QByteArray& after)
{
    const auto byteAt = [](const QByteArray& image, qsizetype address) {
        return static_cast<std::uint8_t>(address < image.size() ? image[address] : '\xFF');
    };
    ImageDifference difference;
    const qsizetype size = std::max(before.size(), after.size());
    for (qsizetype address = 0; address < size; ++address) {
        const std::uint8_t was = byteAt(before, address);
        const std::uint8_t is = byteAt(after, address);
        if (was != is) difference.bytes.push_back({static_cast<int>(address), was, is});
    }
    return difference;
}

QString ByteDifferenceText(const ByteDifference& difference)
{
    return QString::asprintf("0x%04X: %02X -> %02X", difference.address, difference.before, difference.after);
}
