#pragma once
// The keyboard editors of the tables and fields that take typing, each built on its control of the
// pages; an entry begun in one data set is dropped when the next one becomes current.

#include "editing/TableEditor.h"

#include <vector>

class FieldEditor;
class PageLookup;
class Session;

class PageEditors {
public:
    PageEditors(const PageLookup& pages, Session& session);

    // Typing begun in a field or cell of the previous data set never reaches the new one.
    void AbandonEntries();

private:
    CellFocusState cellFocus_; // shared by the apartment tables with codes
    // Owned by their controls.
    std::vector<TableEditor*> tables_;
    std::vector<FieldEditor*> fields_;
};
