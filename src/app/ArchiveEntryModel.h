#pragma once
// The archive's entries as the rows of a table: time, chip, type, source, note and file. Texts are
// made when a row is painted, so ten thousand entries show at once.

#include "archive/ChipArchive.h"

#include <QAbstractTableModel>

class ArchiveEntryModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { Time, Chip, Type, Source, Note, File, ColumnCount };

    explicit ArchiveEntryModel(Language language, QObject* parent = nullptr)
            : QAbstractTableModel(parent), language_(language)
    {
    }

    void setEntries(QList<ArchiveEntry> entries);
    const ArchiveEntry& entry(int row) const { return entries_[row]; }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(entries_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : ColumnCount; }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<ArchiveEntry> entries_;
    Language language_;
};

// Where an entry came from, in words of `language`.
QString SourceText(const QString& source, Language language);
