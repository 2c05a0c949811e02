#pragma once
// The pages of the page control by their ids, and the grids and fields they answer for: key
// capture, the report, the editors and the status line reach the controls through it.

#include "model/FieldSpecs.h"
#include "model/PageIds.h"
#include "model/TableSpecs.h"
#include "model/PageDispatch.h"

#include <array>
#include <vector>

class MaskEdit;
class Page;
class PageControl;
class QLineEdit;
class QWidget;
class RecordGrid;

class PageLookup {
public:
    explicit PageLookup(PageControl& control) : control_(control) {}

    PageControl& Control() const { return control_; }
    // Adds the page to the page control as its next tab; the pages come in PageId order.
    void Add(Page* page);
    Page& Of(PageId id) const;
    // The page of that object name, as the fill and conversion rules name it; nullptr for none.
    Page* Named(const char* name) const;
    // The page a fill shows.
    Page& ShowingFill(Fill fill) const;
    // The control a fill gives the input focus; nullptr when it gives none.
    QWidget* FocusOf(Fill fill) const;

    // The grid or field on whichever page holds it (each is on one page only).
    RecordGrid* Grid(TableId table) const;
    QLineEdit* Field(FieldId field) const;
    MaskEdit* MaskField(FieldId field) const;
    // Every grid of every page.
    std::vector<RecordGrid*> Grids() const;
    // The grids of the page the user sees.
    std::vector<RecordGrid*> ShownGrids() const;

private:
    PageControl& control_;
    std::array<Page*, PageIdCount> pages_{};
    int added_ = 0;
};
