#pragma once
// Tables of rows indexed by a scoped enum: row i must carry id i, so a lookup by id is an index.

#include <cstddef>

template <typename Rows>
constexpr bool ListedInIdOrder(const Rows& rows)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (static_cast<std::size_t>(rows[i].id) != i) return false;
    return true;
}
