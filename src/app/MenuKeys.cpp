#include "app/MenuKeys.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QTimer>

namespace {

struct Mnemonic {
    const char* control; // a menu or an action of the menu bar
    char16_t russian;    // the letter marked in the Russian caption
    char16_t english;
};

// One letter per menu in each language, none of them twice.
constexpr Mnemonic Mnemonics[] = {
    {"MFile", u'Ф', u'F'}, {"MEdit", u'Р', u'E'}, {"MCmd", u'Д', u'C'},  {"N1", u'П', u'v'},
    {"MCfg", u'К', u'g'},  {"N6", u'О', u'A'},    {"MExit", u'В', u'x'},
};

// `caption` with '&' before the first occurrence of `letter` (either case).
QString WithMnemonic(QString caption, QChar letter)
{
    caption.remove(QLatin1Char('&'));
    const qsizetype at = caption.indexOf(letter, 0, Qt::CaseInsensitive);
    if (at >= 0) caption.insert(at, QLatin1Char('&'));
    return caption;
}

const QString ShortcutColumn = QStringLiteral("\t");

// The control that keeps the keyboard for `widget`: a table for the editor of one of its cells,
// which closes as the keyboard leaves it.
QWidget* KeyboardOwnerOf(QWidget* widget)
{
    for (QWidget* ancestor = widget; ancestor; ancestor = ancestor->parentWidget())
        if (auto* table = qobject_cast<QAbstractItemView*>(ancestor)) return table;
    return widget;
}

} // namespace

MenuKeys::MenuKeys(QMainWindow& window) : QObject(&window), window_(window)
{
    auto* openMenuBar = new QShortcut(QKeySequence(Qt::Key_F10), &window);
    connect(openMenuBar, &QShortcut::activated, this, [this] {
        QMenuBar* bar = window_.menuBar();
        for (QAction* menu : bar->actions())
            if (menu->isVisible() && menu->isEnabled() && menu->menu()) {
                bar->setActiveAction(menu);
                return;
            }
    });
    QMenuBar* bar = window.menuBar();
    // The keyboard passes to the menu bar directly or through a menu opened by its mnemonic.
    const auto isMenus = [bar](const QWidget* widget) { return widget == bar || qobject_cast<const QMenu*>(widget); };
    connect(qApp, &QApplication::focusChanged, this, [this, isMenus](QWidget* before, QWidget* now) {
        if (now && isMenus(now) && before && !isMenus(before) && before->window() == &window_)
            returnTo_ = KeyboardOwnerOf(before);
    });
    bar->installEventFilter(this);
    connect(bar, &QMenuBar::triggered, this, [this] { QTimer::singleShot(0, this, &MenuKeys::ReturnFocus); });
    AddChipShortcut("MCmd_Read", QKeySequence(Qt::CTRL | Qt::Key_R));
    AddChipShortcut("MCmd_Write", QKeySequence(Qt::CTRL | Qt::Key_W));
}

void MenuKeys::AddChipShortcut(const char* submenuName, const QKeySequence& key)
{
    QMenu* submenu = window_.findChild<QMenu*>(QString::fromLatin1(submenuName));
    auto* shortcut = new QAction(this);
    shortcut->setObjectName(QString::fromLatin1(submenuName) + QStringLiteral("_Shortcut"));
    shortcut->setShortcut(key);
    window_.addAction(shortcut);
    connect(shortcut, &QAction::triggered, this, [submenu] {
        // A disabled submenu runs nothing, as its items cannot be reached by the pointer either.
        if (!submenu->menuAction()->isEnabled()) return;
        if (QAction* target = ShortcutTarget(*submenu)) target->trigger();
    });
    connect(submenu, &QMenu::aboutToShow, this, [this, submenu, shortcut] { ShowShortcut(*submenu, *shortcut); });
}

bool MenuKeys::eventFilter(QObject* /*watched*/, QEvent* event)
{
    // Escape leaves the menu bar; the check follows once the menu bar has acted on the key.
    if (event->type() == QEvent::KeyPress) QTimer::singleShot(0, this, &MenuKeys::ReturnFocus);
    return false;
}

void MenuKeys::ReturnFocus()
{
    const QMenuBar* bar = window_.menuBar();
    if (bar->hasFocus() && !bar->activeAction() && returnTo_) returnTo_->setFocus(Qt::MenuBarFocusReason);
}

QAction* MenuKeys::ShortcutTarget(const QMenu& submenu)
{
    const QList<QAction*> items = submenu.actions();
    for (auto item = items.crbegin(); item != items.crend(); ++item)
        if ((*item)->isEnabled() && !(*item)->isSeparator()) return *item;
    return nullptr;
}

void MenuKeys::ShowShortcut(QMenu& submenu, QAction& shortcut)
{
    const QAction* target = ShortcutTarget(submenu);
    const QString keyText = shortcut.shortcut().toString(QKeySequence::NativeText);
    for (QAction* item : submenu.actions()) {
        const QString caption = item->text().section(ShortcutColumn, 0, 0);
        item->setText(item == target ? caption + ShortcutColumn + keyText : caption);
    }
}

void MenuKeys::ApplyMnemonics(Language language)
{
    for (const Mnemonic& mnemonic : Mnemonics) {
        const QChar letter = language == Language::Russian ? QChar(mnemonic.russian) : QChar(mnemonic.english);
        QObject* control = window_.findChild<QObject*>(QString::fromLatin1(mnemonic.control));
        if (auto* menu = qobject_cast<QMenu*>(control))
            menu->setTitle(WithMnemonic(menu->title(), letter));
        else if (auto* action = qobject_cast<QAction*>(control))
            action->setText(WithMnemonic(action->text(), letter));
    }
}
