#include "app/SoundPlayer.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QSoundEffect>
#include <QTimer>
#include <QUrl>

namespace {

// The length of a PCM WAV file from its header; 0 when it is no such file.
int WavDurationMs(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return 0;
    const QByteArray header = file.read(44);
    if (header.size() < 44 || !header.startsWith("RIFF") || header.mid(8, 4) != "WAVE") return 0;
    const auto word = [&](int at) {
        return quint32(quint8(header[at])) | quint32(quint8(header[at + 1])) << 8 |
               quint32(quint8(header[at + 2])) << 16 | quint32(quint8(header[at + 3])) << 24;
    };
    const quint32 bytesPerSecond = word(28);
    return bytesPerSecond == 0 ? 0 : int(qint64(file.size() - 44) * 1000 / bytesPerSecond);
}

} // namespace

void PlayKeySound(SoundPlayer& player, KeySound sound)
{
    switch (sound) {
    case KeySound::Stored: player.play(QStringLiteral("sound_ok.wav")); break;
    case KeySound::Duplicate: player.play(QStringLiteral("sound_err.wav")); break;
    case KeySound::Beep: player.beep(); break;
    case KeySound::None: break;
    }
}

QStringList SoundFolders()
{
    return {QDir::currentPath(), QApplication::applicationDirPath() + QStringLiteral("/../share/kavro"),
            QStringLiteral(KAVRO_DATA_DIR)};
}

void QtSoundPlayer::play(const QString& fileName)
{
    for (const QString& folder : SoundFolders()) {
        const QString path = QDir(folder).filePath(fileName);
        if (!QFile::exists(path)) continue;
        QSoundEffect effect;
        effect.setSource(QUrl::fromLocalFile(path));
        effect.play();
        // isPlaying() stays true on a machine without an audio device: wait for the sound's length.
        QEventLoop wait;
        QTimer::singleShot(WavDurationMs(path), &wait, &QEventLoop::quit);
        wait.exec(QEventLoop::ExcludeUserInputEvents);
        return;
    }
}

void QtSoundPlayer::beep() { QApplication::beep(); }
