#pragma once
// InsertKey: a key from a reader frame or typed into a table goes to the receiver of the current
// page by the key store's rules; the page then shows it in its cell, the selection moves on, the
// document is marked modified where the rules say so and the sound is given while it is on.

#include "model/KeyStore.h"

#include <optional>

class PageLookup;
class RecordGrid;
class Session;
class SoundPlayer;
class StatusLine;

class KeyCapture {
public:
    // The status line tells the user where the key was stored, or where the copy lies that made
    // it a duplicate.
    KeyCapture(Session& session, const PageLookup& pages, SoundPlayer& sounds, StatusLine& status)
            : session_(session), pages_(pages), sounds_(sounds), status_(status)
    {
    }

    void InsertKey(KeyBytes key);
    // The key last refused as a duplicate, while the status line offers to show where it is.
    std::optional<KeyBytes> OfferedDuplicate() const;

private:
    void Report(const KeyStoreOutcome& outcome, const KeyReceiver& receiver, const RecordGrid* grid, KeyBytes key);

    Session& session_;
    const PageLookup& pages_;
    SoundPlayer& sounds_;
    StatusLine& status_;
    std::optional<KeyBytes> lastRefused_;
};
