#pragma once
// A string grid as the pages use it: cells addressed (column, row) with the fixed header row 0
// and fixed column 0 counted in; a row count that includes the header row; one key handler that
// sees every key press and release, in the grid and in its in-place editor, and may swallow it.

#include <QLineEdit>
#include <QPointer>
#include <QTableWidget>

#include <functional>

class QKeyEvent;

enum class KeyPhase { Press, Release };

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

    // Starts a fill: the grid keeps its header row and one row, and the header gets `headers`.
    void BeginRows(const QStringList& headers);
    // Writes row 1 on the first call after BeginRows, afterwards raises the row count by one
    // and writes the new row.
    void AppendRow(const QStringList& cells);

    void SetKeyHandler(KeyHandler handler) { keyHandler_ = std::move(handler); }
    // Cells other than the fixed ones start editing on a typed key or a double click.
    void SetEditable(bool editable);
    // The in-place editor while a cell is being edited, else nullptr.
    QLineEdit* InPlaceEditor() const { return editor_; }

signals:
    void Entered();
    void Exited();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;

private:
    friend class StringGridDelegate;
    void AttachEditor(QLineEdit* editor);
    QTableWidgetItem* ItemAt(int column, int row);
    bool DeliverKey(QKeyEvent& event, KeyPhase phase);

    KeyHandler keyHandler_;
    QPointer<QLineEdit> editor_;
    bool resendingToEditor_ = false; // the key that opened the editor is passed on, not handled twice
    bool firstRowPending_ = false;
    bool hasFocusInside_ = false;
};
