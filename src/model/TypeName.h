#pragma once
// The record's TypeName field: the list text of its controller type in Windows-1251.

#include "model/IntercomData.h"
#include "model/TypeCatalogue.h"

#include <optional>

#include <QByteArray>
#include <QString>

// The bytes up to the first zero, at most the 40 bytes of the field.
QByteArray TypeNameBytes(const TIntercomData& record);
// The same decoded from Windows-1251.
QString TypeNameText(const TIntercomData& record);

// The type whose list text equals TypeName, ignoring letter case (Cyrillic included); none if none.
std::optional<TDeviceType> FindTypeByName(const TIntercomData& record);

// Copies the list text of `type` and its terminating zero into TypeName; no type stores the empty
// text. The bytes of the field after the zero keep their values.
void StoreTypeName(TIntercomData& record, std::optional<TDeviceType> type);

QByteArray ToWindows1251(const QString& text);
QString FromWindows1251(const QByteArray& bytes);
