#pragma once
// Undo and redo in the window. The record is compared with the state kept last after every key
// and mouse input of the window and every edit a command announces; the comparisons are
// coalesced into one, run once the event loop is idle, so that a command's whole change is one
// step. A new data set (New, Open, a chip read, the type list) starts a new history; a written
// document is the saved state, and undoing or redoing back to it leaves the document unmodified.

#include "model/RecordHistory.h"

#include <QObject>

#include <functional>

class DocumentCommands;
class PageLookup;
class QAction;
class QTimer;
class QWidget;
class Session;

struct EditHistoryHost {
    Session& session;
    const PageLookup& pages;
    DocumentCommands& documents;
    QAction& undo;
    QAction& redo;
    // Shows the restored record: its type's page, filled again.
    std::function<void()> showRecord;
};

class EditHistory : public QObject {
    Q_OBJECT
public:
    static constexpr int Steps = 200;

    // Watches the input events of `window` and the session's edits.
    EditHistory(EditHistoryHost host, QWidget& window);

    // The record is a new data set: the history starts again from it. `saved` says whether it is
    // what the file holds; unset, the history starts once the command is done, saved when the
    // document is unmodified then (a chip read marks it modified after showing it).
    void Start(std::optional<bool> saved = std::nullopt);
    // The document was written: the current state is the saved one.
    void MarkSaved();
    // Runs `command` (a conversion of the shown data) as a step of the history, not a new data set.
    void AsOneStep(const std::function<void()>& command);

    void Undo();
    void Redo();

    const RecordHistory& History() const { return history_; }

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Compares the record soon, once the events being handled are done.
    void Schedule();
    // The pending start or comparison, now.
    void Settle();
    void Restored(const std::optional<ChangedRange>& range);
    void UpdateActions();

    EditHistoryHost host_;
    QWidget& window_;
    RecordHistory history_{Steps};
    QTimer* settle_;
    bool startPending_ = false;
    bool undoneToSaved_ = false; // undo or redo reached the saved state, and nothing changed since
    bool inCommand_ = false;
};
