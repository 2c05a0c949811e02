#pragma once
// The report of an installation: an address form to complete by hand, then the passwords, codes
// and keys of the controller as tab-separated columns, in the language of the moment, as
// Windows-1251 text with CR LF line ends. It prints the texts a source gives for the page's
// fields and cells: the window's page as shown, or the record's text forms.

#include "model/FieldSpecs.h"
#include "model/IntercomData.h"
#include "model/Language.h"
#include "model/ControllerTypes.h"
#include "model/TableSpecs.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

class ReportSource {
public:
    virtual ~ReportSource() = default;
    // The whole text a field shows (a masked field, a master key field).
    virtual QString Field(FieldId field) const = 0;
    virtual QString Cell(TableId table, int column, int row) const = 0;
};

// The texts the page of the record would show after a fill.
class RecordReportSource : public ReportSource {
public:
    explicit RecordReportSource(const IntercomStore& store) : store_(store) {}
    QString Field(FieldId field) const override;
    QString Cell(TableId table, int column, int row) const override;

private:
    const IntercomStore& store_;
};

// The report of `type` (the DS1995 variant of the G300 page when `ds1995` is set), encoded;
// without a type only the address form.
QByteArray ReportBytes(std::optional<TDeviceType> type, bool ds1995, Language language, const ReportSource& source);

// What a masked field of `digits` digits shows for `text`: the digits of the text in order,
// unfilled positions as the blank character F.
QString MaskedFieldText(const QString& text, int digits);
