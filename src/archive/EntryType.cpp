#include "archive/EntryType.h"

#include "model/TypeName.h"

#include <algorithm>
#include <memory>

std::optional<TDeviceType> TypeOfEntry(const ArchiveEntry& entry)
{
    // Matched as the record's TypeName field is, so the two never disagree on a name.
    auto record = std::make_unique<TIntercomData>();
    const QByteArray name = ToWindows1251(entry.type).left(TypeNameSize - 1);
    record->TypeName.fill(0);
    std::copy(name.begin(), name.end(), record->TypeName.begin());
    return FindTypeByName(*record);
}
