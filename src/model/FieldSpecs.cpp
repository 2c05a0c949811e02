#include "model/FieldSpecs.h"

#include "model/IdTable.h"
#include "model/TextForms.h"

#include <array>
#include <cstring>

namespace {

using enum FieldValue;

constexpr std::array<FieldSpec, FieldIdCount> Fields{{
    {FieldId::MaskEdit1, "MaskEdit1", 4, ServicePassword},
    {FieldId::MaskEdit2, "MaskEdit2", 4, SystemPassword},
    {FieldId::MaskEdit3, "MaskEdit3", 4, GeneralCode},
    {FieldId::MaskEdit4, "MaskEdit4", 4, GeneralCode},
    {FieldId::MaskEdit5, "MaskEdit5", 4, SystemPassword},
    {FieldId::MaskEdit6, "MaskEdit6", 2, ServicePassword},
    {FieldId::MaskEdit7, "MaskEdit7", 2, ConciergeByte},
    {FieldId::MaskEdit8, "MaskEdit8", 4, ServicePassword},
    {FieldId::MaskEdit9, "MaskEdit9", 4, SystemPassword},
    {FieldId::MaskEdit10, "MaskEdit10", 4, GeneralCode},
    {FieldId::MaskEdit11, "MaskEdit11", 4, ServicePassword},
    {FieldId::MaskEdit12, "MaskEdit12", 4, SystemPassword},
    {FieldId::MaskEdit13, "MaskEdit13", 4, GeneralCode},
    {FieldId::MaskEdit14, "MaskEdit14", 4, ServicePassword},
    {FieldId::MaskEdit15, "MaskEdit15", 4, SystemPassword},
    {FieldId::MaskEdit16, "MaskEdit16", 4, GeneralCode},
    {FieldId::Edit2, "Edit2", 0, MasterKey},
    {FieldId::Edit3, "Edit3", 0, MasterKey},
    {FieldId::Edit4, "Edit4", 0, MasterKey},
}};

static_assert(RowsInIdOrder(Fields, &FieldSpec::id), "the field specs are listed in FieldId order");

} // namespace

const FieldSpec& FieldSpecOf(FieldId id) { return Fields[static_cast<std::size_t>(id)]; }

std::span<const FieldSpec> FieldSpecs() { return Fields; }

const FieldSpec* FieldSpecNamed(const char* name)
{
    for (const FieldSpec& spec : Fields)
        if (std::strcmp(spec.name, name) == 0) return &spec;
    return nullptr;
}

std::uint16_t FieldRecordValue(const TIntercomData& record, FieldValue value)
{
    switch (value) {
    case ServicePassword: return record.ServicePassword;
    case SystemPassword: return record.SystemPassword;
    case GeneralCode: return record.GeneralCode;
    case ConciergeByte: return record.AuxByte;
    case MasterKey: break;
    }
    return EmptyDigitValue;
}

void SetFieldRecordValue(TIntercomData& record, FieldValue value, std::uint16_t shown)
{
    switch (value) {
    case ServicePassword: record.ServicePassword = shown; break;
    case SystemPassword: record.SystemPassword = shown; break;
    case GeneralCode: record.GeneralCode = shown; break;
    case ConciergeByte: record.AuxByte = static_cast<std::uint8_t>(shown); break;
    case MasterKey: break;
    }
}

QString FieldText(const TIntercomData& record, const FieldSpec& spec)
{
    if (spec.value == MasterKey) return KeyText(record.MasterKey);
    const std::uint16_t value = FieldRecordValue(record, spec.value);
    return spec.digits == 4 ? FourDigitText(value) : TwoDigitText(value);
}
