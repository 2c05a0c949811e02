#pragma once
// The state the window shares with its pages, editors and commands, which take it by reference:
// the one record, the current controller type, the SmallIButton flag, the language, the key
// capture targets, the reader state and the options a command reads. Who must react to a change
// listens to its signal; edits of the record are announced with MarkModified.

#include "model/IntercomData.h"
#include "model/KeyIdentifier.h"
#include "model/Language.h"
#include "model/TableSpecs.h"
#include "model/TypeCatalogue.h"

#include <QObject>

#include <memory>
#include <optional>

class ChipArchive;
class Prompts;

enum class ReaderState { Off, TouchMemory, Rfid };

class Session : public QObject {
    Q_OBJECT
public:
    explicit Session(Prompts& prompts);
    ~Session() override;

    IntercomStore& Store() { return *store_; }
    const IntercomStore& Store() const { return *store_; }
    Prompts& Prompter() { return prompts_; }

    // The type the type list shows; set when the list changes, never read back from it.
    std::optional<TDeviceType> CurrentType() const { return type_; }
    void SetCurrentType(std::optional<TDeviceType> type) { type_ = type; }
    // The G300 page shows its DS1995 variant.
    bool SmallIButton() const { return smallIButton_; }
    void SetSmallIButton(bool set) { smallIButton_ = set; }
    Language CurrentLanguage() const { return language_; }
    void SetLanguage(Language language) { language_ = language; }
    // Which control of a page family receives captured keys; all 0 at start.
    InputTargets& Targets() { return inputTargets_; }
    const InputTargets& Targets() const { return inputTargets_; }
    ReaderState Reader() const { return reader_; }
    bool ReaderOn() const { return reader_ != ReaderState::Off; }
    void SetReader(ReaderState reader);
    // The option "Sound": a captured key is acknowledged by a sound.
    bool SoundOn() const { return soundOn_; }
    void SetSoundOn(bool on) { soundOn_ = on; }
    // The option "Verify after write": a completed write is read back and compared.
    bool VerifyAfterWrite() const { return verifyAfterWrite_; }
    void SetVerifyAfterWrite(bool verify) { verifyAfterWrite_ = verify; }
    // The option "Back up the chip before writing": a write first reads and archives the chip.
    bool BackupBeforeWrite() const { return backupBeforeWrite_; }
    void SetBackupBeforeWrite(bool backup) { backupBeforeWrite_ = backup; }
    // The option "Show what a write will change": the user confirms the differences first.
    bool PreviewWrite() const { return previewWrite_; }
    void SetPreviewWrite(bool preview) { previewWrite_ = preview; }
    // The chip archive, opened on first use so that the start-up never waits for a database;
    // its messages follow the language of the moment.
    ChipArchive& Archive();

    // Any edit of the record by a page, an editing rule or a command.
    void MarkModified() { emit ModifiedMarked(); }
    // A key typed into a table goes to the current page's key store, as a key from a reader does.
    void EnterKey(KeyBytes key) { emit KeyEntered(key); }
    // The current page is filled again, with its command states and focus.
    void RefillPage() { emit RefillRequested(); }

signals:
    void ModifiedMarked();
    void KeyEntered(KeyBytes key);
    void RefillRequested();
    void ReaderChanged();

private:
    std::unique_ptr<IntercomStore> store_; // large: kept off the stack of whoever holds the session
    Prompts& prompts_;
    std::optional<TDeviceType> type_;
    bool smallIButton_ = false;
    Language language_ = Language::English;
    InputTargets inputTargets_;
    ReaderState reader_ = ReaderState::Off;
    bool soundOn_ = false;
    bool verifyAfterWrite_ = true;
    bool backupBeforeWrite_ = true;
    bool previewWrite_ = true;
    std::unique_ptr<ChipArchive> archive_;
};
