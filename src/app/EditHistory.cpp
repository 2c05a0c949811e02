#include "app/EditHistory.h"

#include "app/DocumentCommands.h"
#include "app/PlaceSelection.h"
#include "app/Session.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>

EditHistory::EditHistory(EditHistoryHost host, QWidget& window)
        : QObject(&window), host_(std::move(host)), window_(window), settle_(new QTimer(this))
{
    settle_->setSingleShot(true);
    settle_->setInterval(0);
    connect(settle_, &QTimer::timeout, this, &EditHistory::Settle);
    connect(&host_.session, &Session::ModifiedMarked, this, &EditHistory::Schedule);
    connect(&host_.undo, &QAction::triggered, this, &EditHistory::Undo);
    connect(&host_.redo, &QAction::triggered, this, &EditHistory::Redo);
    // The cell editors and dialogs come and go: the application's filter sees their input too.
    qApp->installEventFilter(this);
    Start(); // from the record as the window's start-up leaves it
    UpdateActions();
}

bool EditHistory::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyRelease:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
        if (auto* widget = qobject_cast<QWidget*>(watched); widget && widget->window() == &window_) Schedule();
        break;
    default: break;
    }
    return false;
}

void EditHistory::Schedule()
{
    if (!settle_->isActive()) settle_->start();
}

void EditHistory::Start(std::optional<bool> saved)
{
    if (inCommand_) return;
    startPending_ = !saved;
    if (startPending_) {
        Schedule();
        return;
    }
    history_.Start(host_.session.Store(), *saved);
    undoneToSaved_ = false;
    UpdateActions();
}

void EditHistory::Settle()
{
    settle_->stop();
    if (startPending_) {
        startPending_ = false;
        history_.Start(host_.session.Store(), !host_.documents.State().DataModified);
        undoneToSaved_ = false;
    } else if (history_.Record(host_.session.Store())) {
        undoneToSaved_ = false;
    } else if (undoneToSaved_) {
        // The page's rules mark the document on key events and field exits that change nothing,
        // the keys that undid the changes among them: the record still is what the file holds.
        host_.documents.SetModified(false);
    }
    UpdateActions();
}

void EditHistory::MarkSaved()
{
    Settle();
    history_.MarkSaved();
    undoneToSaved_ = false;
}

void EditHistory::AsOneStep(const std::function<void()>& command)
{
    Settle();
    inCommand_ = true;
    command();
    inCommand_ = false;
    Settle();
}

void EditHistory::Undo()
{
    Settle();
    Restored(history_.Undo(host_.session.Store()));
}

void EditHistory::Redo()
{
    Settle();
    Restored(history_.Redo(host_.session.Store()));
}

void EditHistory::Restored(const std::optional<ChangedRange>& range)
{
    if (!range) return;
    // A change no control shows (a configuration box) leaves the keyboard where it was, not on
    // the field the fill gives it to.
    const QPointer<QWidget> focus = QApplication::focusWidget();
    host_.showRecord();
    if (!SelectStoreOffset(host_.pages, range->first) && focus) focus->setFocus();
    undoneToSaved_ = history_.AtSavedState();
    host_.documents.SetModified(!undoneToSaved_);
    UpdateActions();
}

void EditHistory::UpdateActions()
{
    host_.undo.setEnabled(history_.CanUndo());
    host_.redo.setEnabled(history_.CanRedo());
}
