#pragma once
// The status bar's own line beside the device-change text: what the last command or key did,
// where the next captured key goes while a reader is on, the reader state and a mark while the
// document has unsaved changes. The device-change text keeps the bar's message place.

#include "app/Session.h"
#include "model/Language.h"

#include <QObject>
#include <QString>

#include <optional>

class QLabel;
class QStatusBar;

struct StatusFacts {
    ReaderState reader = ReaderState::Off;
    bool modified = false;
    // While a reader is on: the place the next captured key takes, or nothing when none does.
    std::optional<QString> keyTarget;
};

class StatusLine : public QObject {
    Q_OBJECT
public:
    explicit StatusLine(QStatusBar& bar);

    // What just happened: a stored or refused key, a chip command's outcome, the report's file.
    void ShowEvent(const QString& text);
    void Show(const StatusFacts& facts, Language language);
    // After a key refused as a duplicate: a link that shows where the copy is, until the next event.
    void OfferToShowDuplicate(Language language);
    bool DuplicateOffered() const;

signals:
    void ShowDuplicateRequested();

private:
    QLabel* AddLabel(QStatusBar& bar, const char* name);

    QLabel* event_;
    QLabel* keyTarget_;
    QLabel* reader_;
    QLabel* modified_;
    QLabel* duplicateOffer_;
};
