#pragma once
// SIGTERM, SIGHUP and SIGINT brought onto the event loop. The handler itself only writes the
// signal's number into a pipe (the one thing a signal handler may safely do here); a socket
// notifier reads it on the user-interface thread, where the program can save and end in order.
// After the first signal the default actions are back, so a second one ends a stuck program at once.

#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // One per process: the handlers and the pipe are the process's own.
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signal);

private:
    void TakeSignal();

    QSocketNotifier* notifier_ = nullptr;
};
