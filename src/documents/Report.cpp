#include "documents/Report.h"

#include "model/FieldSpecs.h"
#include "model/IdTable.h"
#include "model/TableSpecs.h"
#include "model/TextForms.h"
#include "model/TypeName.h"

#include <array>
#include <span>

namespace {

// One piece of a report's data part.
enum class PartKind {
    Text,             // the format as it stands
    Field,            // the format with its %s replaced by the field's text
    KeyColumn,        // the heading, then column 1 of each row on a line of its own, then the trailer
    Rows,             // each row on a line: its prefix, then the columns' texts separated by tabs
    ThirtyKeysHeader, // the PKU-618 header, written out by ThirtyKeysHeader()
};

// What a row line begins with.
enum class RowPrefix {
    None,
    ApartmentFromZero, // "%02d\t" of row - 1
    RowNumber,         // "%02d\t" of the row
    KeyOnly,           // two blanks, a tab, four blanks, a tab: the G300 rows without apartment
};

struct ReportPart {
    PartKind kind;
    Bilingual text;  // Text, Field: the format; KeyColumn: the heading
    FieldId field{}; // Field
    TableId table{}; // KeyColumn, Rows
    int firstRow = 0;
    int lastRow = 0;
    int firstColumn = 1;
    int lastColumn = 1;
    RowPrefix prefix = RowPrefix::None;
    const char* trailer = "";
};

constexpr ReportPart Text(const char* ru, const char* en) { return {PartKind::Text, {ru, en}}; }
constexpr ReportPart Field(const char* ru, const char* en, FieldId field) { return {PartKind::Field, {ru, en}, field}; }
constexpr ReportPart KeyColumn(const char* ru, const char* en, TableId table, int rows, const char* trailer)
{
    return {PartKind::KeyColumn, {ru, en}, {}, table, 1, rows, 1, 1, RowPrefix::None, trailer};
}
constexpr ReportPart Rows(TableId table, int firstRow, int lastRow, int firstColumn, int lastColumn, RowPrefix prefix)
{
    return {PartKind::Rows, {"", ""}, {}, table, firstRow, lastRow, firstColumn, lastColumn, prefix};
}

constexpr ReportPart ServicePassword(FieldId field)
{
    return Field("Сервисный пароль - %s\n", "Service password - %s\n", field);
}
constexpr ReportPart SystemPassword(FieldId field)
{
    return Field("Системный пароль - %s\n", "System password - %s\n", field);
}
constexpr ReportPart GeneralCode(FieldId field)
{
    return Field("Общий код доступа - %s\n\n", "General access code - %s\n\n", field);
}
constexpr ReportPart AccessKeys = Text("ключи доступа:\n\n", "access keys:\n\n");
constexpr ReportPart MasterKey(FieldId field) { return Field("мастер ключ - %s\n\n", "master key - %s\n\n", field); }

constexpr const char* SixKeysRu = "№ кв.\tкод\tключ1\t\tключ2\t\tключ3\t\tключ4\t\tключ5\t\tключ6\n";

constexpr std::array<ReportPart, 4> T150{{
    ServicePassword(FieldId::MaskEdit1),
    GeneralCode(FieldId::MaskEdit3),
    Text(SixKeysRu, "№ app.\tcode\tkey 1\t\tkey 2\t\tkey 3\t\tkey 4\t\tkey 5\t\tkey 6\n"),
    Rows(TableId::SGrid1, 1, 100, 1, 7, RowPrefix::ApartmentFromZero),
}};
constexpr std::array<ReportPart, 5> PKU512T{{
    T150[0],
    T150[1],
    T150[2],
    T150[3],
    KeyColumn("Системные ключи:\n", "System keys:\n", TableId::StringGrid1, 5, ""),
}};
constexpr std::array<ReportPart, 4> LMR702{{
    MasterKey(FieldId::Edit2),
    KeyColumn("ключи охраны:\n", "guard-keys:\n", TableId::SGrid3, 7, "\n"),
    AccessKeys,
    Rows(TableId::SGrid2, 1, 134, 1, 5, RowPrefix::None),
}};
constexpr std::array<ReportPart, 4> LMR70x2680{{
    MasterKey(FieldId::Edit4),
    KeyColumn("ключи охраны:\n", "guard-keys:\n", TableId::SGrid12, 28, "\n"),
    AccessKeys,
    Rows(TableId::SGrid11, 1, 536, 1, 5, RowPrefix::None),
}};
constexpr std::array<ReportPart, 4> PKU618{{
    Field("системный ключ - %s\n\n", "system key - %s\n\n", FieldId::Edit3),
    Field("Номер квартиры консьержа - %s\n\n", "apartment number for concierge call - %s\n\n", FieldId::MaskEdit7),
    {PartKind::ThirtyKeysHeader, {"", ""}},
    Rows(TableId::SGrid5, 1, 16, 1, 30, RowPrefix::RowNumber),
}};
constexpr ReportPart SixKeysHeader =
    Text(SixKeysRu, "N ap.\tcode\tkey 1\t\tkey 2\t\tkey 3\t\tkey 4\t\tkey 5\t\tkey 6\n");
constexpr std::array<ReportPart, 5> PKU630{{
    Field("Консьерж - %s\n", "Concierge - %s\n", FieldId::MaskEdit6),
    Field("Пароль - %s\n", "Password - %s\n", FieldId::MaskEdit5),
    GeneralCode(FieldId::MaskEdit4),
    SixKeysHeader,
    Rows(TableId::SGrid4, 1, 200, 1, 7, RowPrefix::ApartmentFromZero),
}};
constexpr std::array<ReportPart, 6> G300{{
    ServicePassword(FieldId::MaskEdit8),
    SystemPassword(FieldId::MaskEdit9),
    GeneralCode(FieldId::MaskEdit10),
    SixKeysHeader,
    Rows(TableId::SGrid6, 1, 200, 1, 7, RowPrefix::ApartmentFromZero),
    Rows(TableId::SGrid6, 201, 300, 2, 7, RowPrefix::KeyOnly),
}};
constexpr std::array<ReportPart, 5> G300DS1995{{
    ServicePassword(FieldId::MaskEdit11),
    SystemPassword(FieldId::MaskEdit12),
    GeneralCode(FieldId::MaskEdit13),
    Text("№ кв.\tкод\tключ1\t\tключ2\t\tключ3\t\tключ4\n", "N ap.\tcode\tkey 1\t\tkey 2\t\tkey 3\t\tkey 4\n"),
    Rows(TableId::StringGrid2, 1, 100, 1, 5, RowPrefix::ApartmentFromZero),
}};
// One tab only between the sixth and seventh key in Russian; "key10" without a blank in English.
constexpr std::array<ReportPart, 5> PKU512S{{
    ServicePassword(FieldId::MaskEdit14),
    SystemPassword(FieldId::MaskEdit15),
    GeneralCode(FieldId::MaskEdit16),
    Text("№ "
         "кв.\tкод\tключ1\t\tключ2\t\tключ3\t\tключ4\t\tключ5\t\tключ6\tключ7\t\tключ8\t\tключ9\t\tключ10\t\tключ11\t\t"
         "ключ12\n",
         "N ap.\tcode\tkey 1\t\tkey 2\t\tkey 3\t\tkey 4\t\tkey 5\t\tkey 6\t\tkey 7\t\tkey 8\t\tkey "
         "9\t\tkey10\t\tkey11\t\t"
         "key12\n"),
    Rows(TableId::SGrid9, 1, 200, 1, 13, RowPrefix::ApartmentFromZero),
}};
constexpr std::array<ReportPart, 2> PKU630XE{{
    AccessKeys,
    Rows(TableId::StringGrid3, 1, 500, 1, 10, RowPrefix::None),
}};

struct DataPart {
    ReportParts id;
    std::span<const ReportPart> parts;
};
constexpr std::array<DataPart, ReportPartsCount> DataParts{{
    {ReportParts::T150, T150},
    {ReportParts::PKU512T, PKU512T},
    {ReportParts::LMR702, LMR702},
    {ReportParts::LMR70x2680, LMR70x2680},
    {ReportParts::PKU618, PKU618},
    {ReportParts::PKU630, PKU630},
    {ReportParts::G300, G300},
    {ReportParts::G300DS1995, G300DS1995},
    {ReportParts::PKU512S, PKU512S},
    {ReportParts::PKU630XE, PKU630XE},
}};
static_assert(RowsInIdOrder(DataParts, &DataPart::id), "one data part per ReportParts id, in its order");

std::span<const ReportPart> DataPartOf(std::optional<TDeviceType> type, bool ds1995)
{
    if (!type) return {};
    return RowOf(DataParts, PageOf(*type, ds1995).report).parts;
}

QString AddressBlock(Language language)
{
    return Tr(language, "Адрес установки домофона: \n\nгород: \n\nулица: \n\nдом №\n\n\n",
              "Address installation doorphone: \n\ntown: \n\nstreet: \n\nhouse №\n\n\n");
}

// "№ кв.\tключ1\t\tключ2 ... ключ30\n" / "N ap.\tkey 1\t\t ... key 30\n".
QString ThirtyKeysHeader(Language language)
{
    QStringList keys;
    for (int key = 1; key <= 30; ++key)
        keys << (language == Language::Russian ? QStringLiteral("ключ%1") : QStringLiteral("key %1")).arg(key);
    return Tr(language, "№ кв.\t", "N ap.\t") + keys.join(QStringLiteral("\t\t")) + QLatin1Char('\n');
}

QString RowLine(const ReportPart& part, int row, const ReportSource& source)
{
    QString line;
    switch (part.prefix) {
    case RowPrefix::ApartmentFromZero: line = QString::asprintf("%02d\t", row - 1); break;
    case RowPrefix::RowNumber: line = QString::asprintf("%02d\t", row); break;
    case RowPrefix::KeyOnly: line = QStringLiteral("  \t    \t"); break;
    case RowPrefix::None: break;
    }
    QStringList cells;
    for (int column = part.firstColumn; column <= part.lastColumn; ++column)
        cells << source.Cell(part.table, column, row);
    return line + cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
}

QString PartText(const ReportPart& part, Language language, const ReportSource& source)
{
    switch (part.kind) {
    case PartKind::Text: return part.text.in(language);
    case PartKind::ThirtyKeysHeader: return ThirtyKeysHeader(language);
    case PartKind::Field: return part.text.in(language).replace(QStringLiteral("%s"), source.Field(part.field));
    case PartKind::KeyColumn: {
        QString text = part.text.in(language);
        for (int row = part.firstRow; row <= part.lastRow; ++row)
            text += source.Cell(part.table, 1, row) + QLatin1Char('\n');
        return text + QLatin1String(part.trailer);
    }
    case PartKind::Rows: {
        QString text;
        for (int row = part.firstRow; row <= part.lastRow; ++row) text += RowLine(part, row, source);
        return text;
    }
    }
    return {};
}

} // namespace

QString MaskedFieldText(const QString& text, int digits)
{
    QString shown;
    for (const QChar c : text)
        if (c.isDigit() && shown.size() < digits) shown += c;
    return shown.leftJustified(digits, QLatin1Char('F'));
}

QString RecordReportSource::Field(FieldId field) const
{
    const FieldSpec& spec = FieldSpecOf(field);
    const QString text = FieldText(store_.Record, spec);
    return spec.value == FieldValue::MasterKey ? text : MaskedFieldText(text, spec.digits);
}

QString RecordReportSource::Cell(TableId table, int column, int row) const
{
    return CellText(store_, TableSpecOf(table), {column, row});
}

QByteArray ReportBytes(std::optional<TDeviceType> type, bool ds1995, Language language, const ReportSource& source)
{
    QString text = AddressBlock(language);
    for (const ReportPart& part : DataPartOf(type, ds1995)) text += PartText(part, language, source);
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return ToWindows1251(text);
}
