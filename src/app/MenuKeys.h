#pragma once
// The keyboard's way into the window's commands: a mnemonic letter on every menu of the menu bar
// in both languages, F10 opening the menu bar, and shortcuts for reading and writing the chip
// of the current type. The shortcut of a chip submenu runs its last enabled item (the chip of
// the current type, listed after the older chip it may also read) and the menu shows it there.
// When the menu bar lets the keyboard go, the control that had it before gets it back, also
// when that was a table cell's editor that closed meanwhile.

#include "model/Language.h"

#include <QObject>
#include <QPointer>

class QAction;
class QEvent;
class QMainWindow;
class QMenu;

class MenuKeys : public QObject {
    Q_OBJECT
public:
    // `window` holds the menu bar with the menus MCmd_Read and MCmd_Write.
    explicit MenuKeys(QMainWindow& window);

    // Puts the mnemonic letters into the menu bar's captions, after the captions were applied.
    void ApplyMnemonics(Language language);
    // The item of the submenu that its shortcut runs now; nullptr when none is enabled.
    static QAction* ShortcutTarget(const QMenu& submenu);

private:
    // Shows `shortcut` beside the item it runs now, and beside no other item of the submenu.
    void ShowShortcut(QMenu& submenu, QAction& shortcut);
    void AddChipShortcut(const char* submenu, const QKeySequence& key);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Gives the keyboard back once the menu bar holds it without a menu being chosen.
    void ReturnFocus();

    QMainWindow& window_;
    QPointer<QWidget> returnTo_;
};
