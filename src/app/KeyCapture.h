#pragma once
// InsertKey: a key from a reader frame or typed into a table goes to the receiver of the current
// page by the key store's rules; the page then shows it in its cell, the selection moves on, the
// document is marked modified where the rules say so and the sound is given while it is on.

#include "model/KeyStore.h"
#include "views/PageContext.h"

#include <functional>

class QWidget;
class RecordGrid;
struct KeyReceiver;
class SoundPlayer;

struct KeyCaptureHost {
    PageContext& page;
    QWidget& pages;                       // holds every page's controls
    std::function<bool()> smallIButton;
    std::function<bool()> soundOn;
    SoundPlayer& sounds;
    // Tells the user where the key was stored, or where the copy lies that made it a duplicate.
    std::function<void(const QString&)> report;
};

class KeyCapture {
public:
    explicit KeyCapture(KeyCaptureHost host) : host_(std::move(host)) {}

    void InsertKey(KeyBytes key);

private:
    void Report(const KeyStoreOutcome& outcome, const KeyReceiver& receiver, const RecordGrid* grid, KeyBytes key);

    KeyCaptureHost host_;
};
