#include "app/TerminationSignals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr std::array<int, 3> Handled{SIGTERM, SIGHUP, SIGINT};

// [0] is read by the notifier, [1] written by the handler.
int signalPipe[2] = {-1, -1};

void WriteSignalNumber(int signal)
{
    const int savedErrno = errno;
    const auto number = static_cast<unsigned char>(signal);
    // A full pipe already holds a signal that will end the program; this one may be dropped.
    [[maybe_unused]] const ssize_t written = ::write(signalPipe[1], &number, 1);
    errno = savedErrno;
}

void SetAction(void (*handler)(int))
{
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : Handled) sigaction(signal, &action, nullptr);
}

} // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent)
{
    if (::pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return; // the signals keep their default: the program ends
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &TerminationSignals::TakeSignal);
    SetAction(WriteSignalNumber);
}

TerminationSignals::~TerminationSignals()
{
    if (!notifier_) return;
    SetAction(SIG_DFL);
    delete notifier_;
    ::close(signalPipe[0]);
    ::close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

void TerminationSignals::TakeSignal()
{
    unsigned char number = 0;
    if (::read(signalPipe[0], &number, 1) != 1) return;
    SetAction(SIG_DFL);
    notifier_->setEnabled(false);
    emit received(number);
}
