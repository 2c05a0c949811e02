#pragma once
// A started main window in a private working folder, with scripted prompts and its own "lang.ini".

#include "LinkFakes.h"
#include "app/MainWindow.h"
#include "app/SoundPlayer.h"
#include "programmer/DeviceNotices.h"
#include "programmer/ProgrammerLink.h"
#include "model/DataFile.h"
#include "model/TypeName.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include <memory>

// Notices the test sends itself.
class SyntheticNotices : public DeviceNotices {
public:
    void start(std::function<void(const DeviceNotice&)> handler) override { handler_ = std::move(handler); }
    void send(DeviceEvent event, DeviceKind kind, const QString& name = {}) { handler_({event, kind, name}); }

private:
    std::function<void(const DeviceNotice&)> handler_;
};

// Sounds the window would give, in order.
class RecordingSounds : public SoundPlayer {
public:
    void play(const QString& fileName) override { played.append(fileName); }
    void beep() override { played.append(QStringLiteral("beep")); }
    QStringList played;
};

class WindowSession {
public:
    explicit WindowSession(const QByteArray& langIni = {}, QList<PortEntry> portList = {},
                           PortOpenResult portOpens = PortOpenResult::Opened)
    {
        if (!langIni.isEmpty()) WriteAll(IniPath(), langIni);
        ports.list = std::move(portList);
        port.openResult = portOpens;
        form = std::make_unique<TForm1>(TForm1Setup{
            prompts, IniPath(), ProgrammerPieces{link, ports, notices}, {}, &sounds, [this](const QString& path) {
                openedInEditor.append(path);
                return editorFound;
            }});
        form->show();
        // The preview's question comes before every write; the tests of writes that are not about
        // it answer only the questions they always had. The backup stays on: it asks nothing.
        Find<QAction>("NPreview")->setChecked(false);
    }

    // The fake programmer is the one the window found.
    void ConnectProgrammer()
    {
        link.ProgrammerPresent = true;
        link.ProgrammerPortPath = QStringLiteral("/dev/ttyACM0");
    }

    QString IniPath() const { return dir.file(QStringLiteral("lang.ini")); }
    QString File(const QString& name) const { return dir.file(name); }

    template <typename T = QWidget>
    T* Find(const char* name) const
    {
        T* found = form->findChild<T*>(QString::fromLatin1(name));
        if (!found) qWarning("no control %s", name);
        return found;
    }
    bool Enabled(const char* name) const { return form->Commands().IsEnabled(name); }
    void Trigger(const char* action) { Find<QAction>(action)->trigger(); }

    // The user picks an entry of the type list or the language list.
    void PickType(TDeviceType type) { Find<QComboBox>("CBox2")->setCurrentIndex(TypeIndex(type)); }
    void PickLanguage(int index) { Find<QComboBox>("ComboBox1")->setCurrentIndex(index); }

    void NewDocument(std::optional<TDeviceType> type)
    {
        form->SelectTypeSilently(type);
        form->ANewExecute();
    }
    // A data file of `type` whose first key slot holds `firstKey`.
    QString WriteDataFile(const QString& name, TDeviceType type, std::uint8_t firstKey = 0x11)
    {
        auto record = std::make_unique<TIntercomData>(form->Store().Record);
        StoreTypeName(*record, type);
        record->KeySlots[0].bytes = {firstKey, 0x22, 0x33, 0xFF};
        const QString path = File(name);
        WriteAll(path, DataFileBytes(*record));
        return path;
    }
    void Open(const QString& path, int filterIndex = 1)
    {
        prompts.choose(FileDialogChoice{path, filterIndex});
        form->MFile_OpenClick();
    }
    // The page control is visible and shows `page`.
    bool PageShown(const char* page) const
    {
        auto* pages = Find<QTabWidget>("PageControl1");
        return !pages->isHidden() && pages->currentWidget()->objectName() == QLatin1String(page);
    }
    bool PagesHidden() const { return Find<QTabWidget>("PageControl1")->isHidden(); }
    TIntercomData& Record() const { return form->Store().Record; }
    bool Modified() const { return form->Document().DataModified; }

    WorkingDirectory dir;
    ScriptedPrompts prompts;
    InstantClock clock;
    FakeProgrammerPort port{clock};
    ProgrammerLink link{port, prompts, clock};
    FixedPortList ports;
    SyntheticNotices notices;
    RecordingSounds sounds;
    QStringList openedInEditor; // files the window handed to the desktop's text editor
    bool editorFound = true;    // false: the desktop has no program that opens them
    std::unique_ptr<TForm1> form;
};
