#pragma once
// Tables indexed by an id enum: one row per id, each row naming its id. A table is sized by the
// id's count; a row left out leaves a default row behind that names the wrong id, which
// RowsInIdOrder reports at compile time when the table's static_assert calls it.

#include <array>
#include <cstddef>

template <typename Row, std::size_t Count, typename Id>
constexpr bool RowsInIdOrder(const std::array<Row, Count>& table, Id Row::*id)
{
    for (std::size_t index = 0; index < Count; ++index)
        if (static_cast<std::size_t>(table[index].*id) != index) return false;
    return true;
}

template <typename Row, std::size_t Count, typename Id>
constexpr const Row& RowOf(const std::array<Row, Count>& table, Id id)
{
    return table[static_cast<std::size_t>(id)];
}
