#pragma once
// The desktop program's application object. An exception that leaves an event handler ends the
// program, but first the record goes to a recovery file in the user's data folder and the user is
// told the error and where that file is, so unsaved work survives. SIGTERM, SIGHUP, SIGINT and
// the end of the desktop session end the program too, after a modified record has gone to a
// recovery file the same way; nobody is there to answer a question then, so nothing is asked.

#include "model/IntercomData.h"
#include "model/Language.h"
#include "model/TypeCatalogue.h"

#include <QApplication>

#include <functional>
#include <optional>

class Prompts;

// What the main window holds when the error comes.
struct UnsavedWork {
    const IntercomStore& store;
    std::optional<TDeviceType> type;
    Language language;
    bool modified = true; // an unexpected error saves the record in any case
};

struct Rescue {
    Prompts& prompts;
    std::function<UnsavedWork()> unsavedWork;
    QString recoveryFolder;           // the user's data folder of this program
    std::function<void()> endProgram; // after an unexpected error
    // After a signal or the session's end: leaves the event loop with `status`, so the program
    // ends through main() as after Exit.
    std::function<void(int status)> endSession = [](int status) { QCoreApplication::exit(status); };
};

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    // Until this is called an error ends the program with the error on standard error.
    void SetRescue(Rescue rescue);
    // The rescue main() uses: the user's data folder, and an exit with a failure status.
    static Rescue DefaultRescue(Prompts& prompts, std::function<UnsavedWork()> unsavedWork);
    // The user's data folder of this program, where recovery files go.
    static QString RecoveryFolder();

    bool notify(QObject* receiver, QEvent* event) override;

    // Saves a modified record to a recovery file, tells standard error where it is, and ends the
    // program with `status`. A signal ends it with 128 + the signal's number, as the shell reports
    // a program the signal ended.
    void EndSession(int status);

private:
    void Fail(const QString& what);
    // Writes the recovery file; the sentence that tells the user where it is or why it is not.
    QString SaveUnsavedWork(const UnsavedWork& work);

    std::optional<Rescue> rescue_;
    bool failing_ = false; // events a message box runs while the program is ending are not rescued again
};
