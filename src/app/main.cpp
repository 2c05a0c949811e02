// kavro: the desktop program of the KAVRO-PX17 programmer.

#include "app/MainWindow.h"
#include "app/QtPrompts.h"

#include <QApplication>
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
    QApplication::setApplicationDisplayName(QStringLiteral("KAVRO-PX17"));
    QApplication::setApplicationVersion(QStringLiteral(KAVRO_VERSION));

    QtPrompts prompts;
    TForm1 window(TForm1Setup{prompts, LanguageIniPath(), DumpFiles{}});
    prompts.SetParent(&window);
    window.show();
    return application.exec();
}
