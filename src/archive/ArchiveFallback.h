#pragma once
// An image the archive could not take is kept as a file in the data folder instead, never dropped:
// archive-fallback/<time>-<chip>-<first 16 digits of its SHA-256>.bin, readable by the user only.

#include "model/FileIO.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

FileResult KeepImageAsFallbackFile(const QDateTime& time, const QString& chip, const QString& sha256,
                                   const QByteArray& image);
