#include "app/PageLookup.h"

#include "views/Page.h"
#include "views/PageControl.h"
#include "views/PageParts.h"


void PageLookup::Add(Page* page)
{
    Q_ASSERT(static_cast<int>(page->Id()) == added_);
    pages_[static_cast<std::size_t>(added_++)] = page;
    control_.addTab(page, QString());
}

Page& PageLookup::Of(PageId id) const { return *pages_[static_cast<std::size_t>(id)]; }

Page* PageLookup::Named(const char* name) const
{
    const std::optional<PageId> page = PageNamed(name);
    return page ? &Of(*page) : nullptr;
}

Page& PageLookup::ShowingFill(Fill fill) const
{
    Page* page = Named(FillRuleOf(fill).page);
    Q_ASSERT_X(page, "PageLookup::ShowingFill", FillRuleOf(fill).page);
    return *page;
}

QWidget* PageLookup::FocusOf(Fill fill) const
{
    const char* focus = FillRuleOf(fill).focus;
    if (!focus) return nullptr;
    if (const TableSpec* table = TableSpecNamed(focus)) return Grid(table->id);
    if (const FieldSpec* field = FieldSpecNamed(focus)) return Field(field->id);
    return nullptr;
}

RecordGrid* PageLookup::Grid(TableId table) const
{
    for (Page* page : pages_)
        if (RecordGrid* grid = page->Grid(table)) return grid;
    return nullptr;
}

QLineEdit* PageLookup::Field(FieldId field) const
{
    for (Page* page : pages_)
        if (QLineEdit* edit = page->Field(field)) return edit;
    return nullptr;
}

MaskEdit* PageLookup::MaskField(FieldId field) const
{
    for (Page* page : pages_)
        if (MaskEdit* edit = page->MaskField(field)) return edit;
    return nullptr;
}

std::vector<RecordGrid*> PageLookup::Grids() const
{
    std::vector<RecordGrid*> grids;
    for (Page* page : pages_) grids.insert(grids.end(), page->Grids().begin(), page->Grids().end());
    return grids;
}

std::vector<RecordGrid*> PageLookup::ShownGrids() const
{
    std::vector<RecordGrid*> shown;
    for (RecordGrid* grid : Grids())
        if (grid->isVisibleTo(&control_)) shown.push_back(grid);
    return shown;
}
