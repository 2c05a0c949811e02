#pragma once
// The key list pages: LMR 700 (TabSheet2), LMR 70х-2680 (TabSheet8) and PKU-630XE (TabSheet10).
// One continuous list of keys, and on the LMR pages a guard key table and the master key field.

#include "views/Page.h"

#include <optional>
#include <span>

class RecordGrid;
struct LabelText;

struct KeyListPageSpec {
    PageId page;
    TableId list;                     // the list table
    std::optional<TableId> guardKeys; // the guard key table
    std::optional<FieldId> masterKey; // the master key field
    InputTargetFamily family;
    std::span<const LabelText> labels; // written by every fill
    const char* fixedCaptionLabel;     // a caption that never changes; nullptr for none
    const char* fixedCaption;
};

class KeyListPage : public Page {
    Q_OBJECT
public:
    KeyListPage(const KeyListPageSpec& spec, Session& session, QWidget* parent = nullptr);

    // ShowLMR702Page, ShowLMR70x_2680Page or ShowPKU630XEPage, by the page it is.
    void RunFill(Fill fill) override;

    static const KeyListPageSpec& LMR702();
    static const KeyListPageSpec& LMR70x2680();
    static const KeyListPageSpec& PKU630XE();

private:
    const KeyListPageSpec& spec_;
    RecordGrid* list_;
    RecordGrid* guardKeys_ = nullptr;
};
