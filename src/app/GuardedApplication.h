#pragma once
// The desktop program's application object. An exception that leaves an event handler ends the
// program, but first the record goes to a recovery file in the user's data folder and the user is
// told the error and where that file is, so unsaved work survives.

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
    TDeviceType type;
    Language language;
};

struct Rescue {
    Prompts& prompts;
    std::function<UnsavedWork()> unsavedWork;
    QString recoveryFolder; // the user's data folder of this program
    std::function<void()> endProgram;
};

class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    // Until this is called an error ends the program with the error on standard error.
    void SetRescue(Rescue rescue);
    // The rescue main() uses: the user's data folder, and an exit with a failure status.
    static Rescue DefaultRescue(Prompts& prompts, std::function<UnsavedWork()> unsavedWork);

    bool notify(QObject* receiver, QEvent* event) override;

private:
    void Fail(const QString& what);

    std::optional<Rescue> rescue_;
    bool failing_ = false; // events a message box runs while the program is ending are not rescued again
};
