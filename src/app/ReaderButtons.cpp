#include "app/ReaderButtons.h"

#include "app/Session.h"
#include "programmer/Clock.h"

#include <QToolButton>

ReaderButtons::ReaderButtons(ProgrammerLink& link, QToolButton& touchMemory, QToolButton& rfid, Session& session)
        : link_(link), touchMemory_(touchMemory), rfid_(rfid), session_(session)
{
    for (QToolButton* button : {&touchMemory_, &rfid_})
        QObject::connect(button, &QToolButton::toggled, &session_, [this] { FollowButtons(); });
}

void ReaderButtons::FollowButtons()
{
    session_.SetReader(touchMemory_.isChecked() ? ReaderState::TouchMemory
                       : rfid_.isChecked()      ? ReaderState::Rfid
                                                : ReaderState::Off);
}

void ReaderButtons::Click(KeyReader reader, bool pressed)
{
    QToolButton& button = reader == KeyReader::TouchMemory ? touchMemory_ : rfid_;
    QToolButton& other = reader == KeyReader::TouchMemory ? rfid_ : touchMemory_;
    // A click that starts nothing (the other reader runs, the port cannot be opened) puts the
    // button back up.
    if (other.isChecked()) {
        button.setChecked(false);
        return;
    }
    if (!pressed) {
        StopReader(link_);
        return;
    }
    if (!StartReader(link_, reader, session_.CurrentLanguage())) button.setChecked(false);
}

void ReaderButtons::StopAll()
{
    bool wasRunning = false;
    for (QToolButton* button : {&rfid_, &touchMemory_}) {
        if (!button->isChecked()) continue;
        button->setChecked(false);
        StopReader(link_);
        wasRunning = true;
    }
    if (wasRunning) link_.clock().sleepMs(100);
}

void ReaderButtons::ReaderLost()
{
    touchMemory_.setChecked(false);
    rfid_.setChecked(false);
}
