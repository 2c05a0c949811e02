#pragma once
// File > Compare with: the document compared with a data file, a chip dump, or the chip itself
// (read and kept in the archive first), in the terms of the type's page. The differences show in a
// window of their own whose rows select the cell they name.

#include "app/ArchiveComparison.h"
#include "programmer/Chips.h"

#include <QDialog>

#include <vector>

class ChipCommands;
class DifferenceList;
class DocumentCommands;
class QLabel;
class QMenu;
class Session;
struct Layout;

class ComparisonWindow : public QDialog {
    Q_OBJECT
public:
    ComparisonWindow(QWidget& pages, QWidget* parent);
    void Show(const QString& heading, const Comparison& comparison, Language language);

private:
    QLabel* heading_;
    DifferenceList* differences_;
    QLabel* status_;
};

class CompareCommands {
public:
    CompareCommands(Session& session, DocumentCommands& documents, ChipCommands& chips, QWidget& pages,
                    QWidget& window);

    void CompareWithFile();
    void CompareWithChip(const ChipItem& item);
    // The read items of the chips that hold the current type's data: what Compare with chip offers.
    std::vector<const ChipItem*> ComparableChips() const;
    // Fills Compare with chip with those chips, as the menu opens.
    void FillChipMenu(QMenu& menu);

private:
    // `image` decoded by `layout` over a copy of the document, so that what it does not hold is no
    // difference, then compared; damaged data are said.
    Comparison CompareImage(const QByteArray& image, const Layout& layout, bool ds1995) const;
    void Show(const QString& heading, const Comparison& comparison);

    Session& session_;
    DocumentCommands& documents_;
    ChipCommands& chips_;
    QWidget& pages_;
    QWidget& window_;
    ComparisonWindow* shown_ = nullptr;
};
