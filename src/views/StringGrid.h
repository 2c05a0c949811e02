#pragma once
// A string grid as the pages use it: cells addressed (column, row) with the fixed header row 0
// and fixed column 0 counted in; a row count that includes the header row; one key handler that
// sees every key press and release, in the grid and in its in-place editor, before anything else
// acts on it, and may swallow it; one select-cell event for every change of the current cell.

#include "views/KeyPhase.h"

#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>

#include <functional>

class FocusTracker;
class StringGridDelegate;
class QKeyEvent;

class StringGrid : public QTableWidget {
    Q_OBJECT
public:
    // Returns true to swallow the key before the grid or the editor sees it.
    using KeyHandler = std::function<bool(QKeyEvent& event, KeyPhase phase)>;

    StringGrid(const QString& objectName, int columns, int rows, QWidget* parent = nullptr);
    ~StringGrid() override;

    QString Cell(int column, int row) const;
    void SetCell(int column, int row, const QString& text);

    // The current cell; never in the fixed row or column while the grid has other cells.
    int Col() const;
    int Row() const;
    void SelectCell(int column, int row);
    // The first cell current and the table scrolled to its top, as a new data set starts.
    void ResetView();

    // Starts a fill: the grid keeps its header row and one row, and the header gets `headers`.
    void BeginRows(const QStringList& headers);
    // Writes row 1 on the first call after BeginRows, afterwards raises the row count by one
    // and writes the new row.
    void AppendRow(const QStringList& cells);
    // Ends a fill: the current cell is where it was when it still exists. A fill reports no
    // select-cell event.
    void EndRows();

    void SetKeyHandler(KeyHandler handler) { keyHandler_ = std::move(handler); }
    // Cells other than the fixed ones start editing on a typed key or a double click.
    void SetEditable(bool editable);
    // The in-place editor while a cell is being edited, else nullptr.
    QLineEdit* InPlaceEditor() const { return editor_; }
    // Column widths that fit the `samples` texts (the last one for every further column);
    // returns the width that shows every column.
    int FitColumns(const QStringList& samples);

signals:
    void Entered();
    void Exited();
    void CellSelected(int column, int row);

protected:
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    friend class StringGridDelegate;
    bool IsFixed(const QModelIndex& index) const;
    bool HasFreeCells() const { return rowCount() > 1 && columnCount() > 1; }
    QTableWidgetItem* ItemAt(int column, int row);
    bool DeliverKey(QKeyEvent& event, KeyPhase phase);
    void EditorOpened(QLineEdit* editor) { editor_ = editor; }
    void EditorClosed() { editor_ = nullptr; }

    KeyHandler keyHandler_;
    QPointer<QLineEdit> editor_;
    FocusTracker* focus_;
    StringGridDelegate* delegate_;
    bool resendingToEditor_ = false; // the key that opened the editor is passed on, not handled twice
    bool firstRowPending_ = false;
    bool filling_ = false;
    QModelIndex currentBeforeFill_;
};
