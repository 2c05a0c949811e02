#pragma once
// One page of the page control: it builds its own widgets and fills them from the record. Its
// content scrolls when the window is smaller than the page. It answers for the grids and fields
// it built by their ids, so no one looks for them by object name.

#include "app/Session.h"
#include "model/FieldSpecs.h"
#include "model/PageIds.h"
#include "model/TableSpecs.h"
#include "model/ControllerTypes.h"

#include <QScrollArea>
#include <QWidget>

#include <span>
#include <utility>
#include <vector>

class MaskEdit;
class QGridLayout;
class QLineEdit;
class RecordGrid;

class Page : public QWidget {
    Q_OBJECT
public:
    Page(PageId id, Session& session, QWidget* parent = nullptr);

    PageId Id() const { return id_; }
    // Copies the record into the page's controls in the current language; writes nothing back.
    virtual void RunFill(Fill) {}
    // Another data set becomes current: the page forgets what it showed of the previous one
    // (picks that live only on the page, the scroll position, the current cells).
    virtual void StartDataSet();

    // The page's grid of that table, its field (masked or master key) and its masked field;
    // nullptr when the page has none.
    RecordGrid* Grid(TableId table) const;
    QLineEdit* Field(FieldId field) const;
    MaskEdit* MaskField(FieldId field) const;
    std::span<RecordGrid* const> Grids() const { return grids_; }

protected:
    // The widget the page's controls are built into.
    QWidget* Content() const { return content_; }

    // A grid over the table's spec.
    RecordGrid* AddGrid(TableId table, QWidget* parent);
    // A masked field with its label in column 0 and the field in column 1 of `layout` at `row`.
    MaskEdit* AddMaskField(QGridLayout& layout, int row, FieldId field, const char* label, QWidget* parent);
    // A read-only field showing the master key; typing does not change it. Entering it sets
    // `target` of `family`.
    QLineEdit* AddKeyField(FieldId field, InputTargetFamily family, int target, QWidget* parent);
    // Every field of the page shows its record value as its field spec gives it.
    void ShowFields();

    Session& session_;

private:
    const PageId id_;
    QScrollArea* scroll_;
    QWidget* content_;
    std::vector<RecordGrid*> grids_;
    std::vector<std::pair<FieldId, QLineEdit*>> fields_;
    std::vector<std::pair<FieldId, MaskEdit*>> maskFields_;
};
