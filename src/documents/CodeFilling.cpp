#include "documents/CodeFilling.h"

#include <QString>

const TableSpec* CodeTableOf(TDeviceType type, bool ds1995)
{
    switch (type) {
    case DeviceTypes::T150:
    case DeviceTypes::PKU511:
    case DeviceTypes::QS151:
    case DeviceTypes::PKU512T: return &TableSpecOf(TableId::SGrid1);
    case DeviceTypes::PKU630: return &TableSpecOf(TableId::SGrid4);
    case DeviceTypes::G300: return &TableSpecOf(ds1995 ? TableId::StringGrid2 : TableId::SGrid6);
    case DeviceTypes::PKU512S: return &TableSpecOf(TableId::SGrid9);
    default: return nullptr;
    }
}

std::uint16_t DrawCode(CodeGenerator& generator)
{
    unsigned drawn = static_cast<unsigned>(generator()) % 10000;
    while (drawn % 10 == 0) drawn = static_cast<unsigned>(generator()) % 10000;
    if (drawn < 1000) drawn += 6000;
    // The decimal text of the number, each of its four characters one nibble, the first highest.
    const QString digits = QString::number(drawn);
    std::uint16_t code = 0;
    for (int i = 0; i < 4; ++i) code = static_cast<std::uint16_t>(code << 4 | (digits[i].unicode() - u'0'));
    return code;
}

int FillCodes(IntercomStore& store, const TableSpec& table, CodeGenerator& generator)
{
    int written = 0;
    for (int row = 1; row <= table.rows; ++row) {
        const std::optional<int> code = CodeOfRow(table, row);
        if (!code) continue;
        store.Record.Codes[static_cast<std::size_t>(*code)] = DrawCode(generator);
        ++written;
    }
    return written;
}
