#pragma once
// The document commands of the File menu and the type list: New, Open (data file or chip dump),
// Save, Save As, the type change and the save-first question, with the document state they keep.

#include "model/Language.h"
#include "model/Prompts.h"
#include "codecs/ImageFiles.h"
#include "model/IntercomData.h"
#include "model/RecentFiles.h"
#include "model/TypeCatalogue.h"

#include <QString>

#include <functional>

class CommandStates;


enum class DocumentFormat { None = 0, DataFile = 1, ChipDump = 2 };

struct DocumentState {
    bool DataModified = false;
    bool HasFileName = false; // the document can be saved without asking for a name
    QString DocumentPath;
    int SaveFormat = 0; // filter index of the last save dialog; 0 before the first
    // The format of the file at DocumentPath: a plain Save writes it in this format, so a data
    // file never replaces a chip dump (or the other way round) without a save dialog.
    DocumentFormat PathFormat = DocumentFormat::None;
};

// What the commands need of the main window.
class DocumentWindow {
public:
    // The type selected in the type list; none while nothing is selected.
    virtual std::optional<TDeviceType> CurrentType() const = 0;
    virtual void SelectTypeSilently(std::optional<TDeviceType> type) = 0;
    virtual Language CurrentLanguage() const = 0;
    virtual void SetLanguageListEnabled(bool enabled) = 0;
    // Selects the current type's page, shows the page control and runs PageControl1Change.
    virtual void ShowDataSet() = 0;
    virtual void HideDataSet() = 0;
    virtual void SetTitleFileName(const QString& path) = 0;
    virtual bool SmallIButton() const = 0;
    virtual void ClearSmallIButton() = 0;
    // Makes the page of that object name the active page, without a fill.
    virtual void SelectPage(const char* name) = 0;
    virtual CommandStates& Commands() = 0;

protected:
    ~DocumentWindow() = default;
};

// The chip dump file layer; tests may hand in one that records what it was asked to do.
struct DumpFiles {
    std::function<FileOutcome(const QString& path, std::optional<TDeviceType> type, IntercomStore& store,
                              const DecodeContext& context)>
        importDump = ImportDump;
    std::function<FileOutcome(const QString& path, std::optional<TDeviceType> type, IntercomStore& store,
                              Language language)>
        exportDump = ExportDump;
};

// Who follows the document: the edit history and the recent files menu.
struct DocumentHooks {
    std::function<void()> newDataSet;    // New, an opened file or a type change replaced the record
    std::function<void()> saved;         // the document was written
    std::function<void()> recentChanged; // the recent files list changed
};

class DocumentCommands {
public:
    DocumentCommands(IntercomStore& store, Prompts& prompts, DocumentWindow& window, DumpFiles dumps);

    const DocumentState& State() const { return state_; }
    void MarkModified() { state_.DataModified = true; }
    // Undo and redo say whether the record is back at what the file holds.
    void SetModified(bool modified) { state_.DataModified = modified; }
    void SetHooks(DocumentHooks hooks) { hooks_ = std::move(hooks); }

    // The recent files kept beside `languageIniPath`; the file dialogs start in their last folder.
    void UseRecentFiles(const QString& languageIniPath);
    const RecentFiles& Recent() const { return recent_; }
    // Opens a file of the recent files list as File > Open opens a chosen one.
    void OpenRecent(const RecentFile& file);

    // False when the command is to stop: the user chose Cancel, or chose Yes and the document
    // was not written (save dialog cancelled, write failed).
    bool AskSaveFirst();
    void ANewExecute();
    void MFile_OpenClick();
    // Opens a data file named on the command line as File > Open opens a chosen one: the same
    // save-first question, checks and messages.
    void OpenDataFileFromCommandLine(const QString& path);
    // True when the document was written.
    bool ASaveExecute();
    bool ASaveAsExecute();
    // The user picked entry `type` of the type list, which is already selected.
    void CBox2Change(std::optional<TDeviceType> type);
    // The document part of closing the window: true lets it close.
    bool FormClose() { return AskSaveFirst(); }
    // The document has no file any more (the next Save asks for one); the title shows none.
    void ForgetFileName();

private:
    // Each returns true when the document was written.
    bool Save();
    bool SaveAs(const QString& proposedName);
    std::optional<FileDialogChoice> ChooseSaveTarget(const QString& proposedName);
    bool WriteDocument(const QString& path, DocumentFormat format);
    // The part of File > Open before the file is chosen; false when the command is to stop.
    bool PrepareOpen();
    void OpenDataFile(const QString& path);
    void OpenChipDump(const QString& path);
    void AdoptFile(const QString& path, DocumentFormat format);
    // The chosen file opens by the format of its filter.
    void OpenChosen(const FileDialogChoice& choice);
    void NoteRecent(const QString& path, DocumentFormat format);
    static void Notify(const std::function<void()>& hook);
    void ShowPageOfCurrentType();
    // The PKU-630XE's case: its keys live in the extension slots, which only a chip dump carries.
    bool CurrentTypeUsesExtensionSlots() const;
    void ReturnToRecordsType();
    PromptAnswer Ask(const Bilingual& text, PromptButtons buttons, const Bilingual& title = MessageTitle);
    void ShowError(const Bilingual& text, const QString& detail);

    IntercomStore& store_;
    Prompts& prompts_;
    DocumentWindow& window_;
    DumpFiles dumps_;
    DocumentState state_;
    FileDialogRequest openDialog_;
    FileDialogRequest saveDialog_;
    DocumentHooks hooks_;
    RecentFiles recent_;
    QString languageIniPath_; // empty: the recent files are not kept
};
