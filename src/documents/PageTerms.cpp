#include "documents/PageTerms.h"

#include <QStringList>

#include <array>

namespace {

constexpr Bilingual Apartments{"Квартиры", "Apartments"};
constexpr Bilingual ServicePassword{"Пароль сервисный", "Service password"};
constexpr Bilingual SystemPassword{"Пароль системный", "System password"};
constexpr Bilingual GeneralCode{"Общий код", "General code"};
constexpr Bilingual GuardKeys{"Ключи охраны", "Guard keys"};
constexpr Bilingual SystemKeys{"Системные ключи", "System keys"};
constexpr Bilingual IndividualKeys{"Индивидуальные ключи", "Individual keys"};
constexpr Bilingual LockTime{"Время открывания замка, сек", "Unlocked state, sec"};
constexpr Bilingual Volume{"Уровень громкости", "Volume"};
constexpr Bilingual ConciergeApartment{"Номер квартиры консьержа", "Concierge apartment number"};

constexpr std::array<TableTerm, 1> T150Tables{{{TableId::SGrid1, Apartments}}};
constexpr std::array<TableTerm, 2> PKU512TTables{{{TableId::SGrid1, Apartments}, {TableId::StringGrid1, SystemKeys}}};
constexpr std::array<TableTerm, 2> LMR702Tables{{{TableId::SGrid2, IndividualKeys}, {TableId::SGrid3, GuardKeys}}};
constexpr std::array<TableTerm, 2> LMR70x2680Tables{
    {{TableId::SGrid11, IndividualKeys}, {TableId::SGrid12, GuardKeys}}};
constexpr std::array<TableTerm, 1> PKU618Tables{{{TableId::SGrid5, Apartments}}};
constexpr std::array<TableTerm, 1> PKU630Tables{{{TableId::SGrid4, Apartments}}};
constexpr std::array<TableTerm, 1> G300Tables{{{TableId::SGrid6, Apartments}}};
constexpr std::array<TableTerm, 1> G300DS1995Tables{{{TableId::StringGrid2, Apartments}}};
constexpr std::array<TableTerm, 2> PKU512STables{{{TableId::SGrid9, Apartments}, {TableId::SGrid10, SystemKeys}}};
constexpr std::array<TableTerm, 1> PKU630XETables{{{TableId::StringGrid3, {"Ключи доступа", "Access keys"}}}};

constexpr std::array<FieldTerm, 3> T150Fields{
    {{FieldId::MaskEdit1, ServicePassword}, {FieldId::MaskEdit2, SystemPassword}, {FieldId::MaskEdit3, GeneralCode}}};
constexpr std::array<FieldTerm, 1> PKU618Fields{{{FieldId::MaskEdit7, ConciergeApartment}}};
constexpr std::array<FieldTerm, 3> PKU630Fields{{{FieldId::MaskEdit6, {"Консьерж", "Concierge"}},
                                                 {FieldId::MaskEdit5, {"Пароль", "Password"}},
                                                 {FieldId::MaskEdit4, GeneralCode}}};
constexpr std::array<FieldTerm, 3> G300Fields{
    {{FieldId::MaskEdit8, ServicePassword}, {FieldId::MaskEdit9, SystemPassword}, {FieldId::MaskEdit10, GeneralCode}}};
constexpr std::array<FieldTerm, 3> G300DS1995Fields{{{FieldId::MaskEdit11, ServicePassword},
                                                     {FieldId::MaskEdit12, SystemPassword},
                                                     {FieldId::MaskEdit13, GeneralCode}}};
constexpr std::array<FieldTerm, 3> PKU512SFields{{{FieldId::MaskEdit14, ServicePassword},
                                                  {FieldId::MaskEdit15, SystemPassword},
                                                  {FieldId::MaskEdit16, GeneralCode}}};

constexpr std::array<ValueTerm, 3> PKU512TValues{
    {{"CSpinEdit5", SpinValue::LockTime, LockTime},
     {"CSpinEdit6", SpinValue::Volume, Volume},
     {"CSpinEdit7", SpinValue::ConciergeNumber, {"Консьерж", "Concierge"}}}};
constexpr std::array<ValueTerm, 1> PKU618Values{{{"CSpinEdit1", SpinValue::LockTimeWord, LockTime}}};
constexpr std::array<ValueTerm, 3> PKU512SValues{{{"CSpinEdit3", SpinValue::ConciergeNumber, ConciergeApartment},
                                                  {"CSpinEdit2", SpinValue::LockTime, LockTime},
                                                  {"CSpinEdit4", SpinValue::Volume, Volume}}};

// The terms of a page as its fill shows them.
PageTerms TermsOfFill(Fill fill)
{
    switch (fill) {
    case Fill::T150: return {T150Tables, T150Fields, nullptr, PageSettings::ApartmentConfigBoxes()};
    // The lock opening time is a value of its own here, so its box is hidden.
    case Fill::PKU512T:
        return {PKU512TTables, T150Fields, nullptr, PageSettings::ApartmentConfigBoxes(), "CB4", PKU512TValues};
    case Fill::LMR702: return {LMR702Tables, {}, "Edit2"};
    case Fill::LMR70x2680: return {LMR70x2680Tables, {}, "Edit4"};
    case Fill::PKU618:
        return {PKU618Tables, PKU618Fields, "Edit3", PageSettings::PKU618ConfigBoxes(), nullptr, PKU618Values};
    // The PKU-630's configuration group is never shown.
    case Fill::PKU630: return {PKU630Tables, PKU630Fields};
    case Fill::G300: return {G300Tables, G300Fields, nullptr, PageSettings::G300DS1996ConfigBoxes()};
    case Fill::G300DS1995: return {G300DS1995Tables, G300DS1995Fields, nullptr, PageSettings::G300DS1995ConfigBoxes()};
    case Fill::PKU512S:
        return {PKU512STables, PKU512SFields, nullptr, PageSettings::PKU512SConfigBoxes(), nullptr, PKU512SValues};
    case Fill::PKU630XE: return {PKU630XETables};
    }
    return {};
}

} // namespace

PageTerms TermsOf(TDeviceType type, bool ds1995)
{
    PageTerms terms = TermsOfFill(FillOf(type, ds1995));
    if (!ControllerTypeOf(type).showsConfiguration) {
        terms.boxes = {};
        terms.hiddenBox = nullptr;
    }
    return terms;
}

CellPlace PlaceOfCell(const IntercomStore& store, const TableSpec& spec, CellRef cell)
{
    CellPlace place;
    place.keyNumber = cell.column - FirstKeyColumn(spec) + 1;
    switch (spec.label) {
    case RowLabel::ApartmentFromZero:
    case RowLabel::ApartmentFromOne:
        if (cell.row <= spec.labelledRows)
            place.apartment = CellText(store, spec, {0, cell.row}).toInt();
        else
            place.row = cell.row;
        break;
    case RowLabel::FirstKeyNumber: place.keyNumber = *SlotOfCell(spec, cell) - spec.blocks[0].firstSlot + 1; break;
    // A one-column list numbers its keys by row; wider tables number their apartments so.
    case RowLabel::RowNumber:
        if (spec.blocks[0].width() == 1)
            place.keyNumber = cell.row;
        else
            place.apartment = cell.row;
        break;
    }
    return place;
}

QString CellWords(const CellPlace& place, bool codeCell, Language language)
{
    QStringList words;
    if (place.apartment >= 0) words << Tr(language, "квартира %1", "apartment %1").arg(place.apartment);
    if (place.row >= 0) words << Tr(language, "строка %1", "row %1").arg(place.row);
    words << (codeCell ? Tr(language, "код", "code") : Tr(language, "ключ %1", "key %1").arg(place.keyNumber));
    return words.join(QStringLiteral(", "));
}

std::span<const TableTerm> PageTables(TDeviceType type, bool ds1995) { return TermsOf(type, ds1995).tables; }

QString KeyCellPlace(const IntercomStore& store, const TableTerm& table, CellRef cell, Language language)
{
    const CellPlace place = PlaceOfCell(store, TableSpecOf(table.table), cell);
    return QStringLiteral("%1, %2").arg(table.caption.in(language), CellWords(place, false, language));
}
