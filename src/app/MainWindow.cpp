#include "app/MainWindow.h"

#include "app/AboutBox.h"
#include "app/Captions.h"
#include "app/Pictures.h"
#include "documents/Conversion.h"
#include "dumps/TForm2.h"
#include "model/TypeName.h"
#include "programmer/Clock.h"
#include "programmer/DeviceNotices.h"
#include "programmer/PortList.h"
#include "programmer/ProgrammerLink.h"
#include "app/ChipCommands.h"
#include "app/ConversionCommands.h"
#include "app/KeyCapture.h"
#include "app/MenuKeys.h"
#include "app/ReaderButtons.h"
#include "app/ReportCommands.h"
#include "app/SoundPlayer.h"
#include "app/StatusLine.h"
#include "app/KeyPlaces.h"
#include "app/WheelGuard.h"
#include "editing/EditingTables.h"
#include "editing/FieldEditor.h"
#include "editing/TableEditor.h"
#include "views/MaskEdit.h"
#include "views/PageParts.h"
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
#include <QApplication>
#include <QActionGroup>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QUrl>
#include <QLabel>
#include <QLineEdit>
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
const char* const CopyItems[][2] = {{"DS19961", "DS1996"}, {"N24c161", "24C16"}, {"N24c321", "24C32"},
                                    {"N24c641", "24C64"}};

// A control of the pages by its object name; every name of the editing tables names one.
template <typename T> T& ControlOf(QWidget& pages, const char* name)
{
    T* control = pages.findChild<T*>(QString::fromLatin1(name));
    Q_ASSERT_X(control, "ControlOf", name);
    return *control;
}
} // namespace

TForm1::TForm1(TForm1Setup setup, QWidget* parent)
    : QMainWindow(parent), prompts_(setup.prompts), programmer_(setup.programmer), languageIniPath_(setup.languageIniPath),
      store_(std::make_unique<IntercomStore>()),
      pageContext_{*store_, [this] { return language_; }, [this] { return CurrentType(); },
                   [this] { MarkModified(); }, inputTargets_},
      editingHost_{*store_,
                   prompts_,
                   [this] { return language_; },
                   [this] { MarkModified(); },
                   [this] { return readerButtons_->AnyDown(); },
                   [this](KeyBytes key) { InsertKey(key); },
                   [this] { PageControl1Change(); }},
      commands_(*this), ownSounds_(setup.sounds ? nullptr : std::make_unique<QtSoundPlayer>()),
      sounds_(setup.sounds ? *setup.sounds : *ownSounds_), transferProgress_(this)
{
    setObjectName(QStringLiteral("Form1"));
    documents_ = std::make_unique<DocumentCommands>(*store_, prompts_, static_cast<DocumentWindow&>(*this),
                                                    std::move(setup.dumps));
    chipCommands_ = std::make_unique<ChipCommands>(ChipCommandsHost{
        *store_, prompts_, static_cast<DocumentWindow&>(*this), *documents_, programmer_.link, transferProgress_,
        [this] { readerButtons_->StopAll(); }, [this](bool set) { smallIButton_ = set; },
        [this] { return NVerify->isChecked(); }, [this](const QString& text) { statusLine_->ShowEvent(text); }});
    BuildActions();
    BuildMenus();
    menuKeys_ = new MenuKeys(*this);
    BuildToolBar();
    BuildPages();
    BuildEditors();
    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(status);
    statusLine_ = new StatusLine(*status);
    const auto showEvent = [this](const QString& text) { statusLine_->ShowEvent(text); };
    keyCapture_ = std::make_unique<KeyCapture>(KeyCaptureHost{pageContext_, *PageControl1, [this] { return smallIButton_; },
                                                              [this] { return soundOn_; }, sounds_, showEvent});
    reportCommands_ = std::make_unique<ReportCommands>(ReportCommandsHost{
        pageContext_, *PageControl1, prompts_, [this] { return smallIButton_; },
        setup.openInEditor ? setup.openInEditor
                           : [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); },
        showEvent});
    programmer_.link.OnReaderFrame = [this](QByteArrayView frame, ReaderModes) { OnReaderFrame(frame); };
    programmer_.link.OnProgrammerLost = [this](ReaderModes running) {
        readerButtons_->ReaderLost();
        discovery_->OnProgrammerLost(running, language_);
    };
    FollowKeyTarget();
    resize(1270, 760); // fits a 1280 x 800 screen with the desktop's panels

    // Start-up, in its order: device notices, the language flag, the poll timer, the record, the
    // captions, the programmer, and the first controller type without the type change.
    discovery_ = std::make_unique<ProgrammerDiscovery>(programmer_.link, programmer_.ports,
                                                       static_cast<DiscoveryDisplay&>(*this));
    programmer_.notices.start([this](const DeviceNotice& notice) { discovery_->OnDeviceChange(notice, language_); });
    language_ = ReadLanguageFlag(languageIniPath_);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    connect(Timer1, &QTimer::timeout, this, &TForm1::Timer1Timer);
    Timer1->start(PollPeriodMs);
    ResetRecord(*store_);
    {
        const QSignalBlocker silent(ComboBox1);
        ComboBox1->setCurrentIndex(static_cast<int>(language_));
    }
    ApplyCaptions();
    commands_.AfterStartUp();
    commands_.SetEnabled("ToolButton11", discovery_->FindProgrammerAtStartUp(language_));
    SelectTypeSilently(TDeviceType::T150);
    PageControl1->hide();
}

void TForm1::setTitle(const QString& title)
{
    caption_ = title;
    ShowTitle();
}

void TForm1::ShowTitle()
{
    setWindowTitle(titleFileName_.isEmpty() ? caption_ : caption_ + QStringLiteral("   ") + titleFileName_);
}

void TForm1::showStatus(const QString& text)
{
    statusBar()->showMessage(text);
    statusBar()->show();
}

void TForm1::enableProgrammerMode(bool enabled) { commands_.SetEnabled("ToolButton11", enabled); }

void TForm1::ToolButton11Click()
{
    readerButtons_->StopAll(); // programmer mode needs the port
    TForm2 dialog(programmer_.link, prompts_, language_, this);
    dialog.exec();
}

void TForm1::Timer1Timer()
{
    // A tick that reads a reply may process events; the timer must not tick inside it.
    Timer1->stop();
    programmer_.link.PollTick();
    RefreshStatusLine();
    Timer1->start();
}

void TForm1::FollowKeyTarget()
{
    // The receiver changes with the focus (InputTarget), the selection and the reader buttons.
    connect(qApp, &QApplication::focusChanged, this, &TForm1::RefreshStatusLine);
    for (RecordGrid* grid : PageControl1->findChildren<RecordGrid*>())
        connect(grid, &QTableWidget::currentCellChanged, this, &TForm1::RefreshStatusLine);
    for (QToolButton* reader : {ToolButton5, ToolButton6})
        connect(reader, &QToolButton::toggled, this, &TForm1::RefreshStatusLine);
}

void TForm1::RefreshStatusLine()
{
    StatusFacts facts;
    facts.reader = ToolButton5->isChecked() ? ReaderState::TouchMemory
                   : ToolButton6->isChecked() ? ReaderState::Rfid
                                              : ReaderState::Off;
    facts.modified = Document().DataModified;
    const std::optional<TDeviceType> type = CurrentType();
    if (facts.reader != ReaderState::Off && type && !PageControl1->isHidden()) {
        const KeyReceiver& receiver = ReceiverOf(type, smallIButton_, inputTargets_);
        const auto* grid = receiver.control ? PageControl1->findChild<RecordGrid*>(QString::fromLatin1(receiver.control))
                                            : nullptr;
        facts.keyTarget = NextKeyPlace(*store_, receiver, grid, language_);
    }
    statusLine_->Show(facts, language_);
}

// The pages refer to the record and the page context: they go first, while both still exist.
TForm1::~TForm1()
{
    disconnect(qApp, &QApplication::focusChanged, this, nullptr);
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
            if (item.direction == ChipDirection::Read) chipCommands_->Read(item);
            else chipCommands_->Write(item);
        });
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
    if (auto* bar = qobject_cast<QMenuBar*>(parent)) bar->addMenu(menu);
    else if (auto* owner = qobject_cast<QMenu*>(parent)) owner->addMenu(menu);
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

    QMenu* MFile = AddMenu(bar, "MFile");
    connect(AddItem(MFile, "MFile_New"), &QAction::triggered, this, &TForm1::ANewExecute);
    connect(AddItem(MFile, "MFile_Open"), &QAction::triggered, this, &TForm1::MFile_OpenClick);
    connect(AddItem(MFile, "MFile_Save"), &QAction::triggered, this, &TForm1::ASaveExecute);
    connect(AddItem(MFile, "N3"), &QAction::triggered, this, &TForm1::ASaveAsExecute);
    QAction* N4 = AddItem(MFile, "N4");
    N4->setShortcut(QKeySequence::Print);
    connect(N4, &QAction::triggered, this, &TForm1::N4Click);
    MFile->addSeparator();
    runs(AddItem(MFile, "MFile_Exit"), "AClose");

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
        connect(AddItem(N1, rule.action, QString::fromUtf8(rule.caption)), &QAction::triggered, this,
                [this, &rule] { RunConversion(rule, store_->Record, static_cast<DocumentWindow&>(*this)); });

    QMenu* MCfg = AddMenu(bar, "MCfg");
    N2 = AddItem(MCfg, "N2");
    N2->setCheckable(true);
    connect(N2, &QAction::triggered, this, &TForm1::N2Click);
    // Checked at every start, like the sound option not kept between runs.
    NVerify = AddItem(MCfg, "NVerify");
    NVerify->setCheckable(true);
    NVerify->setChecked(true);

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
    ToolButton5 = AddToolButton("ToolButton5");
    ToolButton6 = AddToolButton("ToolButton6");
    for (QToolButton* reader : {ToolButton5, ToolButton6}) reader->setCheckable(true);
    connect(ToolButton5, &QToolButton::clicked, this, &TForm1::ToolButton5Click);
    connect(ToolButton6, &QToolButton::clicked, this, &TForm1::ToolButton6Click);
    readerButtons_ = std::make_unique<ReaderButtons>(programmer_.link, *ToolButton5, *ToolButton6,
                                                     [this] { return language_; });
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
    Label30 = new QLabel(ToolBar1);
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
    CGauge1 = new QProgressBar(central);
    CGauge1->setObjectName(QStringLiteral("CGauge1"));
    CGauge1->hide();
    layout->addWidget(CGauge1);

    PageControl1 = new PageControl(central);
    pages_ = {new ApartmentPage(pageContext_, PageControl1),
              new KeyListPage(KeyListPage::LMR702(), pageContext_, PageControl1),
              new PKU618Page(pageContext_, PageControl1),
              new PKU630Page(pageContext_, PageControl1),
              new G300Page(G300Page::DS1996(), pageContext_, PageControl1),
              new G300Page(G300Page::DS1995(), pageContext_, PageControl1),
              new PKU512SPage(pageContext_, PageControl1),
              new KeyListPage(KeyListPage::LMR70x2680(), pageContext_, PageControl1),
              new Page(QStringLiteral("TabSheet9"), pageContext_, PageControl1), // never shown
              new KeyListPage(KeyListPage::PKU630XE(), pageContext_, PageControl1)};
    for (Page* page : pages_) PageControl1->addTab(page, QString());
    layout->addWidget(PageControl1, 1);
    setCentralWidget(central);
}

void TForm1::BuildEditors()
{
    for (const TableEditing& rules : EditedTables())
        new TableEditor(ControlOf<RecordGrid>(*PageControl1, rules.table), rules, editingHost_, cellFocus_);
    for (const FieldEditing& rules : EditedFields())
        new FieldEditor(ControlOf<MaskEdit>(*PageControl1, rules.field), rules,
                        rules.next ? &ControlOf<MaskEdit>(*PageControl1, rules.next) : nullptr, editingHost_);
    for (const char* name : MasterKeyFields()) new MasterKeyField(ControlOf<QLineEdit>(*PageControl1, name), editingHost_);
}

void TForm1::SelectPage(const char* name) { PageControl1->setCurrentWidget(PageNamed(name)); }

Page* TForm1::PageNamed(const char* name) const
{
    for (Page* page : pages_)
        if (page->objectName() == QLatin1String(name)) return page;
    return nullptr;
}

std::optional<TDeviceType> TForm1::CurrentType() const { return TypeAtIndex(CBox2->currentIndex()); }

void TForm1::SelectTypeSilently(std::optional<TDeviceType> type)
{
    const QSignalBlocker silent(CBox2);
    CBox2->setCurrentIndex(type ? TypeIndex(*type) : -1);
}

void TForm1::SetLanguageListEnabled(bool enabled) { ComboBox1->setEnabled(enabled); }

void TForm1::AbandonEntries()
{
    for (FieldEditor* field : PageControl1->findChildren<FieldEditor*>()) field->Abandon();
    for (TableEditor* table : PageControl1->findChildren<TableEditor*>()) table->Abandon();
}

void TForm1::ShowDataSet()
{
    AbandonEntries();
    const std::optional<TDeviceType> type = CurrentType();
    if (!type) return;
    Page* page = PageNamed(FillRuleOf(FillOf(*type, smallIButton_)).page);
    page->StartDataSet();
    PageControl1->setCurrentWidget(page);
    PageControl1->show();
    PageControl1Change();
}

void TForm1::HideDataSet()
{
    AbandonEntries();
    PageControl1->hide();
}

void TForm1::PageControl1Change()
{
    const std::optional<TDeviceType> type = CurrentType();
    if (!type) return;
    const Fill fill = FillOf(*type, smallIButton_);
    const FillRule& rule = FillRuleOf(fill);
    PageNamed(rule.page)->RunFill(fill);
    commands_.AfterFill(fill);
    if (rule.focus)
        if (auto* first = findChild<QWidget*>(QString::fromLatin1(rule.focus))) first->setFocus();
    StoreTypeName(store_->Record, type);
    commands_.SetEnabled("N1", true);
}

void TForm1::ApplyCaptions()
{
    qtTranslation_.Apply(language_);
    caption_ = WindowCaption.in(language_);
    ShowTitle();
    for (const CaptionRow& row : CaptionTable()) ApplyCaptionRow(*this, row, language_);
    ShowShortcutsInFileMenu();
    menuKeys_->ApplyMnemonics(language_);
    for (ConfigCheckBox* box : findChildren<ConfigCheckBox*>()) box->ApplyHint(language_);
    Image1->setPixmap(FlagPicture(language_));
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
        item->setText(item->text().section(QLatin1Char('\t'), 0, 0) + QLatin1Char('\t')
                      + key.toString(QKeySequence::NativeText));
    }
}

void TForm1::SetTitleFileName(const QString& path)
{
    titleFileName_ = path;
    ShowTitle();
}

void TForm1::ComboBox1Change()
{
    language_ = ComboBox1->currentIndex() == 0 ? Language::Russian : Language::English;
    ApplyCaptions();
    WriteLanguageFlag(languageIniPath_, language_);
}

void TForm1::CBox2Change() { documents_->CBox2Change(CurrentType()); }

void TForm1::ANewExecute() { documents_->ANewExecute(); }
void TForm1::MFile_OpenClick() { documents_->MFile_OpenClick(); }
void TForm1::OpenDataFileFromCommandLine(const QString& path) { documents_->OpenDataFileFromCommandLine(path); }
void TForm1::ASaveExecute() { documents_->ASaveExecute(); }
void TForm1::ASaveAsExecute() { documents_->ASaveAsExecute(); }
void TForm1::ACloseExecute() { close(); }

void TForm1::N2Click(bool checked) { soundOn_ = checked; }

void TForm1::ToolButton5Click(bool pressed) { readerButtons_->Click(KeyReader::TouchMemory, pressed); }
void TForm1::ToolButton6Click(bool pressed) { readerButtons_->Click(KeyReader::Rfid, pressed); }

void TForm1::OnReaderFrame(QByteArrayView frame)
{
    if (const std::optional<KeyBytes> key = KeyOfFrame(frame)) InsertKey(*key);
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
    TAboutBox about(this, language_);
    about.exec();
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // The port is closed first, also when the user then keeps the window open.
    programmer_.link.ClosePort();
    if (documents_->FormClose()) event->accept();
    else event->ignore();
}
