#pragma once
// The parts several pages are built from, each configured by a table: a grid over a table spec,
// a configuration group of check boxes, spin edits over record
// values, read-only key fields and the page's labels.

#include "model/TableSpecs.h"
#include "views/ConfigCheckBox.h"
#include "app/Session.h"
#include "views/SettingSpinEdit.h"
#include "views/StringGrid.h"

#include <QGroupBox>
#include <QLineEdit>

#include <span>
#include <vector>

class QLabel;

// A grid that shows the record as its table spec lays it out. Entering it makes it the receiver
// of captured keys of its page family.
class RecordGrid : public StringGrid {
    Q_OBJECT
public:
    RecordGrid(const TableSpec& spec, Session& session, QWidget* parent);

    const TableSpec& Spec() const { return spec_; }
    // Header in the current language and every row from the record; a growing table is rebuilt
    // row by row, a fixed one written in place. `extraColumn` gives the text of the column after
    // the keys (the hotel picks) per row.
    void Fill(const std::function<QString(int row)>& extraColumn = {});
    // Widths for labels, codes and keys; returns the width that shows every column.
    int FitToContent();

private:
    const TableSpec& spec_;
    Session& session_;
};

// A configuration group: one box per row of `boxes`, stacked in table order.
class ConfigGroup : public QGroupBox {
    Q_OBJECT
public:
    ConfigGroup(const char* name, std::span<const ConfigBoxTexts> boxes, Session& session, QWidget* parent);

    ConfigCheckBox* Box(const char* name) const;
    const std::vector<ConfigCheckBox*>& Boxes() const { return boxes_; }
    // Every box from its bit, in the order of `order` (object names); all of them in table order
    // when `order` is empty.
    void ShowFromRecord(std::span<const char* const> order = {});

private:
    std::vector<ConfigCheckBox*> boxes_;
};

struct LabelText {
    const char* name; // a QLabel or a QGroupBox of the page
    Bilingual text;
};
// Writes each label (or group title) in `language`.
void WriteLabels(QWidget& page, std::span<const LabelText> labels, Language language);

QLabel* NamedLabel(const char* name, QWidget* parent);


struct SpinSpec {
    const char* name;
    SettingSpinEdit::Range range;
    SettingSpinEdit::Input input;
    SpinValue value;
};
// A spin edit over its record value; a change by the user stores the value and marks the
// document modified.
SettingSpinEdit* MakeSpinEdit(const SpinSpec& spec, Session& session, QWidget* parent);
