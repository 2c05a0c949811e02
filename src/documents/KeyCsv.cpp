#include "documents/KeyCsv.h"

#include "documents/PageTerms.h"
#include "model/KeyIdentifier.h"
#include "model/TableSpecs.h"
#include "model/TextForms.h"
#include "model/KeyStore.h"

#include <QStringList>

#include <algorithm>
#include <array>

namespace {

// The columns of the file, in the order export writes them.
enum Column : std::size_t {
    TableColumn,
    ApartmentColumn,
    RowColumn,
    KeyNumberColumn,
    SlotColumn,
    KeyColumn,
    CodeColumn
};
constexpr std::array<const char*, 7> Columns{"table", "apartment", "row", "column", "slot", "key", "code"};

// A field as it must stand in a CSV line: quoted, with its quotes doubled, when it holds a comma,
// a quote or a line break.
QString CsvField(const QString& text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void AppendLine(QString& csv, const QStringList& fields)
{
    QStringList quoted;
    for (const QString& field : fields) quoted << CsvField(field);
    csv += quoted.join(QLatin1Char(',')) + QLatin1String("\r\n");
}

// The apartment column 0 of a row shows, or nothing for a key list or a row without one.
QString ApartmentOfRow(const IntercomStore& store, const TableSpec& spec, int row)
{
    const bool apartmentLabel = spec.label == RowLabel::ApartmentFromZero || spec.label == RowLabel::ApartmentFromOne ||
                                (spec.label == RowLabel::RowNumber && spec.blocks[0].width() > 1);
    return apartmentLabel ? CellText(store, spec, {0, row}) : QString();
}

struct CsvRecord {
    int line;
    QStringList fields;
    bool unterminatedQuote = false;
};

// The records of a CSV text: fields split at commas, quoted fields taking commas, doubled quotes
// and line breaks; lines end in LF or CRLF; blank lines are skipped.
std::vector<CsvRecord> CsvRecords(const QString& text)
{
    std::vector<CsvRecord> records;
    int line = 1;
    qsizetype at = 0;
    while (at < text.size()) {
        CsvRecord record{line, {}};
        QString field;
        bool quoted = false;
        bool ended = false;
        while (at < text.size() && !ended) {
            const QChar c = text[at++];
            if (quoted) {
                if (c == QLatin1Char('"') && at < text.size() && text[at] == QLatin1Char('"')) {
                    field += c;
                    ++at;
                } else if (c == QLatin1Char('"')) {
                    quoted = false;
                } else {
                    if (c == QLatin1Char('\n')) ++line;
                    field += c;
                }
            } else if (c == QLatin1Char('"')) {
                quoted = true;
            } else if (c == QLatin1Char(',')) {
                record.fields << field;
                field.clear();
            } else if (c == QLatin1Char('\n')) {
                ++line;
                ended = true;
            } else if (c != QLatin1Char('\r')) {
                field += c;
            }
        }
        record.fields << field;
        record.unterminatedQuote = quoted;
        if (record.fields.size() > 1 || !record.fields.front().trimmed().isEmpty())
            records.push_back(std::move(record));
    }
    return records;
}

// A key written as the cell shows it, the bytes' spaces optional; an empty key is no key.
std::optional<KeyBytes> KeyOfText(QString text, KeyTextOrder order)
{
    text.remove(QLatin1Char(' '));
    if (text.size() != 6) return std::nullopt;
    const std::optional<KeyBytes> key = TypedKeyOf(text, order);
    if (key && *key == KeyBytes{0xFF, 0xFF, 0xFF}) return std::nullopt;
    return key;
}

// Reads the lines of one file into one record of one page.
class KeyImporter {
public:
    KeyImporter(IntercomStore& store, KeyPage page, Language language) : store_(store), page_(page), language_(language)
    {
    }

    std::optional<QString> readHeader(const CsvRecord& header)
    {
        for (int i = 0; i < header.fields.size(); ++i) {
            const QString name = header.fields[i].trimmed().toLower();
            for (std::size_t column = 0; column < Columns.size(); ++column)
                if (name == QLatin1String(Columns[column])) index_[column] = i;
        }
        if (index_[TableColumn] < 0 || index_[KeyColumn] < 0 || index_[KeyNumberColumn] < 0 ||
            (index_[ApartmentColumn] < 0 && index_[RowColumn] < 0))
            return Tr(language_, "нет строки заголовка со столбцами table, row или apartment, column и key",
                      "no header line naming the columns table, row or apartment, column and key");
        return std::nullopt;
    }

    KeyLineReport importLine(const CsvRecord& record)
    {
        if (record.unterminatedQuote) return bad(record, Tr(language_, "кавычка не закрыта", "a quote is not closed"));
        const TableTerm* term = tableNamed(field(record, TableColumn));
        if (!term)
            return {record.line, KeyLineOutcome::OutOfRange,
                    Tr(language_, "на странице нет таблицы «%1»", "the page has no table \"%1\"")
                        .arg(field(record, TableColumn))};
        const TableSpec& spec = TableSpecOf(term->table);
        const std::optional<KeyBytes> key = KeyOfText(field(record, KeyColumn), spec.order);
        if (!key) return bad(record, Tr(language_, "«%1» не ключ", "\"%1\" is no key").arg(field(record, KeyColumn)));
        std::optional<int> row = number(record, RowColumn);
        const std::optional<int> apartmentRow = rowOfApartment(spec, field(record, ApartmentColumn));
        if (!field(record, ApartmentColumn).isEmpty() && !apartmentRow)
            return outOfRange(record, Tr(language_, "в таблице нет квартиры %1", "the table has no apartment %1")
                                          .arg(field(record, ApartmentColumn)));
        if (!row) row = apartmentRow;
        const std::optional<int> column = number(record, KeyNumberColumn);
        if (!row || !column || (apartmentRow && *apartmentRow != *row))
            return bad(record, Tr(language_, "строка, квартира или столбец не прочитаны",
                                  "row, apartment or column unreadable"));
        const CellRef cell{FirstKeyColumn(spec) + *column - 1, *row};
        const std::optional<int> slot = *column >= 1 && *row >= 1 ? SlotOfCell(spec, cell) : std::nullopt;
        if (!slot)
            return outOfRange(record, Tr(language_, "строка %1, столбец %2: нет такой ячейки ключа",
                                         "row %1, column %2: no such key cell")
                                          .arg(*row)
                                          .arg(*column));
        if (!field(record, SlotColumn).isEmpty() && number(record, SlotColumn) != slot)
            return bad(record, Tr(language_, "ячейка показывает слот %1, а не %2", "the cell shows slot %1, not %2")
                                   .arg(*slot)
                                   .arg(field(record, SlotColumn)));
        return store(record.line, *term, spec, cell, *key);
    }

private:
    QString field(const CsvRecord& record, Column column) const
    {
        const int at = index_[column];
        return at >= 0 && at < record.fields.size() ? record.fields[at].trimmed() : QString();
    }

    std::optional<int> number(const CsvRecord& record, Column column) const
    {
        bool ok = false;
        const int value = field(record, column).toInt(&ok);
        return ok ? std::optional<int>(value) : std::nullopt;
    }

    // A table by its caption in either language or by its object name.
    const TableTerm* tableNamed(const QString& name) const
    {
        for (const TableTerm& term : PageTables(page_.type, page_.ds1995))
            if (name == QLatin1String(TableSpecOf(term.table).name) || name == term.caption.in(Language::Russian) ||
                name == term.caption.in(Language::English))
                return &term;
        return nullptr;
    }

    std::optional<int> rowOfApartment(const TableSpec& spec, const QString& apartment) const
    {
        if (apartment.isEmpty()) return std::nullopt;
        for (int row = 1; row <= spec.labelledRows; ++row)
            if (ApartmentOfRow(store_, spec, row) == apartment) return row;
        return std::nullopt;
    }

    KeyLineReport store(int line, const TableTerm& term, const TableSpec& spec, CellRef cell, KeyBytes key)
    {
        InputTargets targets;
        targets[spec.targetFamily] = spec.inputTarget;
        const KeyReceiver& receiver = ReceiverOf(page_.type, page_.ds1995, targets);
        KeyStoreOutcome outcome;
        if (receiver.kind == ReceiverKind::HeaderRow) {
            outcome = StoreSingleKey(store_, receiver, &spec, cell.row, key);
        } else {
            outcome = StoreKey(store_, receiver, &spec, cell, key,
                               [&](CellRef free) { return CellText(store_, spec, free) == QLatin1String("FF FF FF"); });
        }
        if (outcome.storedCell)
            return {line, KeyLineOutcome::Stored, KeyCellPlace(store_, term, *outcome.storedCell, language_)};
        if (outcome.sound == KeySound::Duplicate) return {line, KeyLineOutcome::Duplicate, copyPlace(key)};
        if (receiver.lastKeyRow != 0 && cell.row > receiver.lastKeyRow)
            return {line, KeyLineOutcome::OutOfRange,
                    Tr(language_, "строка %1 не принимает ключей", "row %1 takes no key").arg(cell.row)};
        return {line, KeyLineOutcome::NoRoom, Tr(language_, "нет свободного слота", "no free slot")};
    }

    // Where the copy that made the key a duplicate lies: a cell of the page, the master key, or a
    // slot no table shows.
    QString copyPlace(KeyBytes key) const
    {
        for (const TableTerm& term : PageTables(page_.type, page_.ds1995)) {
            const TableSpec& spec = TableSpecOf(term.table);
            for (int row = 1; row <= spec.rows; ++row)
                for (int column = FirstKeyColumn(spec); column < spec.columns; ++column)
                    if (const auto slot = SlotOfCell(spec, {column, row});
                        slot && HoldsKey(KeyOfSlot(store_, spec, *slot), key))
                        return KeyCellPlace(store_, term, {column, row}, language_);
        }
        if (HoldsKey(store_.Record.MasterKey, key)) return Tr(language_, "мастер-ключ", "master key");
        const auto inArea = [&](std::span<const KeySlot> area) -> std::optional<int> {
            const auto found =
                std::find_if(area.begin(), area.end(), [&](const KeySlot& slot) { return HoldsKey(slot, key); });
            return found == area.end() ? std::nullopt : std::optional<int>(int(found - area.begin()));
        };
        if (const auto slot = inArea(store_.Record.KeySlots)) return Tr(language_, "слот %1", "slot %1").arg(*slot);
        if (const auto slot = inArea(store_.ExtensionKeySlots)) return Tr(language_, "слот %1", "slot %1").arg(*slot);
        if (const auto slot = inArea(store_.Record.HeaderKeySlots))
            return Tr(language_, "ключ заголовка %1", "header key %1").arg(*slot + 1);
        return {};
    }

    KeyLineReport bad(const CsvRecord& record, const QString& why) const
    {
        return {record.line, KeyLineOutcome::BadLine, why};
    }
    KeyLineReport outOfRange(const CsvRecord& record, const QString& why) const
    {
        return {record.line, KeyLineOutcome::OutOfRange, why};
    }

    IntercomStore& store_;
    KeyPage page_;
    Language language_;
    std::array<int, Columns.size()> index_{-1, -1, -1, -1, -1, -1, -1};
};

} // namespace

QByteArray ExportKeyCsv(const IntercomStore& store, KeyPage page, Language language)
{
    QString csv;
    QStringList header;
    for (const char* column : Columns) header << QLatin1String(column);
    AppendLine(csv, header);
    for (const TableTerm& term : PageTables(page.type, page.ds1995)) {
        const TableSpec& spec = TableSpecOf(term.table);
        for (int row = 1; row <= spec.rows; ++row) {
            for (int column = FirstKeyColumn(spec); column < spec.columns; ++column) {
                const std::optional<int> slot = SlotOfCell(spec, {column, row});
                if (!slot || KeyOfSlot(store, spec, *slot).isEmpty()) continue;
                const QString code = spec.codeColumn >= 0 ? CellText(store, spec, {spec.codeColumn, row}) : QString();
                AppendLine(csv, {term.caption.in(language), ApartmentOfRow(store, spec, row), QString::number(row),
                                 QString::number(column - FirstKeyColumn(spec) + 1), QString::number(*slot),
                                 CellText(store, spec, {column, row}), code});
            }
        }
    }
    return csv.toUtf8();
}

bool KeyCsvImport::allStored() const
{
    return !fileError && std::all_of(lines.begin(), lines.end(),
                                     [](const KeyLineReport& line) { return line.outcome == KeyLineOutcome::Stored; });
}

KeyCsvImport ImportKeyCsv(const QByteArray& csv, IntercomStore& store, KeyPage page, Language language)
{
    KeyCsvImport result;
    QByteArray bytes = csv;
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    const std::vector<CsvRecord> records = CsvRecords(QString::fromUtf8(bytes));
    KeyImporter importer(store, page, language);
    if (records.empty()) {
        result.fileError = Tr(language, "файл пуст", "the file is empty");
        return result;
    }
    if ((result.fileError = importer.readHeader(records.front()))) return result;
    for (auto record = records.begin() + 1; record != records.end(); ++record)
        result.lines.push_back(importer.importLine(*record));
    return result;
}

QString KeyLineText(const KeyLineReport& report, Language language)
{
    QString what;
    switch (report.outcome) {
    case KeyLineOutcome::Stored: what = Tr(language, "записан: %1", "stored at %1"); break;
    case KeyLineOutcome::Duplicate:
        what = Tr(language, "отклонён, повтор ключа: %1", "refused, a duplicate of %1");
        break;
    case KeyLineOutcome::OutOfRange: what = Tr(language, "вне таблиц: %1", "out of range: %1"); break;
    case KeyLineOutcome::NoRoom: what = Tr(language, "отклонён: %1", "refused: %1"); break;
    case KeyLineOutcome::BadLine: what = Tr(language, "ошибка в строке: %1", "bad line: %1"); break;
    }
    return Tr(language, "строка %1: ", "line %1: ").arg(report.line) + what.arg(report.detail);
}
