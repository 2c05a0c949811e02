#pragma once
// The sounds of key capture: a named sound file played to its end, or the system's beep. The
// window plays them only while the sound option is on; tests record what would be heard.

#include "model/KeyStore.h"

#include <QString>

class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays "sound_ok.wav" or "sound_err.wav" and returns when it has ended.
    virtual void play(const QString& fileName) = 0;
    virtual void beep() = 0;
};

// The sound a key store outcome asks for, if any.
void PlayKeySound(SoundPlayer& player, KeySound sound);

// Plays through Qt Multimedia. A sound file is looked for in the working directory first, then in
// the program's data folder; a missing file or a machine without audio plays nothing.
class QtSoundPlayer : public SoundPlayer {
public:
    void play(const QString& fileName) override;
    void beep() override;
};

// The folders a sound file is looked for in, in order.
QStringList SoundFolders();
