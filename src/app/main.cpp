// kavro: the desktop program of the KAVRO-PX17 programmer.

#include "app/MainWindow.h"
#include "app/QtPrompts.h"
#include "programmer/Clock.h"
#include "programmer/DeviceNotices.h"
#include "programmer/PortList.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/QtSerialPort.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>

#include <exception>

namespace {

// An exception that leaves an event handler is shown to the user before the program ends.
class KavroApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            Fail(QString::fromLocal8Bit(error.what()));
        } catch (...) {
            Fail(QStringLiteral("unknown error"));
        }
        return false;
    }

private:
    static void Fail(const QString& what)
    {
        QMessageBox::critical(nullptr, applicationDisplayName(), what);
        std::exit(EXIT_FAILURE);
    }
};

} // namespace

int main(int argc, char* argv[])
{
    KavroApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kavro"));
    QApplication::setApplicationVersion(QStringLiteral(KAVRO_VERSION));

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("The desktop program of the KAVRO-PX17 programmer."));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption portOption(QStringLiteral("port"),
                                        QStringLiteral("Use the serial port PATH as the programmer (or set KAVRO_PORT)."),
                                        QStringLiteral("PATH"));
    options.addOption(portOption);
    options.process(application);

    QtPrompts prompts;
    SystemPortList ports(options.value(portOption));
    LinuxDeviceNotices notices(ports);
    QtSerialPort port;
    SystemClock clock;
    ProgrammerLink link(port, prompts, clock);
    TForm1 window(TForm1Setup{prompts, LanguageIniPath(), ProgrammerPieces{link, ports, notices}});
    prompts.SetParent(&window);
    window.show();
    return application.exec();
}
