#pragma once
// The enabled states of the window's commands: menu items, submenus, actions and tool buttons,
// addressed by object name and set by the tables of start-up, New, the type change and the fills.

#include "model/ControllerTypes.h"

#include <QHash>
#include <QString>

class QObject;

class CommandStates {
public:
    // `window` holds every named command as a child.
    explicit CommandStates(QObject& window) : window_(window) {}

    void SetEnabled(const char* name, bool enabled);
    bool IsEnabled(const char* name) const;

    // After the window was built: nothing current, only the 24C16 read item and the save action.
    void AfterStartUp();
    // New: the write menu and the write item of the type's chip.
    void AfterNew(TDeviceType type);
    // A user's pick in the type list: reading on, writing and saving off until a data set is current.
    void AfterTypeChange(TDeviceType type);
    // Every fill: the chip items of its table, and the commands every current data set has.
    void AfterFill(Fill fill);
    // A chip image the user refused to take: nothing can be written or saved from it.
    void AfterRejectedImage();
    // A loaded data file can be saved.
    void EnableSaving();
    void SetReaderButtons(bool enabled);

private:
    // An action, a submenu (its menu action) or a widget; a tool button that carries an action
    // is that action.
    QObject* Find(const char* name) const;

    QObject& window_;
    mutable QHash<QString, QObject*> found_;
};
