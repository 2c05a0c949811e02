#include "app/ArchiveEntryModel.h"

#include <array>

namespace {

constexpr std::array<Bilingual, ArchiveEntryModel::ColumnCount> Headers{{
    {"Время", "Time"},
    {"Микросхема", "Chip"},
    {"Тип домофона", "Controller type"},
    {"Откуда", "Source"},
    {"Заметка", "Note"},
    {"Файл", "File"},
}};

struct SourceWords {
    const QString& source;
    Bilingual words;
};

} // namespace

QString SourceText(const QString& source, Language language)
{
    const SourceWords table[] = {
        {ArchiveSource::Read, {"чтение", "read"}},
        {ArchiveSource::BeforeWrite, {"перед записью", "before a write"}},
        {ArchiveSource::ProgrammerMode, {"режим программатора", "programmer mode"}},
        {ArchiveSource::CliRead, {"kavro-cli, чтение", "kavro-cli, read"}},
        {ArchiveSource::CliBeforeWrite, {"kavro-cli, перед записью", "kavro-cli, before a write"}},
    };
    for (const SourceWords& row : table)
        if (row.source == source) return row.words.in(language);
    return source;
}

void ArchiveEntryModel::setEntries(QList<ArchiveEntry> entries)
{
    beginResetModel();
    entries_ = std::move(entries);
    endResetModel();
}

QVariant ArchiveEntryModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::ToolTipRole)) return {};
    const ArchiveEntry& shown = entries_[index.row()];
    switch (index.column()) {
    case Time: return shown.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case Chip: return shown.chip;
    case Type: return shown.type;
    case Source: return SourceText(shown.source, language_);
    case Note: return shown.note;
    case File: return shown.file;
    default: return {};
    }
}

QVariant ArchiveEntryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount) return {};
    return Headers[std::size_t(section)].in(language_);
}
