#pragma once
// One row per field of the pages that shows a record value: the masked fields of digits and the
// read-only master key fields.

#include "model/IntercomData.h"

#include <QString>

#include <cstdint>
#include <span>

enum class FieldValue {
    ServicePassword, // first 16-bit field (the concierge on PKU-630)
    SystemPassword,  // second 16-bit field (the password on PKU-630)
    GeneralCode,     // third 16-bit field
    ConciergeByte,   // the PKU-618 concierge apartment, the byte after the configuration byte
    MasterKey,       // the master key, shown as key text
};

enum class FieldId {
    MaskEdit1,
    MaskEdit2,
    MaskEdit3,
    MaskEdit4,
    MaskEdit5,
    MaskEdit6,
    MaskEdit7,
    MaskEdit8,
    MaskEdit9,
    MaskEdit10,
    MaskEdit11,
    MaskEdit12,
    MaskEdit13,
    MaskEdit14,
    MaskEdit15,
    MaskEdit16,
    Edit2,
    Edit3,
    Edit4,
};
inline constexpr int FieldIdCount = 19;

struct FieldSpec {
    FieldId id;
    const char* name; // object name of the field
    int digits;       // 4 ("9999") or 2 ("99"); 0 for a master key field
    FieldValue value;
};

const FieldSpec& FieldSpecOf(FieldId id);
// The spec of the field with that object name; nullptr for a name no field has.
const FieldSpec* FieldSpecNamed(const char* name);
// Every field spec, in FieldId order.
std::span<const FieldSpec> FieldSpecs();

// The value of a masked field (never MasterKey).
std::uint16_t FieldRecordValue(const TIntercomData& record, FieldValue value);
// Stores a masked field's value (never MasterKey); a two-digit value keeps the 16-bit fields' upper byte 0.
void SetFieldRecordValue(TIntercomData& record, FieldValue value, std::uint16_t shown);
// "%04X" or "%02X" of a masked field's record value; the key text of a master key field.
QString FieldText(const TIntercomData& record, const FieldSpec& spec);
