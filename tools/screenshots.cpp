// Writes a picture of every page of the main window, each filled with a sample record, into the
// folder given as the first argument: page-<type>.png, and for the apartment page a Russian one
// too; and archive.png, the archive window comparing two backups of one building. Run it under a real X server (docs/make-screenshots runs it under Xvfb).

#include "tools/StandaloneWindow.h"
#include "app/ArchiveDialog.h"
#include "app/WritePreviewQuestion.h"
#include "documents/WritePreview.h"
#include "codecs/CodecTables.h"
#include "model/NewDocument.h"
#include "model/TypeName.h"
#include "programmer/Chips.h"

#include <QApplication>
#include <QAction>
#include <QComboBox>
#include <QTableView>
#include <QTemporaryDir>
#include <QDir>
#include <QMessageBox>
#include <QThread>

#include <cstdio>

namespace {


// A few keys, codes and settings, as a chip read from a building would bring them.
void FillSample(IntercomStore& store)
{
    TIntercomData& record = store.Record;
    for (std::size_t slot = 0; slot < 40; slot += 3)
        record.KeySlots[slot].bytes = {std::uint8_t(0x11 * (slot % 7 + 1)), std::uint8_t(0xA0 + slot), 0x3C, 0xFF};
    for (std::size_t code = 0; code < 12; ++code)
        record.Codes[code] = static_cast<std::uint16_t>(0x1357 + 0x1111 * (code % 5));
    record.HeaderKeySlots[0].bytes = {0x01, 0x9E, 0x4D, 0xFF};
    record.MasterKey.bytes = {0x7A, 0x21, 0x0B, 0xFF};
    record.ServicePassword = 0x1234;
    record.SystemPassword = 0x5678;
    record.GeneralCode = 0x2468;
    record.ConfigByte = 0x9A;
    for (std::size_t slot = 0; slot < 30; slot += 4)
        store.ExtensionKeySlots[slot].bytes = {0x44, std::uint8_t(slot), 0x12, 0xFF};
}

void Shoot(TForm1& window, TDeviceType type, bool smallIButton, const QString& file)
{
    window.SelectTypeSilently(type);
    window.ANewExecute();
    FillSample(window.Store());
    window.SetSmallIButton(smallIButton);
    window.ShowDataSet();
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
    window.grab().save(file);
    std::printf("%s\n", qPrintable(file));
}

// Two backups of one building's chip and a read of another, in a throwaway archive; the window
// compares the two backups.
void ShootArchive(TForm1& window, const QString& file)
{
    QTemporaryDir data;
    qputenv("KAVRO_ARCHIVE", data.filePath(QStringLiteral("archive.sqlite")).toUtf8());
    ChipArchive archive(ArchiveLocationFromEnvironment());
    const auto add = [&](std::uint8_t firstKey, const QString& source, const QString& note, int minutesAgo) {
        auto store = std::make_unique<IntercomStore>();
        ResetRecord(*store);
        FillSample(*store);
        store->Record.KeySlots[0].bytes[0] = firstKey;
        ArchiveEntry entry;
        entry.time = QDateTime::currentDateTimeUtc().addSecs(-60 * minutesAgo);
        entry.chip = QStringLiteral("24C16");
        entry.type = TypeText(TDeviceType::T150);
        entry.source = source;
        entry.note = note;
        entry.file = QStringLiteral("/home/tech/lesnaya5.kvr");
        archive.Add(entry, DumpLayoutFor(TDeviceType::T150)->encode(*store));
    };
    add(0x11, ArchiveSource::Read, QStringLiteral("ул. Лесная, 5, подъезд 2"), 90);
    add(0x42, ArchiveSource::Read, QStringLiteral("ул. Садовая, 12"), 60);
    add(0x11, ArchiveSource::BeforeWrite, QString(), 30);
    add(0x5A, ArchiveSource::BeforeWrite, QString(), 5);
    window.findChild<QAction*>(QStringLiteral("MFile_Archive"))->trigger();
    auto* dialog = window.findChild<ArchiveDialog*>();
    auto* table = dialog->findChild<QTableView*>(QStringLiteral("ArchiveEntries"));
    for (int row : {0, 1})
        table->selectionModel()->select(table->model()->index(row, 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
    dialog->CompareEntries();
    for (int i = 0; i < 10; ++i) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
    dialog->grab().save(file);
    std::printf("%s\n", qPrintable(file));
    dialog->close();
}

// Takes a picture of the message the question shows, as the desktop shows it, and answers No.
class PictureOfMessage : public FixedAnswerPrompts {
public:
    explicit PictureOfMessage(QString file) : FixedAnswerPrompts(PromptAnswer::No), file_(std::move(file)) {}
    PromptAnswer message(const QString& text, const QString& caption, PromptButtons, PromptIcon) override
    {
        QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No);
        box.show();
        QApplication::processEvents();
        box.grab().save(file_);
        return PromptAnswer::No;
    }

private:
    QString file_;
};

// The question before a write: the chip holds the building's keys, the document is another
// building's, a little different.
void ShootWritePreview(const QString& file)
{
    auto chip = std::make_unique<IntercomStore>();
    ResetRecord(*chip);
    ApplyNewDocument(*chip, TDeviceType::T150);
    for (std::size_t slot = 0; slot < 40; slot += 3)
        chip->Record.KeySlots[slot].bytes = {std::uint8_t(0x11 * (slot % 7 + 1)), std::uint8_t(0xA0 + slot), 0x3C,
                                             0xFF};
    for (std::size_t code = 0; code < 12; ++code)
        chip->Record.Codes[code] = std::uint16_t(0x1234 + 0x1111 * (code % 5));
    auto document = std::make_unique<IntercomStore>(*chip);
    document->Record.KeySlots[3].bytes = {0x5E, 0x07, 0x91, 0xFF};
    document->Record.KeySlots[9].clear();
    document->Record.Codes[2] = 0x4826;
    document->Record.ConfigByte ^= 0x08;
    const Layout& layout = *WriteEncodingFor(ChipKind::C24C16, TDeviceType::T150).layout;
    QByteArray onChip = layout.encode(*chip).left(ChipSize(ChipKind::C24C16));
    onChip += QByteArray(ChipSize(ChipKind::C24C16) - onChip.size(), '\xFF'); // the rest erased
    PictureOfMessage prompts(file);
    const WritePreview preview =
        PreviewWrite(onChip, layout, *document, TDeviceType::T150, {prompts, Language::English});
    AskToWrite(prompts, preview, QStringLiteral("24C16"), TypeText(TDeviceType::T150), Language::English);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: kavro-screenshots FOLDER\n");
        return 1;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    StandaloneWindow standalone;
    TForm1& window = standalone.window;
    window.resize(1280, 800);
    window.show();

    struct Shot {
        TDeviceType type;
        bool smallIButton;
        const char* name;
    };
    for (const Shot& shot :
         {Shot{TDeviceType::T150, false, "t150"}, Shot{TDeviceType::PKU512T, false, "pku512t"},
          Shot{TDeviceType::LMR702, false, "lmr702"}, Shot{TDeviceType::LMR70x2680, false, "lmr70x-2680"},
          Shot{TDeviceType::PKU630XE, false, "pku630xe"}, Shot{TDeviceType::PKU618, false, "pku618"},
          Shot{TDeviceType::PKU630, false, "pku630"}, Shot{TDeviceType::G300, false, "g300-ds1996"},
          Shot{TDeviceType::G300, true, "g300-ds1995"}, Shot{TDeviceType::PKU512S, false, "pku512s"}})
        Shoot(window, shot.type, shot.smallIButton,
              folder.filePath(QStringLiteral("page-%1.png").arg(QLatin1String(shot.name))));
    window.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(0); // русский
    Shoot(window, TDeviceType::T150, false, folder.filePath(QStringLiteral("page-t150-ru.png")));
    window.findChild<QComboBox*>(QStringLiteral("ComboBox1"))->setCurrentIndex(1); // english
    ShootArchive(window, folder.filePath(QStringLiteral("archive.png")));
    ShootWritePreview(folder.filePath(QStringLiteral("write-preview.png")));
    return 0;
}
