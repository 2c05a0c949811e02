#include "app/DifferenceList.h"

#include "views/StringGrid.h"

namespace {

constexpr Bilingual NoDifferences{"Различий нет", "No differences"};
constexpr Bilingual NotOnPage{"Это место не показано на текущей странице.",
                              "The current page does not show this place."};

} // namespace

DifferenceList::DifferenceList(QWidget& pages, QWidget* parent) : QListWidget(parent), pages_(pages)
{
    connect(this, &QListWidget::itemActivated, this, &DifferenceList::SelectPlace);
}

void DifferenceList::Show(const Comparison& comparison, Language language)
{
    clear();
    language_ = language;
    rows_ = comparison.rows;
    if (!comparison.refusal.isEmpty())
        addItem(comparison.refusal);
    else if (rows_.isEmpty())
        addItem(NoDifferences.in(language));
    for (const ComparisonRow& row : rows_) addItem(row.text);
}

void DifferenceList::SelectPlace(QListWidgetItem* row)
{
    // The message rows come first and stand for no difference.
    const int index = this->row(row) - (count() - int(rows_.size()));
    if (index < 0 || !rows_[index].item) return;
    const DifferenceItem& item = *rows_[index].item;
    // Configuration boxes and spin edits have no id of their own: their object name is the place.
    auto* control = pages_.findChild<QWidget*>(QLatin1String(item.place));
    if (!control || !control->isVisible()) {
        emit NotShown(NotOnPage.in(language_));
        return;
    }
    if (auto* grid = qobject_cast<StringGrid*>(control); grid && item.cell.row >= 0)
        grid->SelectCell(item.cell.column, item.cell.row);
    control->setFocus();
}
