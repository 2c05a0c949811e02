#include "app/MainWindow.h"

#include "app/AboutBox.h"
#include "app/ArchiveDialog.h"
#include "archive/ChipArchive.h"
#include "app/Captions.h"
#include "app/Pictures.h"
#include "documents/Conversion.h"
#include "dumps/TForm2.h"
#include "programmer/Clock.h"
#include "programmer/DeviceNotices.h"
#include "programmer/PortList.h"
#include "programmer/ProgrammerLink.h"
#include "app/ChipCommands.h"
#include "app/CompareCommands.h"
#include "app/ConversionCommands.h"
#include "app/KeyCapture.h"
#include "app/MenuKeys.h"
#include "app/ReaderButtons.h"
#include "app/ReportCommands.h"
#include "app/SoundPlayer.h"
#include "app/StatusLine.h"
#include "app/DataSetView.h"
#include "app/EditHistory.h"
#include "app/FindKeyDialog.h"
#include "app/KeyFileCommands.h"
#include "app/RecentMenu.h"
#include "app/StartHint.h"
#include "model/TypeName.h"
#include "app/PageEditors.h"
#include "app/PageLookup.h"
#include "app/StatusFeed.h"
#include "app/WheelGuard.h"
#include "views/ApartmentPage.h"
#include "views/ConfigCheckBox.h"
#include "views/G300Page.h"
#include "views/KeyListPage.h"
#include "views/PKU512SPage.h"
#include "views/PKU618Page.h"
#include "views/PKU630Page.h"
#include "views/Page.h"
#include "views/PageControl.h"

#include <QAction>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QUrl>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>


namespace {
const char* const TypeListHint = "Выбор типа домофона";
const char* const CopyItems[][2] = {
    {"DS19961", "DS1996"}, {"N24c161", "24C16"}, {"N24c321", "24C32"}, {"N24c641", "24C64"}};
} // namespace

TForm1::TForm1(TForm1Setup setup, QWidget* parent)
        : QMainWindow(parent), prompts_(setup.prompts), programmer_(setup.programmer),
          languageIniPath_(setup.languageIniPath), session_(setup.prompts), title_(*this), commands_(*this),
          ownSounds_(setup.sounds ? nullptr : std::make_unique<QtSoundPlayer>()),
          sounds_(setup.sounds ? *setup.sounds : *ownSounds_), transferProgress_(this)
{
    setObjectName(QStringLiteral("Form1"));
    documents_ = std::make_unique<DocumentCommands>(session_.Store(), prompts_, static_cast<DocumentWindow&>(*this),
                                                    std::move(setup.dumps));
    connect(&session_, &Session::ModifiedMarked, this, [this] { documents_->MarkModified(); });
    connect(&session_, &Session::KeyEntered, this, &TForm1::InsertKey);
    connect(&session_, &Session::RefillRequested, this, &TForm1::PageControl1Change);
    BuildActions();
    BuildMenus();
    menuKeys_ = new MenuKeys(*this);
    BuildToolBar();
    BuildPages();
    editors_ = std::make_unique<PageEditors>(*pages_, session_);
    dataSet_ = std::make_unique<DataSetView>(session_, *pages_, *editors_, commands_);
    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(status);
    statusLine_ = new StatusLine(*status);
    chipCommands_ = std::make_unique<ChipCommands>(ChipCommandsHost{session_, static_cast<DocumentWindow&>(*this),
                                                                    *documents_, programmer_.link, transferProgress_,
                                                                    *readerButtons_, *statusLine_});
    keyCapture_ = std::make_unique<KeyCapture>(session_, *pages_, sounds_, *statusLine_);
    reportCommands_ = std::make_unique<ReportCommands>(
        session_, *pages_,
        setup.openInEditor ? setup.openInEditor
                           : [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); },
        *statusLine_);
    programmer_.link.OnReaderFrame = [this](QByteArrayView frame, ReaderModes) { OnReaderFrame(frame); };
    programmer_.link.OnProgrammerLost = [this](ReaderModes running) {
        readerButtons_->ReaderLost();
        discovery_->OnProgrammerLost(running, session_.CurrentLanguage());
    };
    statusFeed_ = std::make_unique<StatusFeed>(session_, *pages_, *statusLine_, *documents_);
    const auto action = [this](const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); };
    editHistory_ = new EditHistory(
        {session_, *pages_, *documents_, *action("AUndo"), *action("ARedo"), [this] { ShowRestoredRecord(); }}, *this);
    findKey_ = new FindKeyDialog(session_, *pages_, this);
    keyFiles_ = std::make_unique<KeyFileCommands>(session_, *documents_);
    // Find key starts from a key just refused as a duplicate, to show where its copy is.
    const auto findKey = [this] { WhileDataSetShown([this] { findKey_->Open(keyCapture_->OfferedDuplicate()); }); };
    connect(action("AFindKey"), &QAction::triggered, this, findKey);
    connect(statusLine_, &StatusLine::ShowDuplicateRequested, this, findKey);
    connect(action("AExportKeys"), &QAction::triggered, this,
            [this] { WhileDataSetShown([this] { keyFiles_->Export(); }); });
    connect(action("AImportKeys"), &QAction::triggered, this,
            [this] { WhileDataSetShown([this] { keyFiles_->Import(); }); });
    compare_ = std::make_unique<CompareCommands>(session_, *documents_, *chipCommands_, *PageControl1, *this);
    connect(action("ACompareWith"), &QAction::triggered, this,
            [this] { WhileDataSetShown([this] { compare_->CompareWithFile(); }); });
    connect(MCompareChip, &QMenu::aboutToShow, this, [this] { compare_->FillChipMenu(*MCompareChip); });
    documents_->SetHooks({[this] { editHistory_->Start(!documents_->State().DataModified); },
                          [this] { editHistory_->MarkSaved(); }, [this] { recentMenu_->Refill(); }});
    documents_->UseRecentFiles(languageIniPath_);
    resize(1270, 760); // fits a 1280 x 800 screen with the desktop's panels

    // Start-up, in its order: device notices, the language flag, the poll timer, the record, the
    // captions, the programmer, and the first controller type without the type change.
    discovery_ = std::make_unique<ProgrammerDiscovery>(programmer_.link, programmer_.ports,
                                                       static_cast<DiscoveryDisplay&>(*this));
    programmer_.notices.start(
        [this](const DeviceNotice& notice) { discovery_->OnDeviceChange(notice, session_.CurrentLanguage()); });
    session_.SetLanguage(ReadLanguageFlag(languageIniPath_));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1->start(PollPeriodMs);
    ResetRecord(session_.Store());
    {
        const QSignalBlocker silent(ComboBox1);
        ComboBox1->setCurrentIndex(static_cast<int>(session_.CurrentLanguage()));
    }
    ApplyCaptions();
    commands_.AfterStartUp();
    commands_.SetEnabled("ToolButton11", discovery_->FindProgrammerAtStartUp(session_.CurrentLanguage()));
    SelectTypeSilently(TDeviceType::T150);
    PageControl1->hide();
}

void TForm1::setTitle(const QString& title) { title_.SetCaption(title); }

void TForm1::showStatus(const QString& text)
{
    statusBar()->showMessage(text);
    statusBar()->show();
}

void TForm1::enableProgrammerMode(bool enabled) { commands_.SetEnabled("ToolButton11", enabled); }

void TForm1::ToolButton11Click()
{
    readerButtons_->StopAll(); // programmer mode needs the port
    TForm2 dialog(programmer_.link, prompts_, session_.CurrentLanguage(), this,
                  {&session_.Archive(), session_.BackupBeforeWrite()});
    dialog.exec();
}

void TForm1::MFile_ArchiveClick()
{
    // One archive window at a time; another click brings it to the front.
    if (auto* open = findChild<ArchiveDialog*>()) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto* dialog =
        new ArchiveDialog(ArchiveDialogHost{session_.Archive(), prompts_, session_.CurrentLanguage(), session_.Store(),
                                            *PageControl1, [this] { return CurrentType(); },
                                            [this](const ArchiveEntry& entry, const QByteArray& image) {
                                                return chipCommands_->OpenArchived(entry, image);
                                            },
                                            [this](const ArchiveEntry& entry, const QByteArray& image) {
                                                chipCommands_->Restore(entry, image);
                                            }},
                          this);
    dialog->show();
}

void TForm1::Timer1Timer()
{
    // A tick that reads a reply may process events; the timer must not tick inside it.
    Timer1->stop();
    programmer_.link.PollTick();
    RefreshStatusLine();
    Timer1->start();
}

void TForm1::RefreshStatusLine() { statusFeed_->Refresh(); }

// The pages refer to the session: they go first, while it still exists, and no focus change of
// their teardown refreshes the status line.
TForm1::~TForm1()
{
    statusFeed_.reset();
    delete takeCentralWidget();
}

QAction* TForm1::NamedAction(const char* name, QObject* parent)
{
    auto* action = new QAction(parent ? parent : this);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}

void TForm1::BuildActions()
{
    connect(NamedAction("ANew"), &QAction::triggered, this, &TForm1::ANewExecute);
    connect(NamedAction("AOpen"), &QAction::triggered, this, &TForm1::MFile_OpenClick);
    connect(NamedAction("ASave"), &QAction::triggered, this, &TForm1::ASaveExecute);
    connect(NamedAction("ASaveAs"), &QAction::triggered, this, &TForm1::ASaveAsExecute);
    connect(NamedAction("AClose"), &QAction::triggered, this, &TForm1::ACloseExecute);
    // The chip commands' actions; the menu items run them.
    for (const ChipItem& item : ChipItems()) {
        if (!item.action) continue;
        connect(NamedAction(item.action), &QAction::triggered, this, [this, &item] {
            if (item.direction == ChipDirection::Read)
                chipCommands_->Read(item);
            else
                chipCommands_->Write(item);
        });
    }
    NamedAction("AExportKeys");
    NamedAction("ACompareWith");
    NamedAction("AImportKeys");
    // The Edit menu's commands; the menu holds these actions themselves and shows their shortcuts.
    for (const auto& [name, key] :
         {std::pair{"AUndo", Qt::CTRL | Qt::Key_Z}, std::pair{"ARedo", Qt::CTRL | Qt::SHIFT | Qt::Key_Z},
          std::pair{"AFindKey", Qt::CTRL | Qt::Key_F}}) {
        QAction* action = NamedAction(name);
        action->setShortcut(QKeySequence(key));
        addAction(action);
    }
    for (const auto& [name, key] : {std::pair{"ANew", QKeySequence::New}, std::pair{"AOpen", QKeySequence::Open},
                                    std::pair{"ASave", QKeySequence::Save}}) {
        QAction* action = findChild<QAction*>(QString::fromLatin1(name));
        action->setShortcut(key);
        addAction(action);
    }
    findChild<QAction*>(QStringLiteral("ANew"))->setIcon(style()->standardIcon(QStyle::SP_FileIcon));
    findChild<QAction*>(QStringLiteral("AOpen"))->setIcon(style()->standardIcon(QStyle::SP_DialogOpenButton));
    findChild<QAction*>(QStringLiteral("ASave"))->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    findChild<QAction*>(QStringLiteral("AClose"))->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
}

QMenu* TForm1::AddMenu(QWidget* parent, const char* name)
{
    auto* menu = new QMenu(parent);
    menu->setObjectName(QString::fromLatin1(name));
    if (auto* bar = qobject_cast<QMenuBar*>(parent))
        bar->addMenu(menu);
    else if (auto* owner = qobject_cast<QMenu*>(parent))
        owner->addMenu(menu);
    return menu;
}

QAction* TForm1::AddItem(QMenu* menu, const char* name, const QString& fixedText)
{
    QAction* item = NamedAction(name, menu);
    item->setText(fixedText);
    menu->addAction(item);
    return item;
}

void TForm1::BuildMenus()
{
    QMenuBar* bar = menuBar();
    const auto runs = [this](QAction* item, const char* actionName) {
        QAction* action = findChild<QAction*>(QString::fromLatin1(actionName));
        connect(item, &QAction::triggered, action, &QAction::trigger);
    };

    const auto action = [this](const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); };
    QMenu* MFile = AddMenu(bar, "MFile");
    connect(AddItem(MFile, "MFile_New"), &QAction::triggered, this, &TForm1::ANewExecute);
    connect(AddItem(MFile, "MFile_Open"), &QAction::triggered, this, &TForm1::MFile_OpenClick);
    connect(AddItem(MFile, "MFile_Save"), &QAction::triggered, this, &TForm1::ASaveExecute);
    connect(AddItem(MFile, "N3"), &QAction::triggered, this, &TForm1::ASaveAsExecute);
    recentMenu_ = std::make_unique<RecentMenu>(*AddMenu(MFile, "MRecent"), *documents_);
    for (const char* keyFiles : {"AExportKeys", "AImportKeys", "ACompareWith"}) MFile->addAction(action(keyFiles));
    MCompareChip = AddMenu(MFile, "MCompareChip");
    QAction* N4 = AddItem(MFile, "N4");
    N4->setShortcut(QKeySequence::Print);
    connect(N4, &QAction::triggered, this, &TForm1::N4Click);
    connect(AddItem(MFile, "MFile_Archive"), &QAction::triggered, this, &TForm1::MFile_ArchiveClick);
    MFile->addSeparator();
    runs(AddItem(MFile, "MFile_Exit"), "AClose");

    QMenu* MEdit = AddMenu(bar, "MEdit");
    MEdit->addActions({action("AUndo"), action("ARedo")});
    MEdit->addSeparator();
    MEdit->addAction(action("AFindKey"));

    QMenu* MCmd = AddMenu(bar, "MCmd");
    QMenu* MCmd_Read = AddMenu(MCmd, "MCmd_Read");
    QMenu* MCmd_Write = AddMenu(MCmd, "MCmd_Write");
    for (const ChipItem& item : ChipItems()) {
        QAction* entry = AddItem(item.direction == ChipDirection::Read ? MCmd_Read : MCmd_Write, item.item,
                                 QString::fromLatin1(item.chip));
        if (item.action) runs(entry, item.action);
    }
    MCmd->addSeparator();
    // Only a check mark: choosing a chip to copy starts nothing.
    QMenu* MCmd_Copy = AddMenu(MCmd, "MCmd_Copy");
    auto* copyChoice = new QActionGroup(MCmd_Copy);
    for (const auto& item : CopyItems) {
        QAction* choice = AddItem(MCmd_Copy, item[0], QString::fromLatin1(item[1]));
        choice->setCheckable(true);
        copyChoice->addAction(choice);
    }
    copyChoice->actions().constFirst()->setChecked(true);
    connect(AddItem(MCmd, "N5"), &QAction::triggered, this, &TForm1::N5Click);
    MCmd->addSeparator();
    // The tool button PX17 and this item are one command, enabled while a programmer answers.
    QAction* programmerMode = NamedAction("AProgrammerMode");
    programmerMode->setIconText(QStringLiteral("PX17"));
    programmerMode->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    connect(programmerMode, &QAction::triggered, this, &TForm1::ToolButton11Click);
    MCmd->addAction(programmerMode);

    // The conversions, in menu order; each item is the action of its conversion.
    QMenu* N1 = AddMenu(bar, "N1");
    for (const ConversionRule& rule : Conversions())
        connect(AddItem(N1, rule.action, QString::fromUtf8(rule.caption)), &QAction::triggered, this, [this, &rule] {
            editHistory_->AsOneStep(
                [&] { RunConversion(rule, session_.Store().Record, static_cast<DocumentWindow&>(*this)); });
        });

    QMenu* MCfg = AddMenu(bar, "MCfg");
    QAction* N2 = AddItem(MCfg, "N2");
    N2->setCheckable(true);
    connect(N2, &QAction::triggered, this, &TForm1::N2Click);
    // Checked at every start, like the sound option not kept between runs.
    QAction* NVerify = AddItem(MCfg, "NVerify");
    NVerify->setCheckable(true);
    NVerify->setChecked(session_.VerifyAfterWrite());
    connect(NVerify, &QAction::toggled, &session_, &Session::SetVerifyAfterWrite);
    // Nothing a chip held is lost unless the user turns these off, for this run only.
    QAction* NBackup = AddItem(MCfg, "NBackup");
    NBackup->setCheckable(true);
    NBackup->setChecked(session_.BackupBeforeWrite());
    connect(NBackup, &QAction::toggled, &session_, &Session::SetBackupBeforeWrite);
    QAction* NPreview = AddItem(MCfg, "NPreview");
    NPreview->setCheckable(true);
    NPreview->setChecked(session_.PreviewWrite());
    connect(NPreview, &QAction::toggled, &session_, &Session::SetPreviewWrite);

    QAction* N6 = NamedAction("N6", bar);
    bar->addAction(N6);
    connect(N6, &QAction::triggered, this, &TForm1::N6Click);
    QAction* MExit = NamedAction("MExit", bar);
    bar->addAction(MExit);
    runs(MExit, "AClose");
}

QToolButton* TForm1::AddToolButton(const char* name, QAction* action)
{
    auto* button = new QToolButton(ToolBar1);
    button->setObjectName(QString::fromLatin1(name));
    if (action) button->setDefaultAction(action);
    ToolBar1->addWidget(button);
    return button;
}

void TForm1::BuildToolBar()
{
    ToolBar1 = addToolBar(QString());
    ToolBar1->setObjectName(QStringLiteral("ToolBar1"));
    ToolBar1->setMovable(false);
    const auto action = [this](const char* name) { return findChild<QAction*>(QString::fromLatin1(name)); };
    AddToolButton("ToolButton1", action("ANew"));
    AddToolButton("ToolButton2", action("AOpen"));
    AddToolButton("ToolButton3", action("ASave"));
    ToolBar1->addSeparator();
    QToolButton* ToolButton5 = AddToolButton("ToolButton5"); // touch-memory reader
    QToolButton* ToolButton6 = AddToolButton("ToolButton6"); // RFID reader
    for (QToolButton* reader : {ToolButton5, ToolButton6}) reader->setCheckable(true);
    connect(ToolButton5, &QToolButton::clicked, this, &TForm1::ToolButton5Click);
    connect(ToolButton6, &QToolButton::clicked, this, &TForm1::ToolButton6Click);
    readerButtons_ = std::make_unique<ReaderButtons>(programmer_.link, *ToolButton5, *ToolButton6, session_);
    ToolBar1->addSeparator();
    AddToolButton("ToolButton8")->setText(QStringLiteral("Конфигурация"));
    ToolBar1->addSeparator();
    AddToolButton("ToolButton10", action("AClose"));
    AddToolButton("ToolButton11", action("AProgrammerMode"));
    ToolBar1->addSeparator();

    CBox2 = new QComboBox(ToolBar1);
    CBox2->setObjectName(QStringLiteral("CBox2"));
    CBox2->setToolTip(QString::fromUtf8(TypeListHint));
    for (const TDeviceType type : AllDeviceTypes) CBox2->addItem(TypeText(type));
    connect(CBox2, &QComboBox::currentIndexChanged, this, &TForm1::CBox2Change);
    // Scrolling over the tool bar must not change the controller type and drop the page.
    CBox2->installEventFilter(new WheelGuard(CBox2));
    ToolBar1->addWidget(CBox2);

    auto* spacer = new QWidget(ToolBar1);
    spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    ToolBar1->addWidget(spacer);
    auto* Label30 = new QLabel(ToolBar1);
    Label30->setObjectName(QStringLiteral("Label30"));
    ToolBar1->addWidget(Label30);
    ComboBox1 = new QComboBox(ToolBar1);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems({QStringLiteral("русский"), QStringLiteral("english")});
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TForm1::ComboBox1Change);
    ToolBar1->addWidget(ComboBox1);
    Image1 = new QLabel(ToolBar1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image1->setContentsMargins(4, 0, 4, 0);
    ToolBar1->addWidget(Image1);
}

void TForm1::BuildPages()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* CGauge1 = new QProgressBar(central);
    CGauge1->setObjectName(QStringLiteral("CGauge1"));
    CGauge1->hide();
    layout->addWidget(CGauge1);

    PageControl1 = new PageControl(central);
    pages_ = std::make_unique<PageLookup>(*PageControl1);
    pages_->Add(new ApartmentPage(session_, PageControl1));
    pages_->Add(new KeyListPage(KeyListPage::LMR702(), session_, PageControl1));
    pages_->Add(new PKU618Page(session_, PageControl1));
    pages_->Add(new PKU630Page(session_, PageControl1));
    pages_->Add(new G300Page(G300Page::DS1996(), session_, PageControl1));
    pages_->Add(new G300Page(G300Page::DS1995(), session_, PageControl1));
    pages_->Add(new PKU512SPage(session_, PageControl1));
    pages_->Add(new KeyListPage(KeyListPage::LMR70x2680(), session_, PageControl1));
    pages_->Add(new Page(PageId::TabSheet9, session_, PageControl1)); // never shown
    pages_->Add(new KeyListPage(KeyListPage::PKU630XE(), session_, PageControl1));
    layout->addWidget(PageControl1, 1);
    startHint_ = new StartHint(*PageControl1, central);
    layout->addWidget(startHint_, 1);
    setCentralWidget(central);
}

void TForm1::SelectPage(const char* name) { dataSet_->SelectPage(name); }

void TForm1::SelectTypeSilently(std::optional<TDeviceType> type)
{
    session_.SetCurrentType(type);
    const QSignalBlocker silent(CBox2);
    CBox2->setCurrentIndex(type ? TypeIndex(*type) : -1);
}

void TForm1::SetLanguageListEnabled(bool enabled) { ComboBox1->setEnabled(enabled); }

// Every data set shown anew (a chip read, an archive entry) starts the edit history; a conversion
// runs as one step of it and does not.
void TForm1::ShowDataSet()
{
    dataSet_->Show();
    editHistory_->Start();
}

void TForm1::ShowRestoredRecord()
{
    // Undoing a conversion gives the record its former type back: its page is shown for it.
    const std::optional<TDeviceType> named = FindTypeByName(session_.Store().Record);
    if (named && named != CurrentType()) {
        SelectTypeSilently(named);
        dataSet_->Show();
    } else {
        dataSet_->Refill();
    }
}

void TForm1::WhileDataSetShown(const std::function<void()>& command)
{
    if (!PageControl1->isHidden()) command();
}
void TForm1::HideDataSet() { dataSet_->Hide(); }
void TForm1::PageControl1Change() { dataSet_->Refill(); }

void TForm1::ApplyCaptions()
{
    const Language language = session_.CurrentLanguage();
    qtTranslation_.Apply(language);
    title_.SetCaption(WindowCaption.in(language));
    for (const CaptionRow& row : CaptionTable()) ApplyCaptionRow(*this, row, language);
    ShowShortcutsInFileMenu();
    menuKeys_->ApplyMnemonics(language);
    for (ConfigCheckBox* box : findChildren<ConfigCheckBox*>()) box->ApplyHint(language);
    startHint_->ApplyLanguage(language);
    Image1->setPixmap(FlagPicture(language));
    update();
}

void TForm1::ShowShortcutsInFileMenu()
{
    // The actions own the shortcuts: the same shortcut on a second QAction of the window would be
    // ambiguous and fire neither, so the items show it as text after a tab, the menu's shortcut column.
    for (const auto& [itemName, actionName] :
         {std::pair{"MFile_New", "ANew"}, std::pair{"MFile_Open", "AOpen"}, std::pair{"MFile_Save", "ASave"}}) {
        QAction* item = findChild<QAction*>(QString::fromLatin1(itemName));
        const QKeySequence key = findChild<QAction*>(QString::fromLatin1(actionName))->shortcut();
        item->setText(item->text().section(QLatin1Char('\t'), 0, 0) + QLatin1Char('\t') +
                      key.toString(QKeySequence::NativeText));
    }
}

void TForm1::SetTitleFileName(const QString& path) { title_.SetFileName(path); }

void TForm1::ComboBox1Change()
{
    session_.SetLanguage(ComboBox1->currentIndex() == 0 ? Language::Russian : Language::English);
    ApplyCaptions();
    WriteLanguageFlag(languageIniPath_, session_.CurrentLanguage());
}

void TForm1::CBox2Change()
{
    session_.SetCurrentType(TypeAtIndex(CBox2->currentIndex()));
    documents_->CBox2Change(CurrentType());
}

void TForm1::ANewExecute() { documents_->ANewExecute(); }
void TForm1::MFile_OpenClick() { documents_->MFile_OpenClick(); }
void TForm1::OpenDataFileFromCommandLine(const QString& path) { documents_->OpenDataFileFromCommandLine(path); }
void TForm1::ASaveExecute() { documents_->ASaveExecute(); }
void TForm1::ASaveAsExecute() { documents_->ASaveAsExecute(); }
void TForm1::ACloseExecute() { close(); }

void TForm1::N2Click(bool checked) { session_.SetSoundOn(checked); }

void TForm1::ToolButton5Click(bool pressed) { readerButtons_->Click(KeyReader::TouchMemory, pressed); }
void TForm1::ToolButton6Click(bool pressed) { readerButtons_->Click(KeyReader::Rfid, pressed); }

void TForm1::OnReaderFrame(QByteArrayView frame)
{
    const std::optional<KeyBytes> key = KeyOfFrame(frame);
    if (!key) return;
    // While the find dialog is open a presented key is looked up, not stored.
    if (findKey_->isVisible())
        findKey_->TakeKey(*key);
    else
        InsertKey(*key);
}

void TForm1::InsertKey(KeyBytes key)
{
    keyCapture_->InsertKey(key);
    RefreshStatusLine();
}

void TForm1::N4Click() { reportCommands_->N4Click(); }
void TForm1::N5Click() { reportCommands_->N5Click(); }

void TForm1::N6Click()
{
    TAboutBox about(this, session_.CurrentLanguage());
    about.exec();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // The port is closed first, also when the user then keeps the window open.
    programmer_.link.ClosePort();
    if (documents_->FormClose())
        event->accept();
    else
        event->ignore();
}
