#pragma once
// The two reader buttons of the tool bar, touch memory and RFID: one reader at a time, and a
// button always shows whether its reader runs. The session's reader state follows the buttons.

#include "programmer/KeyReaders.h"

class QToolButton;
class Session;

class ReaderButtons {
public:
    ReaderButtons(ProgrammerLink& link, QToolButton& touchMemory, QToolButton& rfid, Session& session);

    // The button of `reader` was clicked into `pressed`: start or stop its reader.
    void Click(KeyReader reader, bool pressed);
    // Both buttons up and a running reader stopped (and 100 ms waited), before a command uses the port.
    void StopAll();
    // The programmer went away under a running reader: both buttons up, nothing sent.
    void ReaderLost();

private:
    void FollowButtons();

    ProgrammerLink& link_;
    QToolButton& touchMemory_;
    QToolButton& rfid_;
    Session& session_;
};
