#include "views/Page.h"

#include "model/TextForms.h"
#include "views/FocusTracker.h"
#include "views/MaskEdit.h"
#include "views/PageParts.h"

#include <QGridLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

namespace {

template <typename Control>
Control* Find(const std::vector<std::pair<FieldId, Control*>>& controls, FieldId field)
{
    for (const auto& [id, control] : controls)
        if (id == field) return control;
    return nullptr;
}

} // namespace

Page::Page(PageId id, Session& session, QWidget* parent)
        : QWidget(parent), session_(session), id_(id), scroll_(new QScrollArea(this)), content_(new QWidget)
{
    setObjectName(QString::fromLatin1(PageRowOf(id).name));
    scroll_->setWidgetResizable(true);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidget(content_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroll_);
}

void Page::StartDataSet()
{
    for (RecordGrid* grid : grids_) grid->ResetView();
    scroll_->verticalScrollBar()->setValue(0);
    scroll_->horizontalScrollBar()->setValue(0);
}

RecordGrid* Page::Grid(TableId table) const
{
    for (RecordGrid* grid : grids_)
        if (grid->Spec().id == table) return grid;
    return nullptr;
}

QLineEdit* Page::Field(FieldId field) const { return Find(fields_, field); }

MaskEdit* Page::MaskField(FieldId field) const { return Find(maskFields_, field); }

RecordGrid* Page::AddGrid(TableId table, QWidget* parent)
{
    auto* grid = new RecordGrid(TableSpecOf(table), session_, parent);
    grids_.push_back(grid);
    return grid;
}

MaskEdit* Page::AddMaskField(QGridLayout& layout, int row, FieldId field, const char* label, QWidget* parent)
{
    const FieldSpec& spec = FieldSpecOf(field);
    auto* edit = new MaskEdit(QString::fromLatin1(spec.name),
                              spec.digits == 4 ? MaskEdit::Digits::Four : MaskEdit::Digits::Two, parent);
    layout.addWidget(NamedLabel(label, parent), row, 0);
    layout.addWidget(edit, row, 1);
    fields_.emplace_back(field, edit);
    maskFields_.emplace_back(field, edit);
    return edit;
}

QLineEdit* Page::AddKeyField(FieldId field, InputTargetFamily family, int target, QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(FieldSpecOf(field).name));
    edit->setReadOnly(true);
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("DD DD DD")) + 24);
    auto* focus = new FocusTracker(*edit);
    connect(focus, &FocusTracker::Entered, edit, [this, family, target] { session_.Targets()[family] = target; });
    fields_.emplace_back(field, edit);
    return edit;
}

void Page::ShowFields()
{
    for (const auto& [id, field] : fields_) field->setText(FieldText(session_.Store().Record, FieldSpecOf(id)));
}
