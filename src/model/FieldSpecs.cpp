#include "model/FieldSpecs.h"

#include "model/TextForms.h"

#include <array>
#include <cstring>

namespace {

using enum FieldValue;

constexpr std::array<FieldSpec, 16> Fields{{
    {"MaskEdit1", 4, ServicePassword},  {"MaskEdit2", 4, SystemPassword}, {"MaskEdit3", 4, GeneralCode},
    {"MaskEdit4", 4, GeneralCode},      {"MaskEdit5", 4, SystemPassword}, {"MaskEdit6", 2, ServicePassword},
    {"MaskEdit7", 2, ConciergeByte},    {"MaskEdit8", 4, ServicePassword}, {"MaskEdit9", 4, SystemPassword},
    {"MaskEdit10", 4, GeneralCode},     {"MaskEdit11", 4, ServicePassword}, {"MaskEdit12", 4, SystemPassword},
    {"MaskEdit13", 4, GeneralCode},     {"MaskEdit14", 4, ServicePassword}, {"MaskEdit15", 4, SystemPassword},
    {"MaskEdit16", 4, GeneralCode},
}};

} // namespace

const FieldSpec& FieldSpecOf(const char* name)
{
    for (const FieldSpec& spec : Fields)
        if (std::strcmp(spec.name, name) == 0) return spec;
    Q_ASSERT_X(false, "FieldSpecOf", name);
    return Fields.front();
}

std::uint16_t FieldRecordValue(const TIntercomData& record, FieldValue value)
{
    switch (value) {
    case ServicePassword: return record.ServicePassword;
    case SystemPassword: return record.SystemPassword;
    case GeneralCode: return record.GeneralCode;
    case ConciergeByte: return record.AuxByte;
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
    }
}

QString FieldText(const TIntercomData& record, const FieldSpec& spec)
{
    const std::uint16_t value = FieldRecordValue(record, spec.value);
    return spec.digits == 4 ? FourDigitText(value) : TwoDigitText(value);
}
