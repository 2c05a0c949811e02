#pragma once
// The text in the page area while no data set is shown: what to do first.

#include "model/Language.h"

#include <QLabel>

class StartHint : public QLabel {
    Q_OBJECT
public:
    // Shown exactly while `pages` is hidden.
    StartHint(QWidget& pages, QWidget* parent);

    void ApplyLanguage(Language language);

private:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
