#include "app/CommandStates.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

#include <array>

namespace {

// Read items of the type list's table, in ChipKind order.
constexpr std::array<const char*, ChipKindCount> ReadItemOfChip{"N24c162", "N24c642", "DS19952", "DS19962"};

constexpr std::array<const char*, 4> WriteItems{"N24c163", "N24c323", "N24c643", "DS19963"};

// The write item New enables per type; nullptr for none (PKU-630XE has no chip).
constexpr std::array<const char*, DeviceTypeCount> NewWriteItem{
    "N24c163", "N24c163", "N24c163", "N24c163", "N24c643", "DS19963",
    "N24c643", "N24c643", "N24c163", "N24c163", nullptr,
};

// Write items a type change turns off besides the write menu itself.
using TwoItems = std::array<const char*, 2>;
constexpr TwoItems Both{"DS19963", "N24c163"};
constexpr TwoItems DS1996Only{"DS19963", nullptr};
constexpr TwoItems Neither{nullptr, nullptr};
constexpr std::array<TwoItems, DeviceTypeCount> TypeChangeWriteItemsOff{
    Both, Both, Both, Both, DS1996Only, Neither, DS1996Only, DS1996Only, Both, Both, Neither,
};

// Items that stay disabled for good: no command reads or writes these chips.
constexpr std::array<const char*, 3> NeverEnabled{"N24c322", "N24c323", "N24c1282"};

} // namespace

QObject* CommandStates::Find(const char* name) const
{
    const QString key = QString::fromLatin1(name);
    if (QObject* known = found_.value(key)) return known;
    QObject* object = window_.findChild<QObject*>(key);
    if (auto* menu = qobject_cast<QMenu*>(object)) object = menu->menuAction();
    else if (auto* button = qobject_cast<QToolButton*>(object); button && button->defaultAction())
        object = button->defaultAction();
    Q_ASSERT_X(object, "CommandStates", name);
    found_.insert(key, object);
    return object;
}

void CommandStates::SetEnabled(const char* name, bool enabled)
{
    QObject* object = Find(name);
    if (auto* action = qobject_cast<QAction*>(object)) action->setEnabled(enabled);
    else if (auto* widget = qobject_cast<QWidget*>(object)) widget->setEnabled(enabled);
}

bool CommandStates::IsEnabled(const char* name) const
{
    QObject* object = Find(name);
    if (auto* action = qobject_cast<QAction*>(object)) return action->isEnabled();
    if (auto* widget = qobject_cast<QWidget*>(object)) return widget->isEnabled();
    return false;
}

void CommandStates::AfterStartUp()
{
    for (const char* off : {"MCmd_Write", "N1", "N5", "MFile_Save", "N3", "ToolButton5", "ToolButton6",
                            "N24c642", "DS19952", "DS19962", "ToolButton11"})
        SetEnabled(off, false);
    for (const char* off : NeverEnabled) SetEnabled(off, false);
    for (const char* on : {"N24c162", "ASave", "ASaveAs"}) SetEnabled(on, true);
}

void CommandStates::AfterNew(TDeviceType type)
{
    SetEnabled("MCmd_Write", true);
    SetEnabled("MFile_Save", true);
    const char* enabled = NewWriteItem.at(static_cast<std::size_t>(type));
    for (const char* item : WriteItems) SetEnabled(item, enabled && qstrcmp(item, enabled) == 0);
}

void CommandStates::AfterTypeChange(TDeviceType type)
{
    SetEnabled("MCmd_Read", true);
    for (const char* off : {"MCmd_Write", "ASave", "ASaveAs", "MFile_Save", "N3", "N5", "ToolButton5",
                            "ToolButton6", "N1"})
        SetEnabled(off, false);
    const TypeInfo& info = TypeInfoOf(type);
    if (info.readItemsOnTypeChange) {
        for (int chip = 0; chip < ChipKindCount; ++chip)
            SetEnabled(ReadItemOfChip[static_cast<std::size_t>(chip)],
                       info.readItemsOnTypeChange->contains(static_cast<ChipKind>(chip)));
    }
    for (const char* off : TypeChangeWriteItemsOff.at(static_cast<std::size_t>(type)))
        if (off) SetEnabled(off, false);
}

void CommandStates::AfterFill(Fill fill)
{
    const FillRule& rule = FillRuleOf(fill);
    for (std::size_t i = 0; i < FillChipItems.size(); ++i)
        if (rule.chipItems[i] != After::Keep) SetEnabled(FillChipItems[i], rule.chipItems[i] == After::On);
    if (rule.fillCodes != After::Keep) SetEnabled("N5", rule.fillCodes == After::On);
    for (const char* on : {"MCmd_Read", "MCmd_Write", "MFile_Save", "N3", "ASave", "ASaveAs"})
        SetEnabled(on, true);
    SetReaderButtons(true);
}

void CommandStates::AfterRejectedImage()
{
    for (const char* off : {"MCmd_Write", "MFile_Save"}) SetEnabled(off, false);
    for (const char* off : WriteItems) SetEnabled(off, false);
}

void CommandStates::EnableSaving()
{
    for (const char* on : {"ToolButton3", "MFile_Save", "ASave", "ASaveAs"}) SetEnabled(on, true);
}

void CommandStates::SetReaderButtons(bool enabled)
{
    SetEnabled("ToolButton5", enabled);
    SetEnabled("ToolButton6", enabled);
}
