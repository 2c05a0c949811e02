#pragma once
// File > Recent files: the last files opened or saved, newest first, each opened as File > Open
// opens a chosen file.

#include <QList>

class DocumentCommands;
class QAction;
class QMenu;

class RecentMenu {
public:
    // One item per place of the list, named MRecent_1 to MRecent_8.
    RecentMenu(QMenu& menu, DocumentCommands& documents);

    // Shows the list again; the menu is disabled while it is empty.
    void Refill();

private:
    QMenu& menu_;
    DocumentCommands& documents_;
    QList<QAction*> items_;
};
