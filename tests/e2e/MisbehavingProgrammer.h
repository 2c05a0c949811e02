#pragma once
// A programmer that misbehaves on the wire, for end-to-end tests: a pseudo-terminal of its own in
// front of a running kavro-sim. Every request goes through to the simulator unchanged; every
// reply comes back changed as the fault says. The forwarding runs on a thread of its own, so the
// window or kavro-cli can block on the port meanwhile.

#include <QByteArray>
#include <QString>

#include <atomic>
#include <thread>

class MisbehavingProgrammer {
public:
    struct Fault {
        bool repeatReplies = false;   // every reply sent twice, back to back
        int delayRepliesMs = 0;       // every reply held back this long
        QByteArray junkBeforeReplies; // sent just before every reply
        qint64 hangUpAfterBytes = -1; // the line hangs up once this many reply bytes went out; below 0 never
    };

    MisbehavingProgrammer() = default;
    MisbehavingProgrammer(const MisbehavingProgrammer&) = delete;
    MisbehavingProgrammer& operator=(const MisbehavingProgrammer&) = delete;
    ~MisbehavingProgrammer();

    // Opens the pseudo-terminal and starts forwarding to the simulator's port; false when either
    // cannot be opened.
    bool start(const QString& simulatorPort, const Fault& fault);
    // The device path the program under test opens.
    QString port() const { return port_; }

private:
    void run();
    // Passes one reply on, changed by the fault; false once the line has hung up.
    bool forwardReply(QByteArray reply);
    void hangUp();

    Fault fault_;
    QString port_;
    int master_ = -1;
    int slave_ = -1;
    int upstream_ = -1;
    int wake_[2] = {-1, -1};
    qint64 repliedBytes_ = 0;
    std::thread forwarding_;
};
