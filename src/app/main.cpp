// kavro: the desktop program of the KAVRO-PX17 programmer.

#include "app/GuardedApplication.h"
#include "app/MainWindow.h"
#include "app/QtPrompts.h"
#include "app/RecoveryNotice.h"
#include "model/FileIO.h"
#include "programmer/Clock.h"
#include "programmer/DeviceNotices.h"
#include "programmer/NamedPortNotices.h"
#include "programmer/PortList.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/QtSerialPort.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QTimer>

int main(int argc, char* argv[])
{
    GuardedApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kavro"));
    QApplication::setApplicationVersion(QStringLiteral(KAVRO_VERSION));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("The desktop program of the KAVRO-PX17 programmer."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption portOption(
        QStringLiteral("port"), QStringLiteral("Use the serial port PATH as the programmer (or set KAVRO_PORT)."),
        QStringLiteral("PATH"));
    options.addOption(portOption);
    options.addPositionalArgument(QStringLiteral("FILE"),
                                  QStringLiteral("A data file (*.kvr) to open, as File > Open does."),
                                  QStringLiteral("[FILE]"));
    // A file name that is not UTF-8 keeps its bytes (Qt's own list would replace them).
    options.process(ArgumentsAsGiven(argc, argv));
    const QStringList files = options.positionalArguments();
    if (files.size() > 1) options.showHelp(1);

    QtPrompts prompts;
    SystemPortList ports(options.value(portOption));
    LinuxDeviceNotices systemNotices(ports);
    // A port named by path may be a pseudo-terminal that no device notice reports.
    const QString namedPort = PortOverride(options.value(portOption));
    NamedPortNotices namedNotices(systemNotices, namedPort);
    DeviceNotices& notices = namedPort.isEmpty() ? static_cast<DeviceNotices&>(systemNotices) : namedNotices;
    QtSerialPort port;
    SystemClock clock;
    ProgrammerLink link(port, prompts, clock);
    TForm1 window(TForm1Setup{prompts, LanguageIniPath(), ProgrammerPieces{link, ports, notices}});
    prompts.SetParent(&window);
    application.SetRescue(GuardedApplication::DefaultRescue(prompts, [&window] {
        return UnsavedWork{window.Store(), window.CurrentType(), window.CurrentLanguage(),
                           window.Document().DataModified};
    }));
    window.show();
    // Inside the event loop, so that a signal that comes while one of their messages is up ends
    // the program instead of leaving it in a loop that has already been told to quit.
    QTimer::singleShot(0, &window, [&window, &prompts, files] {
        AnnounceRecoveryFiles(prompts, window.CurrentLanguage(), GuardedApplication::RecoveryFolder());
        if (!files.isEmpty()) window.OpenDataFileFromCommandLine(QFileInfo(files.first()).absoluteFilePath());
    });
    return application.exec();
}
