#pragma once
// The archive's times as stored: UTC text "2024-03-01T09:15:30.250Z", which sorts as the times do
// in both databases. Read back by hand rather than through a format string: the archive window
// turns thousands of these into times at once.

#include <QDateTime>
#include <QString>

QString ArchiveTimeText(const QDateTime& time);
// An invalid time when `text` is not laid out as ArchiveTimeText writes it.
QDateTime ArchiveTimeFromText(QStringView text);
