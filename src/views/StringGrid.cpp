#include "views/StringGrid.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QApplication>
#include <QStyledItemDelegate>

// Installs the grid's key filter on every in-place editor it creates.
class StringGridDelegate : public QStyledItemDelegate {
public:
    explicit StringGridDelegate(StringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* line = qobject_cast<QLineEdit*>(editor)) grid_->AttachEditor(line);
        return editor;
    }

private:
    StringGrid* grid_;
};

StringGrid::StringGrid(const QString& objectName, int columns, int rows, QWidget* parent)
    : QTableWidget(rows, columns, parent)
{
    setObjectName(objectName);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegate(new StringGridDelegate(this));
    SetEditable(false);
}

void StringGrid::SetEditable(bool editable)
{
    setEditTriggers(editable ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked
                                   | QAbstractItemView::EditKeyPressed
                             : QAbstractItemView::NoEditTriggers);
}

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

int StringGrid::Col() const { return currentColumn(); }
int StringGrid::Row() const { return currentRow(); }

void StringGrid::SelectCell(int column, int row)
{
    setCurrentCell(qBound(0, row, rowCount() - 1), qBound(0, column, columnCount() - 1));
}

void StringGrid::BeginRows(const QStringList& headers)
{
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

bool StringGrid::DeliverKey(QKeyEvent& event, KeyPhase phase)
{
    if (!keyHandler_ || !keyHandler_(event, phase)) return false;
    event.accept();
    return true;
}

void StringGrid::keyPressEvent(QKeyEvent* event)
{
    if (DeliverKey(*event, KeyPhase::Press)) return;
    // With "any key starts editing" the view opens the editor and sends it this same key;
    // the handler has seen it already.
    resendingToEditor_ = true;
    QTableWidget::keyPressEvent(event);
    resendingToEditor_ = false;
}

void StringGrid::keyReleaseEvent(QKeyEvent* event)
{
    if (DeliverKey(*event, KeyPhase::Release)) return;
    QTableWidget::keyReleaseEvent(event);
}

void StringGrid::AttachEditor(QLineEdit* editor)
{
    editor_ = editor;
    editor->installEventFilter(this);
}

StringGrid::~StringGrid()
{
    // The editor may outlive this part of the grid while the widget tears down its children.
    if (editor_) editor_->removeEventFilter(this);
}

bool StringGrid::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == editor_ && event->type() == QEvent::FocusOut) {
        QWidget* next = QApplication::focusWidget();
        if (hasFocusInside_ && !(next && isAncestorOf(next))) {
            hasFocusInside_ = false;
            emit Exited();
        }
    }
    if (watched == editor_ && !resendingToEditor_) {
        if (event->type() == QEvent::KeyPress)
            return DeliverKey(*static_cast<QKeyEvent*>(event), KeyPhase::Press);
        if (event->type() == QEvent::KeyRelease)
            return DeliverKey(*static_cast<QKeyEvent*>(event), KeyPhase::Release);
    }
    return QTableWidget::eventFilter(watched, event);
}

// Focus moving between the grid and its own in-place editor neither enters nor exits the grid.
void StringGrid::focusInEvent(QFocusEvent* event)
{
    QTableWidget::focusInEvent(event);
    if (hasFocusInside_) return;
    hasFocusInside_ = true;
    emit Entered();
}

void StringGrid::focusOutEvent(QFocusEvent* event)
{
    QTableWidget::focusOutEvent(event);
    QWidget* next = QApplication::focusWidget();
    if (next && isAncestorOf(next)) return;
    hasFocusInside_ = false;
    emit Exited();
}

QModelIndex StringGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    // The fixed row and column are labels: the cursor stays in the cells below and beside them.
    const QModelIndex target = QTableWidget::moveCursor(action, modifiers);
    if (!target.isValid() || rowCount() < 2 || columnCount() < 2) return target;
    return model()->index(qMax(1, target.row()), qMax(1, target.column()));
}
