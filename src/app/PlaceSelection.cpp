#include "app/PlaceSelection.h"

#include "app/PageLookup.h"
#include "model/FieldSpecs.h"
#include "views/PageControl.h"
#include "views/PageParts.h"

#include <QLineEdit>

#include <cstddef>
#include <optional>

namespace {

// Where a byte of the store lies, as the tables and fields address it.
struct StorePart {
    enum class Kind { KeySlot, Code, Field, Other } kind = Kind::Other;
    KeyArea area = KeyArea::Slots;
    int index = 0; // slot or code
    FieldValue field = FieldValue::ServicePassword;
};

constexpr int KeySlotBytes = sizeof(KeySlot);

StorePart PartOfOffset(int offset)
{
    using Kind = StorePart::Kind;
    const auto within = [offset](std::size_t start, std::size_t size) {
        return offset >= static_cast<int>(start) && offset < static_cast<int>(start + size);
    };
    const auto at = [offset](std::size_t start) { return offset - static_cast<int>(start); };
    if (within(offsetof(TIntercomData, KeySlots), sizeof(TIntercomData::KeySlots)))
        return {Kind::KeySlot, KeyArea::Slots, at(offsetof(TIntercomData, KeySlots)) / KeySlotBytes};
    if (within(offsetof(TIntercomData, HeaderKeySlots), sizeof(TIntercomData::HeaderKeySlots)))
        return {Kind::KeySlot, KeyArea::HeaderSlots, at(offsetof(TIntercomData, HeaderKeySlots)) / KeySlotBytes};
    if (within(offsetof(IntercomStore, ExtensionKeySlots), sizeof(IntercomStore::ExtensionKeySlots)))
        return {Kind::KeySlot, KeyArea::ExtensionSlots, at(offsetof(IntercomStore, ExtensionKeySlots)) / KeySlotBytes};
    if (within(offsetof(TIntercomData, Codes), sizeof(TIntercomData::Codes)))
        return {Kind::Code, KeyArea::Slots, at(offsetof(TIntercomData, Codes)) / 2};
    const struct {
        std::size_t start;
        std::size_t size;
        FieldValue value;
    } fields[] = {
        {offsetof(TIntercomData, MasterKey), sizeof(KeySlot), FieldValue::MasterKey},
        {offsetof(TIntercomData, ServicePassword), 2, FieldValue::ServicePassword},
        {offsetof(TIntercomData, SystemPassword), 2, FieldValue::SystemPassword},
        {offsetof(TIntercomData, GeneralCode), 2, FieldValue::GeneralCode},
        {offsetof(TIntercomData, AuxByte), 1, FieldValue::ConciergeByte},
    };
    for (const auto& field : fields)
        if (within(field.start, field.size)) return {Kind::Field, KeyArea::Slots, 0, field.value};
    return {};
}

QWidget* ShownField(const PageLookup& pages, FieldValue value)
{
    for (const FieldSpec& spec : FieldSpecs())
        if (spec.value == value)
            if (QLineEdit* field = pages.Field(spec.id); field && field->isVisibleTo(&pages.Control())) return field;
    return nullptr;
}

bool Select(RecordGrid& grid, CellRef cell)
{
    grid.SelectCell(cell.column, cell.row);
    grid.setFocus();
    return true;
}

} // namespace

bool SelectPlace(const PageLookup& pages, const char* place, CellRef cell)
{
    if (!place) return false;
    const QLatin1String name(place);
    if (cell.column >= 0) {
        for (RecordGrid* grid : pages.ShownGrids())
            if (grid->objectName() == name) return Select(*grid, cell);
        return false;
    }
    const FieldSpec* spec = FieldSpecNamed(place);
    QLineEdit* field = spec ? pages.Field(spec->id) : nullptr;
    if (!field || !field->isVisibleTo(&pages.Control())) return false;
    field->setFocus();
    return true;
}

bool SelectStoreOffset(const PageLookup& pages, int offset)
{
    using Kind = StorePart::Kind;
    const StorePart part = PartOfOffset(offset);
    switch (part.kind) {
    case Kind::KeySlot:
        for (RecordGrid* grid : pages.ShownGrids())
            if (grid->Spec().area == part.area)
                if (const std::optional<CellRef> cell = CellOfSlot(grid->Spec(), part.index))
                    return Select(*grid, *cell);
        return false;
    case Kind::Code:
        for (RecordGrid* grid : pages.ShownGrids()) {
            const TableSpec& spec = grid->Spec();
            if (spec.codeColumn >= 0 && part.index < spec.labelledRows)
                return Select(*grid, CellRef{spec.codeColumn, part.index + 1});
        }
        return false;
    case Kind::Field:
        if (QWidget* field = ShownField(pages, part.field)) {
            field->setFocus();
            return true;
        }
        return false;
    case Kind::Other: return false;
    }
    return false;
}
