#include "archive/ArchiveTime.h"

namespace {

// The number written in `digits`, or -1 when a character is not a decimal digit.
int Digits(QStringView digits)
{
    int value = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

bool SeparatorsAt(QStringView text)
{
    return text[4] == u'-' && text[7] == u'-' && text[10] == u'T' && text[13] == u':' && text[16] == u':' &&
           text[19] == u'.' && text[23] == u'Z';
}

} // namespace

QString ArchiveTimeText(const QDateTime& time)
{
    return time.toUTC().toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss.zzz'Z'"));
}

QDateTime ArchiveTimeFromText(QStringView text)
{
    if (text.size() != 24 || !SeparatorsAt(text)) return {};
    const QDate date(Digits(text.mid(0, 4)), Digits(text.mid(5, 2)), Digits(text.mid(8, 2)));
    const QTime time(Digits(text.mid(11, 2)), Digits(text.mid(14, 2)), Digits(text.mid(17, 2)),
                     Digits(text.mid(20, 3)));
    if (!date.isValid() || !time.isValid()) return {};
    return QDateTime(date, time, Qt::UTC);
}
