#pragma once
// Finding the programmer among the serial ports and following it being plugged in and out.

#include "model/Language.h"
#include "programmer/ProgrammerLink.h"

#include <QString>

#include <cstdint>

class PortList;
struct PortEntry;
struct DeviceNotice;

// What discovery shows in the window: the title, the status bar text and the programmer-mode
// button.
class DiscoveryDisplay {
public:
    virtual ~DiscoveryDisplay() = default;
    virtual void setTitle(const QString& title) = 0;
    virtual void showStatus(const QString& text) = 0;
    virtual void enableProgrammerMode(bool enabled) = 0;
};

// The window titles exist in Russian only.
QString ConnectedTitle();
QString NotConnectedTitle();

constexpr int SettleAfterPlugInMs = 1000;

class ProgrammerDiscovery {
public:
    ProgrammerDiscovery(ProgrammerLink& link, PortList& ports, DiscoveryDisplay& display);

    // True when a compatible programmer answered on the chosen port.
    bool FindProgrammer(Language language);
    // FindProgrammer before the user has asked for anything: no port is no message, and a port
    // that cannot be opened is one message naming it; both leave the not-connected title. The
    // version reply is read directly, as no poll tick runs before the window is shown.
    bool FindProgrammerAtStartUp(Language language);
    void OnDeviceChange(const DeviceNotice& notice, Language language);
    // A poll tick found the port hung up (the link has closed it): the title says not connected,
    // programmer mode is disabled, and a key reader that was running is reported stopped. The port stays the programmer's, so
    // the next command tries it again once the programmer is back.
    void OnProgrammerLost(ReaderModes readerMode, Language language);

    QString ArrivedInterfaceName;
    std::uint32_t ArrivalCount = 0;
    QString StatusText;

private:
    void UsePort(const PortEntry& port);
    // The version query on the opened port; the port is closed afterwards.
    bool AskFirmwareVersion(Language language);

    ProgrammerLink& link_;
    PortList& ports_;
    DiscoveryDisplay& display_;
};
