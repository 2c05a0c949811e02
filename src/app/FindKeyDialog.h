#pragma once
// Edit > Find key: six hexadecimal characters typed, or a key presented to a running reader,
// list every place of the record that holds the key, in the terms of the current page; choosing
// a place selects its cell on the page, or the master-key field, and closes the dialog.

#include "documents/KeyFinder.h"
#include "model/KeyIdentifier.h"

#include <QDialog>

#include <vector>

class PageLookup;
class QLabel;
class QLineEdit;
class QListWidget;
class Session;

class FindKeyDialog : public QDialog {
    Q_OBJECT
public:
    FindKeyDialog(Session& session, const PageLookup& pages, QWidget* parent);

    // Shows the dialog for the current page, with `key` in the box when given.
    void Open(std::optional<KeyBytes> key = std::nullopt);
    // A key from a reader while the dialog is open goes into the box.
    void TakeKey(KeyBytes key);

private:
    KeyTextOrder Order() const;
    void ApplyLanguage();
    void Search();
    void ShowPlace(int row);

    Session& session_;
    const PageLookup& pages_;
    QLabel* prompt_;
    QLineEdit* keyBox_;
    QListWidget* placeList_;
    QLabel* summary_;
    std::vector<KeyPlace> places_;
};
