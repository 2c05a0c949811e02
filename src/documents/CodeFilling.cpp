#include "documents/CodeFilling.h"

#include <QString>

const TableSpec* CodeTableOf(std::optional<TDeviceType> type, bool ds1995)
{
    if (!type) return nullptr;
    const std::optional<TableId> table = PageOf(*type, ds1995).codeTable;
    return table ? &TableSpecOf(*table) : nullptr;
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
