#include "documents/RecordDifference.h"

#include "model/FieldSpecs.h"
#include "model/PageSettings.h"
#include "model/TextForms.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cstring>
#include <span>

namespace {

struct FieldTerm {
    const char* field;
    Bilingual caption;
};
struct ValueTerm {
    const char* spinEdit;
    SpinValue value;
    Bilingual caption;
};

// What a page shows of the record, in the order the page shows it.
struct PageTerms {
    std::span<const TableTerm> tables{};
    std::span<const FieldTerm> fields{};
    const char* masterKeyField = nullptr;
    std::span<const ConfigBoxTexts> boxes{};
    const char* hiddenBox = nullptr; // a box of `boxes` the page hides for this type
    std::span<const ValueTerm> values{};
};

constexpr Bilingual Apartments{"Квартиры", "Apartments"};
constexpr Bilingual ServicePassword{"Пароль сервисный", "Service password"};
constexpr Bilingual SystemPassword{"Пароль системный", "System password"};
constexpr Bilingual GeneralCode{"Общий код", "General code"};
constexpr Bilingual MasterKey{"Мастер-ключ", "Master key"};
constexpr Bilingual GuardKeys{"Ключи охраны", "Guard keys"};
constexpr Bilingual SystemKeys{"Системные ключи", "System keys"};
constexpr Bilingual IndividualKeys{"Индивидуальные ключи", "Individual keys"};
constexpr Bilingual LockTime{"Время открывания замка, сек", "Unlocked state, sec"};
constexpr Bilingual Volume{"Уровень громкости", "Volume"};
constexpr Bilingual ConciergeApartment{"Номер квартиры консьержа", "Concierge apartment number"};

constexpr std::array<TableTerm, 1> T150Tables{{{TableNames::SGrid1, Apartments}}};
constexpr std::array<TableTerm, 2> PKU512TTables{{{TableNames::SGrid1, Apartments}, {TableNames::StringGrid1, SystemKeys}}};
constexpr std::array<TableTerm, 2> LMR702Tables{{{TableNames::SGrid2, IndividualKeys}, {TableNames::SGrid3, GuardKeys}}};
constexpr std::array<TableTerm, 2> LMR70x2680Tables{
    {{TableNames::SGrid11, IndividualKeys}, {TableNames::SGrid12, GuardKeys}}};
constexpr std::array<TableTerm, 1> PKU618Tables{{{TableNames::SGrid5, Apartments}}};
constexpr std::array<TableTerm, 1> PKU630Tables{{{TableNames::SGrid4, Apartments}}};
constexpr std::array<TableTerm, 1> G300Tables{{{TableNames::SGrid6, Apartments}}};
constexpr std::array<TableTerm, 1> G300DS1995Tables{{{TableNames::StringGrid2, Apartments}}};
constexpr std::array<TableTerm, 2> PKU512STables{{{TableNames::SGrid9, Apartments}, {TableNames::SGrid10, SystemKeys}}};
constexpr std::array<TableTerm, 1> PKU630XETables{{{TableNames::StringGrid3, {"Ключи доступа", "Access keys"}}}};

constexpr std::array<FieldTerm, 3> T150Fields{
    {{"MaskEdit1", ServicePassword}, {"MaskEdit2", SystemPassword}, {"MaskEdit3", GeneralCode}}};
constexpr std::array<FieldTerm, 1> PKU618Fields{{{"MaskEdit7", ConciergeApartment}}};
constexpr std::array<FieldTerm, 3> PKU630Fields{
    {{"MaskEdit6", {"Консьерж", "Concierge"}}, {"MaskEdit5", {"Пароль", "Password"}}, {"MaskEdit4", GeneralCode}}};
constexpr std::array<FieldTerm, 3> G300Fields{
    {{"MaskEdit8", ServicePassword}, {"MaskEdit9", SystemPassword}, {"MaskEdit10", GeneralCode}}};
constexpr std::array<FieldTerm, 3> G300DS1995Fields{
    {{"MaskEdit11", ServicePassword}, {"MaskEdit12", SystemPassword}, {"MaskEdit13", GeneralCode}}};
constexpr std::array<FieldTerm, 3> PKU512SFields{
    {{"MaskEdit14", ServicePassword}, {"MaskEdit15", SystemPassword}, {"MaskEdit16", GeneralCode}}};

constexpr std::array<ValueTerm, 3> PKU512TValues{{{"CSpinEdit5", SpinValue::LockTime, LockTime},
                                                  {"CSpinEdit6", SpinValue::Volume, Volume},
                                                  {"CSpinEdit7", SpinValue::ConciergeNumber, {"Консьерж", "Concierge"}}}};
constexpr std::array<ValueTerm, 1> PKU618Values{{{"CSpinEdit1", SpinValue::LockTimeWord, LockTime}}};
constexpr std::array<ValueTerm, 3> PKU512SValues{{{"CSpinEdit3", SpinValue::ConciergeNumber, ConciergeApartment},
                                                  {"CSpinEdit2", SpinValue::LockTime, LockTime},
                                                  {"CSpinEdit4", SpinValue::Volume, Volume}}};

PageTerms TermsOf(TDeviceType type, bool ds1995)
{
    switch (type) {
    case DeviceTypes::T150:
    case DeviceTypes::QS151: return {T150Tables, T150Fields, nullptr, PageSettings::ApartmentConfigBoxes()};
    case DeviceTypes::PKU511: return {T150Tables, T150Fields};
    // The lock opening time is a value of its own here, so its box is hidden.
    case DeviceTypes::PKU512T:
        return {PKU512TTables, T150Fields, nullptr, PageSettings::ApartmentConfigBoxes(), "CB4", PKU512TValues};
    case DeviceTypes::LMR702: return {LMR702Tables, {}, "Edit2"};
    case DeviceTypes::LMR70x2680: return {LMR70x2680Tables, {}, "Edit4"};
    case DeviceTypes::PKU618:
        return {PKU618Tables, PKU618Fields, "Edit3", PageSettings::PKU618ConfigBoxes(), nullptr, PKU618Values};
    // The PKU-630's configuration group is never shown.
    case DeviceTypes::PKU630: return {PKU630Tables, PKU630Fields};
    case DeviceTypes::G300:
        if (ds1995) return {G300DS1995Tables, G300DS1995Fields, nullptr, PageSettings::G300DS1995ConfigBoxes()};
        return {G300Tables, G300Fields, nullptr, PageSettings::G300DS1996ConfigBoxes()};
    case DeviceTypes::PKU512S:
        return {PKU512STables, PKU512SFields, nullptr, PageSettings::PKU512SConfigBoxes(), nullptr, PKU512SValues};
    case DeviceTypes::PKU630XE: return {PKU630XETables};
    default: return {};
    }
}

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

// The apartment (or row) and key number a key or code cell stands for, as its row label shows them.
void PlaceInRow(DifferenceItem& item, const IntercomStore& store, const TableSpec& spec)
{
    const CellRef cell = item.cell;
    const int keyInRow = cell.column - FirstKeyColumn(spec) + 1;
    item.keyNumber = keyInRow;
    switch (spec.label) {
    case RowLabel::ApartmentFromZero:
    case RowLabel::ApartmentFromOne:
        if (cell.row <= spec.labelledRows) item.apartment = CellText(store, spec, {0, cell.row}).toInt();
        else item.row = cell.row;
        break;
    case RowLabel::FirstKeyNumber: item.keyNumber = *SlotOfCell(spec, cell) - spec.blocks[0].firstSlot + 1; break;
    // A one-column list numbers its keys by row; wider tables number their apartments so.
    case RowLabel::RowNumber:
        if (spec.blocks[0].width() == 1) item.keyNumber = cell.row;
        else item.apartment = cell.row;
        break;
    }
}

void CompareTable(const TableTerm& term, const IntercomStore& before, const IntercomStore& after,
                  std::vector<DifferenceItem>& items)
{
    const TableSpec& spec = TableSpecOf(term.table);
    for (int row = 1; row <= spec.rows; ++row) {
        for (int column = 1; column < spec.columns; ++column) {
            const CellRef cell{column, row};
            DifferenceItem item{DifferenceSubject::Key, Change::Changed, term.table, cell, term.caption};
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
            PlaceInRow(item, before, spec);
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
        if (was != is) items.push_back({DifferenceSubject::Field, Change::Changed, term.field, {-1, -1}, term.caption, -1, -1, 0, was, is});
    }
}

void CompareMasterKey(const char* field, const TIntercomData& before, const TIntercomData& after,
                      std::vector<DifferenceItem>& items)
{
    if (!field || before.MasterKey == after.MasterKey) return;
    DifferenceItem item{DifferenceSubject::MasterKey, ChangeOf(before.MasterKey.isEmpty(), after.MasterKey.isEmpty()),
                        field, {-1, -1}, MasterKey};
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
            items.push_back({DifferenceSubject::Value, Change::Changed, term.spinEdit, {-1, -1}, term.caption, -1, -1, 0,
                             QString::number(was), QString::number(is)});
    }
}

// "apartment 5, key 2", "key 17", "row 203, key 2" or "apartment 5, code": where in its table a cell is.
QString CellWords(const DifferenceItem& item, Language language)
{
    QStringList words;
    if (item.apartment >= 0) words << Tr(language, "квартира %1", "apartment %1").arg(item.apartment);
    if (item.row >= 0) words << Tr(language, "строка %1", "row %1").arg(item.row);
    words << (item.subject == DifferenceSubject::Code ? Tr(language, "код", "code")
                                                      : Tr(language, "ключ %1", "key %1").arg(item.keyNumber));
    return words.join(QStringLiteral(", "));
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

std::span<const TableTerm> PageTables(TDeviceType type, bool ds1995) { return TermsOf(type, ds1995).tables; }

QString KeyCellPlace(const IntercomStore& store, const TableTerm& table, CellRef cell, Language language)
{
    DifferenceItem item{DifferenceSubject::Key, Change::Changed, table.table, cell, table.caption};
    PlaceInRow(item, store, TableSpecOf(table.table));
    return QStringLiteral("%1, %2").arg(table.caption.in(language), CellWords(item, language));
}

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
        return QStringLiteral("%1, %2: %3").arg(item.caption.in(language), CellWords(item, language), ChangeWords(item, language));
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
