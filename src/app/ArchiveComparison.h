#pragma once
// What differs between two archived images, or between one and the document: in the terms of the
// type's page when both read as one controller type from one kind of chip, byte by byte otherwise.

#include "archive/ChipArchive.h"
#include "documents/RecordDifference.h"

#include <optional>

class Prompts;

struct ComparisonRow {
    QString text;
    std::optional<DifferenceItem> item; // a difference in page terms, which the page can select
};

struct Comparison {
    QList<ComparisonRow> rows;
    QString refusal; // why the two cannot be compared; empty when they were
};

struct ArchivedImage {
    const ArchiveEntry& entry;
    const QByteArray& image;
};

Comparison CompareArchived(const ArchivedImage& before, const ArchivedImage& after, Prompts& prompts,
                           Language language);
// From the archived image to the document, a record of `type`, in the terms of that type's page.
Comparison CompareWithDocument(const ArchivedImage& archived, const IntercomStore& document,
                               std::optional<TDeviceType> type, Prompts& prompts, Language language);
// From `before` to `after`, both records of `type` (the G300 on its DS1995 page when `ds1995`), in
// the terms of the type's page.
Comparison CompareInPageTerms(const IntercomStore& before, const IntercomStore& after, TDeviceType type, bool ds1995,
                              Language language);
