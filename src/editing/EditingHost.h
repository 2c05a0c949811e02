#pragma once
// What the editing rules use of the window: the record, the modified flag, the reader buttons,
// the key store of the current page, the refill of the current page and the prompts.

#include "model/IntercomData.h"
#include "model/Language.h"
#include "model/TableSpecs.h"
#include "model/KeyStore.h"

#include <functional>

class Prompts;

struct EditingHost {
    IntercomStore& store;
    Prompts& prompts;
    std::function<Language()> language;
    std::function<void()> markModified;
    std::function<bool()> readerOn;          // the touch-memory or the RFID reader button is down
    std::function<void(KeyBytes)> insertKey; // the page's key store, as for a key from a reader
    std::function<void()> refillPage;        // fill, command states and focus of the current page
};

// A key typed while no reader button is down: the user has not said which kind of key it is.
void ShowReaderGateMessage(const EditingHost& host);

// The cell bookkeeping shared by the apartment tables with codes (only one of them is shown at a
// time): it restores a code cell the user leaves unfinished.
struct CellFocusState {
    bool TableEntered = false;   // the table just got the focus: its next selection only records the cell
    CellRef LastCell{0, 0};      // the cell last selected; row 0 names no cell
    bool RestorePending = false; // the key handler restores LastCell's code cell instead of handling a key
};
