#include "model/PageIds.h"

#include "model/IdTable.h"

#include <array>
#include <cstring>

namespace {

constexpr std::array<PageRow, PageIdCount> Pages{{
    {PageId::TabSheet1, "TabSheet1"},
    {PageId::TabSheet2, "TabSheet2"},
    {PageId::TabSheet3, "TabSheet3"},
    {PageId::TabSheet4, "TabSheet4"},
    {PageId::TabSheet5, "TabSheet5"},
    {PageId::TabSheet6, "TabSheet6"},
    {PageId::TabSheet7, "TabSheet7"},
    {PageId::TabSheet8, "TabSheet8"},
    {PageId::TabSheet9, "TabSheet9"},
    {PageId::TabSheet10, "TabSheet10"},
}};

static_assert(RowsInIdOrder(Pages, &PageRow::id), "the page rows are listed in PageId order");

} // namespace

const PageRow& PageRowOf(PageId id) { return Pages[static_cast<std::size_t>(id)]; }

std::span<const PageRow> PageRows() { return Pages; }

std::optional<PageId> PageNamed(const char* name)
{
    for (const PageRow& row : Pages)
        if (std::strcmp(row.name, name) == 0) return row.id;
    return std::nullopt;
}
