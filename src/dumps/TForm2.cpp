#include "dumps/TForm2.h"

#include "model/FileIO.h"
#include "model/Prompts.h"
#include "programmer/ChipGeometry.h"
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
    {"24С16", "24C16"}, {"24С32", "24C32"}, {"24С64", "24C64"}, {"24С128", "24C128"},
    {"24С256", "24C256"}, {"24С512", "24C512"}, {"24С1024", "24C1024"},
}};

QString Text(const char* utf8) { return QString::fromUtf8(utf8); }
} // namespace

TForm2::TForm2(ProgrammerLink& link, Prompts& prompts, Language language, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      link_(link), prompts_(prompts), language_(language)
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

TransferResult TForm2::ReadChip(const ProgrammerChip& chip)
{
    if (!link_.OpenProgrammerPort(language_)) return TransferResult::Failed;
    const auto dump = prompts_.saveFile({QString(), QStringLiteral("binary files|*.bin"), QStringLiteral("bin"),
                                         QString(), 1, false});
    if (!dump) {
        link_.ClosePort();
        return TransferResult::Failed;
    }
    // An existing dump is replaced only by a whole chip.
    return ReadChipToImage(link_, chip.read, dump->path, *progress_, language_, ImageFileMode::ReplacedWhenComplete);
}

TransferResult TForm2::WriteChip(const ProgrammerChip& chip)
{
    if (!link_.OpenProgrammerPort(language_)) return TransferResult::Failed;
    const auto dump = prompts_.openFile({QString(), QStringLiteral("binary dump memory|*.bin"), QStringLiteral("bin"),
                                         QString(), 1, true});
    if (!dump || !QFileInfo::exists(dump->path)) {
        link_.ClosePort();
        return TransferResult::Failed;
    }
    // What the write sends and the chip is compared with: the dump's bytes as read here, once. A
    // pipe or device chosen as the dump is refused without waiting on it.
    const InputBytes sent = ReadInputFile(dump->path, MaxImageSize);
    if (!sent.ok()) {
        link_.ClosePort();
        prompts_.message(LinkTexts::CannotOpenImage.in(language_) + QStringLiteral("\n") + sent.result.message(language_),
                         QString(), PromptButtons::Ok, PromptIcon::Error);
        return TransferResult::Failed;
    }
    if (!link_.CheckAdapter(language_)) return TransferResult::Failed;
    const TransferResult written = WriteImageToChip(link_, chip.write, sent.bytes, *progress_, language_);
    if (written != TransferResult::Completed) return written;
    const VerifyResult check = VerifyChipAgainstImage(link_, chip, sent.bytes, *progress_, language_);
    if (!check.readBack) return TransferResult::Failed;
    if (!check.matches()) {
        ShowVerifyMismatch(prompts_, check, language_);
        return TransferResult::Failed;
    }
    return TransferResult::Completed;
}
