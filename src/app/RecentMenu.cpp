#include "app/RecentMenu.h"

#include "app/DocumentCommands.h"

#include <QAction>
#include <QDir>
#include <QMenu>

RecentMenu::RecentMenu(QMenu& menu, DocumentCommands& documents) : menu_(menu), documents_(documents)
{
    for (int place = 0; place < RecentFiles::Capacity; ++place) {
        QAction* item = menu_.addAction(QString());
        item->setObjectName(QStringLiteral("MRecent_%1").arg(place + 1));
        // The file is looked up when chosen: opening it reorders the list under the item.
        QObject::connect(item, &QAction::triggered, &menu_, [this, place] {
            const QList<RecentFile>& files = documents_.Recent().Files();
            if (place < files.size()) documents_.OpenRecent(RecentFile(files[place]));
        });
        items_.append(item);
    }
    Refill();
}

void RecentMenu::Refill()
{
    const QList<RecentFile>& files = documents_.Recent().Files();
    for (qsizetype place = 0; place < items_.size(); ++place) {
        QAction* item = items_[place];
        item->setVisible(place < files.size());
        if (place >= files.size()) continue;
        // "&1 /home/…/house.kvr": the digit chooses it from the keyboard; a '&' of the name is shown as is.
        QString name = QDir::toNativeSeparators(files[place].path);
        name.replace(QLatin1Char('&'), QStringLiteral("&&"));
        item->setText(QStringLiteral("&%1 %2").arg(place + 1).arg(name));
    }
    menu_.setEnabled(!files.isEmpty());
}
