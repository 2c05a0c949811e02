#include "programmer/ProgrammerDiscovery.h"

#include "model/Prompts.h"
#include "programmer/Clock.h"
#include "programmer/DeviceNotices.h"
#include "programmer/LinkTexts.h"
#include "programmer/PortList.h"
#include "programmer/ProgrammerLink.h"

#include <utility>

QString ConnectedTitle() { return QStringLiteral("Программа  \"KAVRO_PX\" - программатор подключен"); }
QString NotConnectedTitle() { return QStringLiteral("Программа  \"KAVRO_PX\" - программатор не подключен"); }

namespace {
const QString InterfaceArrived = QStringLiteral("Вставлен новый интерфейс");
const QString InterfaceRemoved = QStringLiteral("Извлечен интерфейс");
const QString PortNotice = QStringLiteral("Вставлен новый port");
const QString ConfigurationChangedText = QStringLiteral("конфигурация изменена");
const QString IdentityMark = QStringLiteral("04D8&PID");
const QString ProgrammerIdentity = QStringLiteral("04D8&PID_E91A");
} // namespace

ProgrammerDiscovery::ProgrammerDiscovery(ProgrammerLink& link, PortList& ports, DiscoveryDisplay& display)
        : link_(link), ports_(ports), display_(display)
{
}

bool ProgrammerDiscovery::FindProgrammer(Language language)
{
    using namespace LinkTexts;
    Prompts& prompts = link_.prompts();
    const auto list = ports_.ports();
    if (!list) {
        prompts.message(NoPortList.in(language), Info.in(language), PromptButtons::Ok, PromptIcon::Information);
        return false;
    }
    const PortEntry* port = ChooseProgrammerPort(*list);
    if (!port) {
        prompts.message(NoProgrammer.in(language), Error.in(language), PromptButtons::Ok, PromptIcon::Error);
        display_.setTitle(NotConnectedTitle());
        return false;
    }
    UsePort(*port);
    display_.setTitle(ConnectedTitle());
    if (!link_.OpenProgrammerPort(language)) return false;
    return AskFirmwareVersion(language);
}

bool ProgrammerDiscovery::FindProgrammerAtStartUp(Language language)
{
    const auto list = ports_.ports();
    const PortEntry* port = list ? ChooseProgrammerPort(*list) : nullptr;
    if (port) {
        // The port stays the programmer's, so the next programmer command tries it again.
        UsePort(*port);
        if (link_.OpenProgrammerPort(language, PortReport::OutcomeOnly)) {
            display_.setTitle(ConnectedTitle());
            // The window is not shown yet and its poll timer not running, so nothing else reads
            // the port: the version reply is taken the moment it is whole instead of at the next
            // poll tick, which keeps a poll period off the time to the window.
            const ReplyWait pollWait = link_.replyWait();
            link_.setReplyWait(ReplyWait::Direct);
            const bool compatible = AskFirmwareVersion(language);
            link_.setReplyWait(pollWait);
            return compatible;
        }
    }
    display_.setTitle(NotConnectedTitle());
    return false;
}

void ProgrammerDiscovery::UsePort(const PortEntry& port)
{
    link_.ProgrammerPortPath = port.devicePath;
    link_.ProgrammerPresent = true;
}

bool ProgrammerDiscovery::AskFirmwareVersion(Language language)
{
    using namespace LinkTexts;
    Prompts& prompts = link_.prompts();
    if (link_.QueryAdapterVersion(language)) {
        link_.ClosePort();
        return true;
    }
    link_.ClosePort();
    prompts.message(IncompatibleFirmware.in(language), Error.in(language), PromptButtons::Ok, PromptIcon::Error);
    return false;
}

void ProgrammerDiscovery::OnDeviceChange(const DeviceNotice& notice, Language language)
{
    const bool portLike = notice.kind == DeviceKind::Port;
    switch (notice.event) {
    case DeviceEvent::Arrival:
        if (notice.kind == DeviceKind::Interface) {
            StatusText = InterfaceArrived;
            ++ArrivalCount;
            ArrivedInterfaceName = notice.deviceName;
        } else if (portLike) {
            StatusText = PortNotice;
        }
        break;
    case DeviceEvent::RemovalComplete:
        if (notice.kind == DeviceKind::Interface) {
            StatusText = InterfaceRemoved;
            link_.ProgrammerPresent = false;
            ArrivalCount = 0;
        } else if (portLike) {
            StatusText = PortNotice;
        }
        break;
    case DeviceEvent::ConfigurationChanged: {
        StatusText = ConfigurationChangedText;
        const qsizetype at = ArrivedInterfaceName.indexOf(IdentityMark);
        const QString identity = at < 0 ? QString() : ArrivedInterfaceName.mid(at, ProgrammerIdentity.size());
        if (identity == ProgrammerIdentity && ArrivalCount != 0) {
            display_.setTitle(ConnectedTitle());
            link_.clock().sleepMs(SettleAfterPlugInMs);
            display_.enableProgrammerMode(FindProgrammer(language));
            link_.ProgrammerPresent = true;
        } else {
            display_.setTitle(NotConnectedTitle());
            link_.ProgrammerPresent = false;
        }
        ArrivalCount = 0;
        break;
    }
    case DeviceEvent::Other: break;
    }
    display_.showStatus(StatusText);
}

void ProgrammerDiscovery::OnProgrammerLost(ReaderModes readerMode, Language language)
{
    display_.setTitle(NotConnectedTitle());
    display_.enableProgrammerMode(false);           // programmer mode needs the port; a plug-in enables it again
    if (readerMode == ReaderModes::Replies) return; // the command that used the port reports it
    link_.prompts().message(LinkTexts::ReaderLost.in(language).arg(link_.ProgrammerPortPath),
                            LinkTexts::ErrorLoud.in(language), PromptButtons::Ok, PromptIcon::Error);
}
