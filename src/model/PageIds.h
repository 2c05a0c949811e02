#pragma once
// The pages of the page control, one row each with the page's object name.

#include <optional>
#include <span>

enum class PageId {
    TabSheet1,
    TabSheet2,
    TabSheet3,
    TabSheet4,
    TabSheet5,
    TabSheet6,
    TabSheet7,
    TabSheet8,
    TabSheet9,
    TabSheet10,
};
inline constexpr int PageIdCount = 10;

struct PageRow {
    PageId id;
    const char* name; // object name of the page
};

const PageRow& PageRowOf(PageId id);
// Every page row, in PageId order (the order of the page control's tabs).
std::span<const PageRow> PageRows();
// The page of that object name; nothing for a name no page has.
std::optional<PageId> PageNamed(const char* name);
