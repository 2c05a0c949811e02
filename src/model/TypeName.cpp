#include "model/TypeName.h"

#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>

QByteArray ToWindows1251(const QString& text)
{
    QStringEncoder encoder("windows-1251");
    return encoder.encode(text);
}

QString FromWindows1251(const QByteArray& bytes)
{
    QStringDecoder decoder("windows-1251");
    return decoder.decode(bytes);
}

QByteArray TypeNameBytes(const TIntercomData& record)
{
    const auto end = std::find(record.TypeName.begin(), record.TypeName.end(), 0);
    return QByteArray(reinterpret_cast<const char*>(record.TypeName.data()),
                      static_cast<qsizetype>(end - record.TypeName.begin()));
}

QString TypeNameText(const TIntercomData& record) { return FromWindows1251(TypeNameBytes(record)); }

std::optional<TDeviceType> FindTypeByName(const TIntercomData& record)
{
    const QString name = TypeNameText(record);
    for (const TDeviceType type : AllDeviceTypes)
        if (name.compare(TypeText(type), Qt::CaseInsensitive) == 0) return type;
    return std::nullopt;
}

void StoreTypeName(TIntercomData& record, std::optional<TDeviceType> type)
{
    const QByteArray text = ToWindows1251(TypeText(type));
    // The longest list text has 21 characters, so text and zero always fit the 40-byte field.
    Q_ASSERT(text.size() < TypeNameSize);
    std::copy(text.begin(), text.end(), record.TypeName.begin());
    record.TypeName[static_cast<std::size_t>(text.size())] = 0;
}
