#include "dumps/TForm2.h"

#include "archive/BackedUpWrite.h"
#include "codecs/ImageFiles.h"
#include "model/FileIO.h"
#include "model/Prompts.h"
#include "programmer/Chips.h"
#include "programmer/ChipVerify.h"
#include "programmer/LinkTexts.h"
#include "programmer/ProgrammerLink.h"

#include <QButtonGroup>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <array>

namespace {
// The items in their order, and the chips they stand for. The letter С in the items is Cyrillic.
constexpr std::array<std::pair<const char*, const char*>, 7> ChipChoices{{
    {"24С16", "24C16"},
    {"24С32", "24C32"},
    {"24С64", "24C64"},
    {"24С128", "24C128"},
    {"24С256", "24C256"},
    {"24С512", "24C512"},
    {"24С1024", "24C1024"},
}};

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }

constexpr Bilingual AllFiles{"все файлы", "all files"};
constexpr Bilingual DumpTooLarge{
    "Файл %1 содержит %2 байт, больше, чем %3 байт микросхемы %4. Ничего не записано.",
    "The file %1 holds %2 bytes, more than the %3 bytes of a %4. Nothing has been written."};
constexpr Bilingual DumpShorter{"Файл %1 содержит %2 байт, микросхема %4 — %3 байт. Остальные %5 байт будут записаны "
                                "как 0xFF, как в стёртой микросхеме. Продолжить?",
                                "The file %1 holds %2 bytes, a %4 %3 bytes. The remaining %5 bytes will be written "
                                "as 0xFF, as an erased chip holds them. Go on?"};
} // namespace

TForm2::TForm2(ProgrammerLink& link, Prompts& prompts, Language language, QWidget* parent,
               ProgrammerModeArchive archive)
        : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), link_(link), prompts_(prompts),
          language_(language), archive_(archive.archive), backupBeforeWrite_(archive.backupBeforeWrite)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(Text("Режим программатора микросхем памяти"));

    RadioGroup1 = new QGroupBox(Text("Микросхемы памяти"), this);
    RadioGroup1->setObjectName(QStringLiteral("RadioGroup1"));
    auto* itemsLayout = new QVBoxLayout(RadioGroup1);
    items_ = new QButtonGroup(RadioGroup1);
    for (int index = 0; index < int(ChipChoices.size()); ++index) {
        auto* item = new QRadioButton(Text(ChipChoices[index].first), RadioGroup1);
        items_->addButton(item, index);
        itemsLayout->addWidget(item);
    }
    connect(items_, &QButtonGroup::idClicked, this, &TForm2::RadioGroup1Click);

    const auto button = [this](const char* name, const char* text) {
        auto* pushButton = new QPushButton(Text(text), this);
        pushButton->setObjectName(QLatin1String(name));
        pushButton->setAutoDefault(false);
        return pushButton;
    };
    Button2 = button("Button2", "Записать");
    Button1 = button("Button1", "Считать");
    Button3 = button("Button3", "Закрыть");
    Button1->setEnabled(false);
    Button2->setEnabled(false);
    connect(Button1, &QPushButton::clicked, this, &TForm2::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm2::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm2::reject);

    gauge_ = new QProgressBar(this);
    gauge_->setObjectName(QStringLiteral("Gauge"));
    gauge_->setTextVisible(true);
    progress_ = std::make_unique<GaugeProgress>(*gauge_);
    progress_->open();

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Button2);
    buttons->addWidget(Button1);
    buttons->addWidget(Button3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(RadioGroup1);
    layout->addLayout(buttons);
    layout->addWidget(gauge_);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TForm2::~TForm2() = default;

ChipArchive& TForm2::Archive()
{
    if (!archive_) {
        ownArchive_ = std::make_unique<ChipArchive>(ArchiveLocationFromEnvironment(), language_);
        archive_ = ownArchive_.get();
    }
    return *archive_;
}

int TForm2::ItemIndex() const { return items_->checkedId(); }

void TForm2::RadioGroup1Click()
{
    Button1->setEnabled(true);
    Button2->setEnabled(true);
}

void TForm2::Button1Click() { RunOperation(&TForm2::ReadChip, "Чтение завершено", "ошибка чтения"); }

void TForm2::Button2Click()
{
    RunOperation(&TForm2::WriteChip, "Программирование завершено", "ошибка программирования");
}

void TForm2::reject()
{
    if (!busy_) QDialog::reject();
}

void TForm2::SetControlsEnabled(bool enabled)
{
    for (QWidget* control : std::initializer_list<QWidget*>{RadioGroup1, Button1, Button2, Button3})
        control->setEnabled(enabled);
}

void TForm2::RunOperation(TransferResult (TForm2::*operation)(const ProgrammerChip&), const char* completed,
                          const char* failed)
{
    if (busy_ || ItemIndex() < 0) return;
    // Every control stays disabled while the operation runs: a reply wait lets clicks through, and
    // none of them may start a second operation or close the dialog under the first.
    busy_ = true;
    SetControlsEnabled(false);
    const TransferResult result = (this->*operation)(*FindChip(QString::fromLatin1(ChipChoices[ItemIndex()].second)));
    if (result == TransferResult::Completed)
        prompts_.message(Text(completed), Text("Информация"), PromptButtons::Ok, PromptIcon::Information);
    else if (result == TransferResult::Failed)
        prompts_.message(Text(failed), Text("Ошибка"), PromptButtons::Ok, PromptIcon::Error);
    SetControlsEnabled(true);
    busy_ = false;
}

// Dumps are listed under their own filter; "all files" shows a dump saved under another name too.
QString TForm2::DumpFilters(const char* binaryFilter) const
{
    return QString::fromLatin1(binaryFilter) + QLatin1Char('|') + AllFiles.in(language_) + QStringLiteral("|*");
}

TransferResult TForm2::ReadChip(const ProgrammerChip& chip)
{
    if (!link_.OpenProgrammerPort(language_)) return TransferResult::Failed;
    const auto dump =
        prompts_.saveFile({QString(), DumpFilters("binary files|*.bin"), QStringLiteral("bin"), QString(), 1, false});
    if (!dump) {
        link_.ClosePort();
        return TransferResult::Failed;
    }
    // An existing dump is replaced only by a whole chip.
    const TransferResult read =
        ReadChipToImage(link_, chip.read, dump->path, *progress_, language_, ImageFileMode::ReplacedWhenComplete);
    if (read != TransferResult::Completed) return read;
    // What is archived is the dump as it lies on disk now.
    QString error;
    const std::optional<QByteArray> image = ReadImageBytes(dump->path, language_, error);
    if (!image) return read;
    ArchiveRecorder archive(Archive(), WarnInMessageBox(prompts_, language_));
    ArchiveEntry entry;
    entry.chip = QString::fromLatin1(chip.name);
    entry.source = ArchiveSource::ProgrammerMode;
    entry.file = QFileInfo(dump->path).absoluteFilePath();
    archive.keepRead(entry, *image);
    return read;
}

TransferResult TForm2::WriteChip(const ProgrammerChip& chip)
{
    if (!link_.OpenProgrammerPort(language_)) return TransferResult::Failed;
    const auto dump = prompts_.openFile(
        {QString(), DumpFilters("binary dump memory|*.bin"), QStringLiteral("bin"), QString(), 1, true});
    if (!dump || !QFileInfo::exists(dump->path)) {
        link_.ClosePort();
        return TransferResult::Failed;
    }
    // What the write sends and the chip is compared with: the dump's bytes as read here, once. A
    // pipe or device chosen as the dump is refused without waiting on it.
    const std::optional<QByteArray> sent = LoadDump(dump->path, chip);
    if (!sent) {
        link_.ClosePort();
        return TransferResult::Failed;
    }
    if (!AcceptShortDump(dump->path, sent->size(), chip)) {
        link_.ClosePort();
        return TransferResult::Cancelled;
    }
    if (!link_.CheckAdapter(language_)) return TransferResult::Failed;
    ArchiveRecorder archive(Archive(), WarnInMessageBox(prompts_, language_));
    const BackedUpWriteRequest request{
        chip, *sent, {}, QFileInfo(dump->path).absoluteFilePath(), ArchiveSource::ProgrammerMode, backupBeforeWrite_,
        true};
    const BackedUpWriteResult result = RunBackedUpWrite(
        link_, *progress_, language_, archive, request,
        {[this](BackupMissing missing) { return AskToWriteWithoutBackup(prompts_, missing, language_); }, {}});
    if (result.written != TransferResult::Completed) return result.written;
    if (!result.check->readBack) return TransferResult::Failed;
    if (!result.check->matches()) {
        ShowVerifyMismatch(prompts_, *result.check, language_);
        return TransferResult::Failed;
    }
    return TransferResult::Completed;
}

std::optional<QByteArray> TForm2::LoadDump(const QString& path, const ProgrammerChip& chip)
{
    const InputBytes dump = ReadInputFile(path, ChipSize(chip));
    if (!dump.ok()) {
        prompts_.message(dump.result.message(language_), ErrorTitle.in(language_), PromptButtons::Ok,
                         PromptIcon::Error);
        return std::nullopt;
    }
    if (dump.longer) {
        // Cutting the dump to the chip would write a chip that holds only part of it.
        prompts_.message(
            DumpTooLarge.in(language_).arg(path).arg(dump.size).arg(ChipSize(chip)).arg(QString::fromLatin1(chip.name)),
            ErrorTitle.in(language_), PromptButtons::Ok, PromptIcon::Error);
        return std::nullopt;
    }
    return dump.bytes;
}

bool TForm2::AcceptShortDump(const QString& path, qsizetype size, const ProgrammerChip& chip)
{
    if (size >= ChipSize(chip)) return true;
    // An empty or short file would otherwise erase most of the chip without a word.
    const QString question = DumpShorter.in(language_)
                                 .arg(path)
                                 .arg(size)
                                 .arg(ChipSize(chip))
                                 .arg(QString::fromLatin1(chip.name))
                                 .arg(ChipSize(chip) - size);
    return prompts_.message(question, MessageTitle.in(language_), PromptButtons::OkCancel, PromptIcon::Question) ==
           PromptAnswer::Ok;
}
