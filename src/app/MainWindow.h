#pragma once
// TForm1, the main window: the composition root that owns the record, the document state, the
// pages and the commands, and wires menus, tool bar and lists to them.

#include "app/CommandStates.h"
#include "app/DocumentCommands.h"
#include "app/QtTranslation.h"
#include "app/TransferDialog.h"
#include "editing/EditingHost.h"
#include "programmer/KeyReaders.h"
#include "model/Language.h"
#include "model/Prompts.h"
#include "model/IntercomData.h"
#include "programmer/ProgrammerDiscovery.h"
#include "views/PageContext.h"

#include <QMainWindow>

#include <array>
#include <memory>

class ApartmentPage;
class ChipCommands;
class KeyCapture;
class MenuKeys;
class StatusLine;
class ReaderButtons;
class ReportCommands;
class SoundPlayer;
class DeviceNotices;
class Page;
class PortList;
class ProgrammerLink;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QProgressBar;
class PageControl;
class QTimer;
class QToolBar;
class QToolButton;

// The programmer link and the outside world discovery looks at.
struct ProgrammerPieces {
    ProgrammerLink& link;
    PortList& ports;
    DeviceNotices& notices;
};

// Everything the window takes from outside, so tests can hand in scripted versions.
struct TForm1Setup {
    Prompts& prompts;
    QString languageIniPath;
    ProgrammerPieces programmer;
    DumpFiles dumps = {};
    SoundPlayer* sounds = nullptr; // nullptr: the window plays through Qt Multimedia
    // Opens the report in the desktop's text editor, false when no program opens it; unset:
    // through the desktop's file handler.
    std::function<bool(const QString& path)> openInEditor = {};
};

class TForm1 : public QMainWindow, private DocumentWindow, private DiscoveryDisplay {
    Q_OBJECT
public:
    explicit TForm1(TForm1Setup setup, QWidget* parent = nullptr);
    ~TForm1() override;

    IntercomStore& Store() { return *store_; }
    const DocumentState& Document() const { return documents_->State(); }
    Language CurrentLanguage() const override { return language_; }
    std::optional<TDeviceType> CurrentType() const override;
    bool SoundOn() const { return soundOn_; }
    bool SmallIButton() const override { return smallIButton_; }
    void SetSmallIButton(bool set) { smallIButton_ = set; }
    const InputTargets& InputTarget() const { return inputTargets_; }
    CommandStates& Commands() override { return commands_; }

    // Handlers, named after their control and event.
    void ANewExecute();
    void MFile_OpenClick();
    // `kavro FILE`: the data file is opened as File > Open opens it.
    void OpenDataFileFromCommandLine(const QString& path);
    void ASaveExecute();
    void ASaveAsExecute();
    void ACloseExecute();
    void CBox2Change();
    void ComboBox1Change();
    void PageControl1Change();
    // The current type's page becomes the active page, shown and filled from a new data set.
    void ShowDataSet() override;
    void N2Click(bool checked);
    void N6Click();
    // The reader buttons: pressed starts their reader, released stops it.
    void ToolButton5Click(bool pressed);
    void ToolButton6Click(bool pressed);
    // Stores a key from a reader frame or the keyboard into the current page.
    void InsertKey(KeyBytes key);
    void N4Click();
    void N5Click();
    // Opens the programmer mode (TForm2) modally.
    void ToolButton11Click();

    void ApplyCaptions();
    void Timer1Timer();
    void SetTitleFileName(const QString& path) override;
    void SelectTypeSilently(std::optional<TDeviceType> type) override;
    // Any edit of the record by the pages and editing rules.
    void MarkModified() { documents_->MarkModified(); }
    // The status line from the reader buttons, the key receiver and the document state.
    void RefreshStatusLine();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildPages();
    // The keyboard editors of the tables and fields that take typing, each on its control.
    void BuildEditors();
    void ShowShortcutsInFileMenu();
    QAction* NamedAction(const char* name, QObject* parent = nullptr);
    QAction* AddItem(QMenu* menu, const char* name, const QString& fixedText = QString());
    QMenu* AddMenu(QWidget* parent, const char* name);
    QToolButton* AddToolButton(const char* name, QAction* action = nullptr);

    void SetLanguageListEnabled(bool enabled) override;
    void HideDataSet() override;
    // Typing begun in a field or cell of the previous data set never reaches the new one.
    void AbandonEntries();
    void ClearSmallIButton() override { smallIButton_ = false; }
    void SelectPage(const char* name) override;

    void setTitle(const QString& title) override;
    // The caption, followed by the document's file while it has one.
    void ShowTitle();
    void showStatus(const QString& text) override;
    void enableProgrammerMode(bool enabled) override;
    Page* PageNamed(const char* name) const;
    void OnReaderFrame(QByteArrayView frame);
    void FollowKeyTarget();

    Prompts& prompts_;
    ProgrammerPieces programmer_;
    std::unique_ptr<ProgrammerDiscovery> discovery_;
    const QString languageIniPath_;
    std::unique_ptr<IntercomStore> store_;
    Language language_ = Language::English;
    QtTranslation qtTranslation_;
    bool soundOn_ = false;
    bool smallIButton_ = false;
    InputTargets inputTargets_; // one per page family that has several key receivers, all 0 at start
    QString caption_; // the window's caption without a file name
    QString titleFileName_; // the document's file in the title; empty while it has none
    PageContext pageContext_;
    EditingHost editingHost_;
    CellFocusState cellFocus_; // shared by the apartment tables with codes
    CommandStates commands_;
    std::unique_ptr<DocumentCommands> documents_;
    std::unique_ptr<SoundPlayer> ownSounds_;
    SoundPlayer& sounds_;
    TransferDialogProgress transferProgress_;
    std::unique_ptr<KeyCapture> keyCapture_;
    std::unique_ptr<ChipCommands> chipCommands_;
    std::unique_ptr<ReportCommands> reportCommands_;
    std::unique_ptr<ReaderButtons> readerButtons_;

    MenuKeys* menuKeys_ = nullptr;
    StatusLine* statusLine_ = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QComboBox* CBox2 = nullptr;
    QComboBox* ComboBox1 = nullptr;
    QLabel* Label30 = nullptr;
    QLabel* Image1 = nullptr;
    QProgressBar* CGauge1 = nullptr;
    PageControl* PageControl1 = nullptr;
    QAction* N2 = nullptr;
    QAction* NVerify = nullptr;
    QToolButton* ToolButton5 = nullptr; // touch-memory reader
    QToolButton* ToolButton6 = nullptr; // RFID reader
    QTimer* Timer1 = nullptr;
    std::array<Page*, 10> pages_{}; // TabSheet1 to TabSheet10
};
