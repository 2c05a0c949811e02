#include "model/NewDocument.h"

#include "model/ControllerTypes.h"
#include "model/TypeName.h"

void ApplyNewDocument(IntercomStore& store, TDeviceType type)
{
    TIntercomData& r = store.Record;
    StoreTypeName(r, type);
    r.ServicePassword = DefaultPassword;
    r.SystemPassword = DefaultPassword;
    r.GeneralCode = DefaultGeneralCode;
    r.AuxByte = 7;
    r.KeyCounter = 0;
    r.CodeCounter = 0;
    r.ConciergeNumber = 0;
    r.LockTime = 1;
    r.Volume = 7;
    r.MasterKey.clear();
    for (KeySlot& slot : r.KeySlots) slot.clear();
    for (KeySlot& slot : r.HeaderKeySlots) slot.clear();
    r.Codes.fill(EmptyDigitValue);
    r.PassThroughArea.fill(0xFF);
    r.Reserved30.fill(0xFF);
    r.Reserved200.fill(0xFF);
    const ControllerType& row = ControllerTypeOf(type);
    if (row.newConfigByte) r.ConfigByte = *row.newConfigByte;
    if (row.usesExtensionSlots)
        for (KeySlot& slot : store.ExtensionKeySlots) slot.clear();
}
