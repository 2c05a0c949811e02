#include "app/CommandStates.h"

#include "programmer/Chips.h"

#include <QAction>
#include <QMenu>
#include <QToolButton>

QObject* CommandStates::Find(const char* name) const
{
    const QString key = QString::fromLatin1(name);
    if (QObject* known = found_.value(key)) return known;
    QObject* object = window_.findChild<QObject*>(key);
    if (auto* menu = qobject_cast<QMenu*>(object))
        object = menu->menuAction();
    else if (auto* button = qobject_cast<QToolButton*>(object); button && button->defaultAction())
        object = button->defaultAction();
    Q_ASSERT_X(object, "CommandStates", name);
    found_.insert(key, object);
    return object;
}

void CommandStates::SetEnabled(const char* name, bool enabled)
{
    QObject* object = Find(name);
    if (auto* action = qobject_cast<QAction*>(object))
        action->setEnabled(enabled);
    else if (auto* widget = qobject_cast<QWidget*>(object))
        widget->setEnabled(enabled);
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
    for (const char* off : {"MCmd_Write", "N1", "N5", "MFile_Save", "N3", "ToolButton5", "ToolButton6", "ToolButton11"})
        SetEnabled(off, false);
    for (const ChipItemId off : {ChipItemId::Read24C64, ChipItemId::ReadDS1995, ChipItemId::ReadDS1996})
        SetEnabled(ChipItemOf(off).item, false);
    for (const ChipItem& item : ChipItems())
        if (!item.everEnabled) SetEnabled(item.item, false);
    SetEnabled(ChipItemOf(ChipItemId::Read24C16).item, true);
    for (const char* on : {"ASave", "ASaveAs"}) SetEnabled(on, true);
}

void CommandStates::AfterNew(TDeviceType type)
{
    SetEnabled("MCmd_Write", true);
    SetEnabled("MFile_Save", true);
    const std::optional<ChipKind> chip = ControllerTypeOf(type).newWriteChip;
    for (const ChipItem& item : ChipItems())
        if (item.direction == ChipDirection::Write) SetEnabled(item.item, chip && item.kind == chip);
}

void CommandStates::AfterTypeChange(TDeviceType type)
{
    SetEnabled("MCmd_Read", true);
    for (const char* off :
         {"MCmd_Write", "ASave", "ASaveAs", "MFile_Save", "N3", "N5", "ToolButton5", "ToolButton6", "N1"})
        SetEnabled(off, false);
    const ControllerType& row = ControllerTypeOf(type);
    if (row.readItemsOnTypeChange) {
        for (const ChipItem& item : ChipItems())
            if (item.direction == ChipDirection::Read && item.kind)
                SetEnabled(item.item, row.readItemsOnTypeChange->contains(*item.kind));
    }
    for (const ChipItem& item : ChipItems())
        if (item.direction == ChipDirection::Write && item.kind && row.writeItemsOffOnTypeChange.contains(*item.kind))
            SetEnabled(item.item, false);
}

void CommandStates::AfterFill(Fill fill)
{
    const FillRule& rule = FillRuleOf(fill);
    for (std::size_t i = 0; i < FillChipItems.size(); ++i)
        if (rule.chipItems[i] != After::Keep)
            SetEnabled(ChipItemOf(FillChipItems[i]).item, rule.chipItems[i] == After::On);
    if (rule.fillCodes != After::Keep) SetEnabled("N5", rule.fillCodes == After::On);
    for (const char* on : {"MCmd_Read", "MCmd_Write", "MFile_Save", "N3", "ASave", "ASaveAs"}) SetEnabled(on, true);
    SetReaderButtons(true);
}

void CommandStates::AfterRejectedImage()
{
    for (const char* off : {"MCmd_Write", "MFile_Save"}) SetEnabled(off, false);
    for (const ChipItem& item : ChipItems())
        if (item.direction == ChipDirection::Write) SetEnabled(item.item, false);
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
