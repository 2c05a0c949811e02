// The archive's stored times: every time comes back as the same instant, whatever zone it was
// given in, and a damaged time text is no time at all rather than a wrong one.

#include "archive/ArchiveTime.h"

#include <QTest>
#include <QTimeZone>

class ArchiveTimeTest : public QObject {
    Q_OBJECT
private slots:
    void aTimeComesBackAsTheSameInstantToTheMillisecond()
    {
        const QDateTime utc(QDate(2024, 3, 1), QTime(9, 15, 30, 250), Qt::UTC);
        QCOMPARE(ArchiveTimeText(utc), QStringLiteral("2024-03-01T09:15:30.250Z"));
        QCOMPARE(ArchiveTimeFromText(ArchiveTimeText(utc)), utc);

        // A technician three hours east of UTC, just after midnight on New Year's Day: the
        // stored text is the UTC day before, and reads back as the same moment.
        const QDateTime local(QDate(2025, 1, 1), QTime(0, 30, 0, 7), QTimeZone(3 * 3600));
        QCOMPARE(ArchiveTimeText(local), QStringLiteral("2024-12-31T21:30:00.007Z"));
        QCOMPARE(ArchiveTimeFromText(ArchiveTimeText(local)), local);

        // A leap day and the last millisecond of a year.
        for (const QDateTime& time : {QDateTime(QDate(2028, 2, 29), QTime(23, 59, 59, 999), Qt::UTC),
                                      QDateTime(QDate(2030, 12, 31), QTime(23, 59, 59, 999), Qt::UTC)})
            QCOMPARE(ArchiveTimeFromText(ArchiveTimeText(time)), time);
    }

    void aDamagedTimeIsNoTimeRatherThanAWrongOne()
    {
        for (const char* text : {"", "2024-03-01T09:15:30.250", "2024-03-01T09:15:30.250Z ", "2024-03-01 09:15:30.250Z",
                                 "2024/03/01T09:15:30.250Z", "2024-13-01T09:15:30.250Z", "2023-02-29T09:15:30.250Z",
                                 "2024-03-01T24:15:30.250Z", "2024-03-01T09:60:30.250Z", "2024-03-0aT09:15:30.250Z",
                                 "2024-03-01T09:15:30.-25Z", "2024-03-01T09:15:30,250Z"})
            QVERIFY2(!ArchiveTimeFromText(QString::fromLatin1(text)).isValid(), text);
    }
};

QTEST_APPLESS_MAIN(ArchiveTimeTest)
#include "tst_archive_time.moc"
