#pragma once
// TForm1, the main window: the composition root that owns the record, the document state, the
// pages and the commands, and wires menus, tool bar and lists to them.

#include "app/CommandStates.h"
#include "app/DocumentCommands.h"
#include "app/QtTranslation.h"
#include "app/ReportCommands.h"
#include "app/Session.h"
#include "app/TransferDialog.h"
#include "app/WindowTitle.h"
#include "programmer/KeyReaders.h"
#include "model/Language.h"
#include "model/Prompts.h"
#include "model/IntercomData.h"
#include "programmer/ProgrammerDiscovery.h"

#include <QMainWindow>

#include <functional>
#include <memory>

class ChipCommands;
class CompareCommands;
class DataSetView;
class EditHistory;
class FindKeyDialog;
class KeyFileCommands;
class RecentMenu;
class StartHint;
class KeyCapture;
class MenuKeys;
class StatusLine;
class StatusFeed;
class ReaderButtons;
class SoundPlayer;
class DeviceNotices;
class PageEditors;
class PageLookup;
class PortList;
class ProgrammerLink;
class QAction;
class QComboBox;
class QLabel;
class QMenu;
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
    EditorOpener openInEditor = {};
};

class TForm1 : public QMainWindow, private DocumentWindow, private DiscoveryDisplay {
    Q_OBJECT
public:
    explicit TForm1(TForm1Setup setup, QWidget* parent = nullptr);
    ~TForm1() override;

    IntercomStore& Store() { return session_.Store(); }
    const DocumentState& Document() const { return documents_->State(); }
    Language CurrentLanguage() const override { return session_.CurrentLanguage(); }
    std::optional<TDeviceType> CurrentType() const override { return session_.CurrentType(); }
    bool SmallIButton() const override { return session_.SmallIButton(); }
    void SetSmallIButton(bool set) { session_.SetSmallIButton(set); }
    const InputTargets& InputTarget() const { return session_.Targets(); }
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
    // File > Archive...: the chip archive's entries, in a window of their own.
    void MFile_ArchiveClick();

    void ApplyCaptions();
    void Timer1Timer();
    void SetTitleFileName(const QString& path) override;
    void SelectTypeSilently(std::optional<TDeviceType> type) override;
    // Any edit of the record by the pages and editing rules.
    void MarkModified() { session_.MarkModified(); }
    // The status line from the reader buttons, the key receiver and the document state.
    void RefreshStatusLine();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildActions();
    void BuildMenus();
    void BuildToolBar();
    void BuildPages();
    void ShowShortcutsInFileMenu();
    QAction* NamedAction(const char* name, QObject* parent = nullptr);
    QAction* AddItem(QMenu* menu, const char* name, const QString& fixedText = QString());
    QMenu* AddMenu(QWidget* parent, const char* name);
    QToolButton* AddToolButton(const char* name, QAction* action = nullptr);

    void SetLanguageListEnabled(bool enabled) override;
    void HideDataSet() override;
    void ClearSmallIButton() override { session_.SetSmallIButton(false); }
    void SelectPage(const char* name) override;

    void setTitle(const QString& title) override;
    void showStatus(const QString& text) override;
    void enableProgrammerMode(bool enabled) override;
    void OnReaderFrame(QByteArrayView frame);
    // Undo and redo: the restored record's type and page, filled again.
    void ShowRestoredRecord();
    // Runs a command of the Edit menu or the key files while a data set is shown.
    void WhileDataSetShown(const std::function<void()>& command);

    Prompts& prompts_;
    ProgrammerPieces programmer_;
    std::unique_ptr<ProgrammerDiscovery> discovery_;
    const QString languageIniPath_;
    Session session_;
    QtTranslation qtTranslation_;
    WindowTitle title_;
    CommandStates commands_;
    std::unique_ptr<DocumentCommands> documents_;
    std::unique_ptr<SoundPlayer> ownSounds_;
    SoundPlayer& sounds_;
    TransferDialogProgress transferProgress_;
    std::unique_ptr<KeyCapture> keyCapture_;
    std::unique_ptr<ChipCommands> chipCommands_;
    std::unique_ptr<ReportCommands> reportCommands_;
    std::unique_ptr<ReaderButtons> readerButtons_;
    std::unique_ptr<PageLookup> pages_;
    std::unique_ptr<PageEditors> editors_;
    std::unique_ptr<DataSetView> dataSet_;
    std::unique_ptr<StatusFeed> statusFeed_;
    std::unique_ptr<KeyFileCommands> keyFiles_;
    std::unique_ptr<CompareCommands> compare_;
    std::unique_ptr<RecentMenu> recentMenu_;
    EditHistory* editHistory_ = nullptr;
    FindKeyDialog* findKey_ = nullptr;
    StartHint* startHint_ = nullptr;

    MenuKeys* menuKeys_ = nullptr;
    StatusLine* statusLine_ = nullptr;
    QToolBar* ToolBar1 = nullptr;
    QComboBox* CBox2 = nullptr;
    QMenu* MCompareChip = nullptr; // filled with the chips of the current type as it opens
    QComboBox* ComboBox1 = nullptr;
    QLabel* Image1 = nullptr;
    PageControl* PageControl1 = nullptr;
    QTimer* Timer1 = nullptr;
};
