#include "views/StringGrid.h"

#include "views/FocusTracker.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyledItemDelegate>

// The grid's own editor: its key events reach the grid's key handler before the delegate acts
// on them (Escape, Tab and Enter close the editor there), and a closed editor is forgotten at once.
class StringGridDelegate : public QStyledItemDelegate {
public:
    explicit StringGridDelegate(StringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    // The grid is being torn down; the view may still close its editor after this.
    void Detach() { grid_ = nullptr; }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor); line && grid_) grid_->EditorOpened(line);
        return editor;
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override
    {
        if (grid_ && editor == grid_->editor_) grid_->EditorClosed();
        QStyledItemDelegate::destroyEditor(editor, index);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (grid_ && watched == grid_->editor_ && !grid_->resendingToEditor_) {
            if (event->type() == QEvent::KeyPress &&
                grid_->DeliverKey(*static_cast<QKeyEvent*>(event), KeyPhase::Press))
                return true;
            if (event->type() == QEvent::KeyRelease &&
                grid_->DeliverKey(*static_cast<QKeyEvent*>(event), KeyPhase::Release))
                return true;
        }
        return QStyledItemDelegate::eventFilter(watched, event);
    }

private:
    StringGrid* grid_;
};

StringGrid::StringGrid(const QString& objectName, int columns, int rows, QWidget* parent)
        : QTableWidget(rows, columns, parent), focus_(new FocusTracker(*this))
{
    setObjectName(objectName);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    delegate_ = new StringGridDelegate(this);
    setItemDelegate(delegate_);
    SetEditable(false);
    connect(focus_, &FocusTracker::Entered, this, &StringGrid::Entered);
    connect(focus_, &FocusTracker::Exited, this, &StringGrid::Exited);
}

// What the widget tears down after this (its editor, the focus leaving it) no longer reaches the
// grid's own parts.
StringGrid::~StringGrid()
{
    delegate_->Detach();
    delete focus_;
}

void StringGrid::SetEditable(bool editable)
{
    setEditTriggers(editable ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                                   QAbstractItemView::EditKeyPressed
                             : QAbstractItemView::NoEditTriggers);
}

int StringGrid::FitColumns(const QStringList& samples)
{
    const QFontMetrics metrics = fontMetrics();
    const int padding = 16;
    int width = 2 * frameWidth() + style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2;
    for (int column = 0; column < columnCount(); ++column) {
        setColumnWidth(column,
                       metrics.horizontalAdvance(samples.value(column, samples.value(samples.size() - 1))) + padding);
        width += columnWidth(column);
    }
    return width;
}

bool StringGrid::IsFixed(const QModelIndex& index) const { return index.row() == 0 || index.column() == 0; }

QTableWidgetItem* StringGrid::ItemAt(int column, int row)
{
    QTableWidgetItem* cell = item(row, column);
    if (cell) return cell;
    cell = new QTableWidgetItem;
    if (row == 0 || column == 0) {
        cell->setFlags(Qt::ItemIsEnabled);
        cell->setBackground(palette().button());
    }
    setItem(row, column, cell);
    return cell;
}

QString StringGrid::Cell(int column, int row) const
{
    if (editor_ && column == Col() && row == Row()) return editor_->text();
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void StringGrid::SetCell(int column, int row, const QString& text)
{
    if (column < 0 || row < 0 || column >= columnCount() || row >= rowCount()) return;
    if (editor_ && column == Col() && row == Row()) editor_->setText(text);
    ItemAt(column, row)->setText(text);
}

int StringGrid::Col() const { return HasFreeCells() ? qMax(1, currentColumn()) : currentColumn(); }
int StringGrid::Row() const { return HasFreeCells() ? qMax(1, currentRow()) : currentRow(); }

void StringGrid::SelectCell(int column, int row)
{
    const int first = HasFreeCells() ? 1 : 0;
    setCurrentCell(qBound(first, row, rowCount() - 1), qBound(first, column, columnCount() - 1));
}

void StringGrid::ResetView()
{
    SelectCell(1, 1);
    scrollToTop();
    horizontalScrollBar()->setValue(0);
}

void StringGrid::BeginRows(const QStringList& headers)
{
    if (!filling_) currentBeforeFill_ = currentIndex();
    filling_ = true;
    setRowCount(2);
    for (int column = 0; column < columnCount(); ++column) SetCell(column, 0, headers.value(column));
    firstRowPending_ = true;
}

void StringGrid::AppendRow(const QStringList& cells)
{
    if (!firstRowPending_) setRowCount(rowCount() + 1);
    firstRowPending_ = false;
    const int row = rowCount() - 1;
    for (int column = 0; column < columnCount(); ++column) SetCell(column, row, cells.value(column));
}

void StringGrid::EndRows()
{
    const QModelIndex before = currentBeforeFill_;
    if (before.isValid() && before.row() < rowCount() && before.column() < columnCount())
        setCurrentCell(before.row(), before.column());
    filling_ = false;
}

bool StringGrid::DeliverKey(QKeyEvent& event, KeyPhase phase)
{
    if (!keyHandler_ || !keyHandler_(event, phase)) return false;
    event.accept();
    return true;
}

// Keys reach the handler here, before the view's own use of them: Tab and Backtab would
// otherwise move the cursor without a key event.
bool StringGrid::event(QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        if (DeliverKey(*static_cast<QKeyEvent*>(event), KeyPhase::Press)) return true;
        // With "any key starts editing" the view opens the editor and sends it this same key;
        // the handler has seen it already.
        resendingToEditor_ = true;
        const bool handled = QTableWidget::event(event);
        resendingToEditor_ = false;
        return handled;
    }
    if (event->type() == QEvent::KeyRelease && DeliverKey(*static_cast<QKeyEvent*>(event), KeyPhase::Release))
        return true;
    return QTableWidget::event(event);
}

// A click on a label cell gives the grid the focus and leaves the current cell where it is.
void StringGrid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && IsFixed(index) && HasFreeCells()) {
        setFocus(Qt::MouseFocusReason);
        event->accept();
        return;
    }
    QTableWidget::mousePressEvent(event);
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->position().toPoint());
    if (index.isValid() && IsFixed(index) && HasFreeCells()) {
        event->accept();
        return;
    }
    QTableWidget::mouseDoubleClickEvent(event);
}

void StringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // Whatever moved it (a drag, a removed row, the program), the cursor stays off the labels.
    if (current.isValid() && IsFixed(current) && HasFreeCells()) {
        setCurrentIndex(model()->index(qMax(1, current.row()), qMax(1, current.column())));
        return;
    }
    QTableWidget::currentChanged(current, previous);
    if (!filling_ && current.isValid()) emit CellSelected(current.column(), current.row());
}

QModelIndex StringGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // The fixed row and column are labels: the cursor stays in the cells below and beside them.
    const QModelIndex target = QTableWidget::moveCursor(action, modifiers);
    if (!target.isValid() || !HasFreeCells()) return target;
    return model()->index(qMax(1, target.row()), qMax(1, target.column()));
}
