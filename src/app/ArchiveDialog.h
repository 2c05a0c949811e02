#pragma once
// File > Archive...: the chip archive's entries, newest first, found by note and controller type.
// An entry opens as a new unsaved document, is saved as a dump, goes back to a chip, takes a
// note, or is deleted after a question; two entries, or an entry and the document, are compared
// in a list whose rows select the cell on the page.

#include "app/ArchiveComparison.h"
#include "model/Language.h"

#include <QDialog>

#include <functional>

class ArchiveEntryModel;
class DifferenceList;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

struct ArchiveDialogHost {
    ChipArchive& archive;
    Prompts& prompts;
    Language language;
    const IntercomStore& document;
    // The page control: where a difference's control is found and selected.
    QWidget& pages;
    std::function<std::optional<TDeviceType>()> documentType;
    // False when the entry did not open as a document (said).
    std::function<bool(const ArchiveEntry&, const QByteArray&)> openAsDocument;
    std::function<void(const ArchiveEntry&, const QByteArray&)> restore;
};

class ArchiveDialog : public QDialog {
    Q_OBJECT
public:
    ArchiveDialog(ArchiveDialogHost host, QWidget* parent = nullptr);

    // Reads the entries again through the filters.
    void Refresh();
    void OpenEntry();
    void SaveEntry();
    void RestoreEntry();
    void SaveNote();
    void DeleteEntry();
    void CompareEntries();
    void CompareWithTheDocument();
    // The difference's control selected on the page, when the page shows it.

private:
    QList<ArchiveEntry> SelectedEntries() const;
    // The one selected entry's image; nothing (and said) when it cannot be had.
    std::optional<std::pair<ArchiveEntry, QByteArray>> SelectedImage();
    std::optional<QByteArray> ImageOf(const ArchiveEntry& entry);
    void SelectionChanged();
    void ShowComparison(const Comparison& comparison);
    void ShowFailure(const QString& text);
    QPushButton* AddButton(const char* name, const Bilingual& caption, void (ArchiveDialog::*action)());

    ArchiveDialogHost host_;
    ArchiveEntryModel* model_ = nullptr;
    QLineEdit* noteFilter_ = nullptr;
    QLineEdit* typeFilter_ = nullptr;
    QTableView* entries_ = nullptr;
    QLineEdit* noteText_ = nullptr;
    DifferenceList* differences_ = nullptr;
    QLabel* status_ = nullptr;
    QList<QPushButton*> oneEntryButtons_;
    QPushButton* compareButton_ = nullptr;
};
