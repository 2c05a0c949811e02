#pragma once
// The programmer's two key readers, touch memory and RFID: starting one puts the programmer into
// reader mode with the port kept open; stopping sends it back to idle and closes the port. Each
// frame a running reader sends carries three key bytes and their checksum.

#include "model/Language.h"
#include "model/KeyStore.h"
#include "programmer/ProgrammerLink.h"

#include <QByteArrayView>

#include <optional>

enum class KeyReader { TouchMemory, Rfid };

// Opens the port and starts the reader; false (reported by the port layer) when the port cannot
// be opened. No answer is awaited: frames arrive in the poll ticks from now on.
bool StartReader(ProgrammerLink& link, KeyReader reader, Language language);
// pcIdle, the wait for the next tick, and the port closed.
void StopReader(ProgrammerLink& link);

// The key of a frame whose fourth byte is the sum of the first three modulo 256; nothing for a
// frame with another checksum or fewer than four bytes.
std::optional<KeyBytes> KeyOfFrame(QByteArrayView frame);
