#include "MisbehavingProgrammer.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {
bool WriteAll(int fd, const char* data, qsizetype size)
{
    while (size > 0) {
        const ssize_t written = ::write(fd, data, static_cast<size_t>(size));
        if (written < 0 && errno == EINTR) continue;
        if (written < 0) return false;
        data += written;
        size -= written;
    }
    return true;
}

void CloseIfOpen(int& fd)
{
    if (fd >= 0) ::close(fd);
    fd = -1;
}
} // namespace

bool MisbehavingProgrammer::start(const QString& simulatorPort, const Fault& fault)
{
    fault_ = fault;
    master_ = posix_openpt(O_RDWR | O_NOCTTY);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return false;
    port_ = QString::fromLocal8Bit(ptsname(master_));
    // Held open so that the terminal lives between the sessions of the program under test.
    slave_ = ::open(ptsname(master_), O_RDWR | O_NOCTTY);
    upstream_ = ::open(QFile::encodeName(simulatorPort).constData(), O_RDWR | O_NOCTTY);
    if (slave_ < 0 || upstream_ < 0 || ::pipe(wake_) != 0) return false;
    fcntl(upstream_, F_SETFL, fcntl(upstream_, F_GETFL) | O_NONBLOCK);
    termios raw{};
    tcgetattr(slave_, &raw);
    cfmakeraw(&raw);
    tcsetattr(slave_, TCSANOW, &raw);
    forwarding_ = std::thread([this] { run(); });
    return true;
}

MisbehavingProgrammer::~MisbehavingProgrammer()
{
    if (forwarding_.joinable()) {
        WriteAll(wake_[1], "x", 1);
        forwarding_.join();
    }
    for (int* fd : {&master_, &slave_, &upstream_, &wake_[0], &wake_[1]}) CloseIfOpen(*fd);
}

void MisbehavingProgrammer::run()
{
    char buffer[4096];
    while (master_ >= 0) {
        pollfd watched[3] = {{master_, POLLIN, 0}, {upstream_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        if (::poll(watched, 3, -1) < 0) {
            if (errno == EINTR) continue;
            return;
        }
        if (watched[2].revents != 0) return;
        if (watched[0].revents & POLLIN) {
            const ssize_t count = ::read(master_, buffer, sizeof buffer);
            if (count > 0) WriteAll(upstream_, buffer, count);
        }
        if (watched[1].revents & POLLIN) {
            const ssize_t count = ::read(upstream_, buffer, sizeof buffer);
            if (count > 0 && !forwardReply(QByteArray(buffer, count))) return;
        }
    }
}

bool MisbehavingProgrammer::forwardReply(QByteArray reply)
{
    if (fault_.delayRepliesMs > 0) {
        pollfd wake{wake_[0], POLLIN, 0};
        if (::poll(&wake, 1, fault_.delayRepliesMs) > 0) return false; // the test is over
    }
    if (fault_.repeatReplies) reply += reply;
    reply.prepend(fault_.junkBeforeReplies);
    if (fault_.hangUpAfterBytes >= 0 && repliedBytes_ + reply.size() >= fault_.hangUpAfterBytes) {
        WriteAll(master_, reply.constData(), fault_.hangUpAfterBytes - repliedBytes_);
        hangUp();
        return false;
    }
    repliedBytes_ += reply.size();
    return WriteAll(master_, reply.constData(), reply.size());
}

void MisbehavingProgrammer::hangUp()
{
    // Give the bytes time to reach the other side before the line drops, as a cable pulled
    // after them would.
    tcdrain(master_);
    CloseIfOpen(master_);
    CloseIfOpen(slave_);
}
