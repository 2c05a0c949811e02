#pragma once
// The real window with a new document of one type, driven by keystrokes as a user's keyboard
// delivers them: each press goes to the focused widget and its release to the widget focused
// after it (a grid's first typed key opens the cell editor, which takes the focus).

#include "app/WindowSession.h"

#include "views/MaskEdit.h"
#include "views/StringGrid.h"

#include <QApplication>

class EditingSession : public WindowSession {
public:
    explicit EditingSession(TDeviceType type, bool smallIButton = false)
    {
        ConnectProgrammer();
        form->SelectTypeSilently(type);
        form->ANewExecute();
        if (smallIButton) { // the G300 page shows its DS1995 variant, as after reading a DS1995
            form->SetSmallIButton(true);
            form->ShowDataSet();
        }
        if (!QTest::qWaitForWindowActive(form.get())) qWarning("the window did not become active");
    }

    // The touch-memory reader runs, as after a click on its button.
    void StartReader()
    {
        Find<QToolButton>("ToolButton5")->click();
        if (!Find<QToolButton>("ToolButton5")->isChecked()) qWarning("the reader did not start");
    }

    StringGrid* Grid(const char* name) const { return Find<StringGrid>(name); }
    // The user clicks into `grid` from another control, onto cell (column, row).
    void ClickInto(StringGrid* grid, int column, int row)
    {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualItemRect(grid->item(row, column)).center());
    }
    // The table has the focus with the cursor on (column, row), as after moving there.
    void Focus(StringGrid* grid, int column, int row)
    {
        grid->setFocus();
        grid->SelectCell(column, row);
    }

    static void Stroke(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier, const QString& text = {})
    {
        QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
        QApplication::sendEvent(QApplication::focusWidget(), &press);
        QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
        QApplication::sendEvent(QApplication::focusWidget(), &release);
    }
    // Each character typed with its own key: digits and letters by their keys, as typed.
    static void Type(const QString& text)
    {
        for (const QChar character : text) {
            const QChar upper = character.toUpper();
            const int key = upper.isDigit() ? Qt::Key_0 + upper.digitValue() : Qt::Key_A + (upper.unicode() - 'A');
            Stroke(key, Qt::NoModifier, QString(character));
        }
    }
};
