#pragma once
// One row per masked field of the pages: its digits and the record value it shows.

#include "model/IntercomData.h"

#include <QString>

#include <cstdint>

enum class FieldValue {
    ServicePassword, // first 16-bit field (the concierge on PKU-630)
    SystemPassword,  // second 16-bit field (the password on PKU-630)
    GeneralCode,     // third 16-bit field
    ConciergeByte,   // the PKU-618 concierge apartment, the byte after the configuration byte
};

struct FieldSpec {
    const char* name; // object name of the field
    int digits;       // 4 ("9999") or 2 ("99")
    FieldValue value;
};

// The spec of the field with that object name (MaskEdit1 to MaskEdit16).
const FieldSpec& FieldSpecOf(const char* name);

std::uint16_t FieldRecordValue(const TIntercomData& record, FieldValue value);
// Stores a field's value; a two-digit value keeps the 16-bit fields' upper byte 0.
void SetFieldRecordValue(TIntercomData& record, FieldValue value, std::uint16_t shown);
// "%04X" or "%02X" of the field's record value.
QString FieldText(const TIntercomData& record, const FieldSpec& spec);
