#pragma once
// A list of differences: each row says one in the page's terms, and activating a row selects the
// cell, field or box it names on the page, so the user sees it where it lives. Used by the archive
// window and by Compare with.

#include "app/ArchiveComparison.h"
#include "model/Language.h"

#include <QListWidget>

class DifferenceList : public QListWidget {
    Q_OBJECT
public:
    // `pages` holds the controls a difference names.
    DifferenceList(QWidget& pages, QWidget* parent = nullptr);

    // The comparison's rows, or why nothing was compared, or that nothing differs.
    void Show(const Comparison& comparison, Language language);

signals:
    // The activated row names a place the current page does not show; the text says so.
    void NotShown(const QString& text);

private:
    void SelectPlace(QListWidgetItem* row);

    QWidget& pages_;
    QList<ComparisonRow> rows_;
    Language language_ = Language::English;
};
