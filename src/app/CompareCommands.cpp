#include "app/CompareCommands.h"

#include "app/ChipCommands.h"
#include "app/DifferenceList.h"
#include "app/DocumentCommands.h"
#include "app/Session.h"
#include "codecs/CodecTables.h"
#include "codecs/ImageFiles.h"
#include "model/DataFile.h"
#include "model/FileIO.h"

#include <QLabel>
#include <QMenu>
#include <QVBoxLayout>

#include <cstring>
#include <memory>

namespace {

constexpr Bilingual WindowTitle{"Сравнение с документом", "Comparison with the document"};
constexpr Bilingual DialogTitle{"Сравнить с файлом", "Compare with a file"};
constexpr Bilingual Filters{"файл данных(*.kvr)|*.kvr|бинарный файл(*.bin)|*.bin",
                            "data file(*.kvr)|*.kvr|binary file(*.bin)|*.bin"};
constexpr Bilingual FileHeading{"Отличия документа от файла %1:", "How the document differs from the file %1:"};
constexpr Bilingual ChipHeading{"Отличия документа от микросхемы %1:", "How the document differs from the chip %1:"};
constexpr Bilingual TooShort{"Файл %1 слишком короткий для файла данных.", "The file %1 is too short for a data file."};
constexpr Bilingual Damaged{"Данные повреждены и не сравниваются.", "The data are damaged and not compared."};
constexpr int DumpFilter = 2;

} // namespace

ComparisonWindow::ComparisonWindow(QWidget& pages, QWidget* parent)
        : QDialog(parent), heading_(new QLabel(this)), differences_(new DifferenceList(pages, this)),
          status_(new QLabel(this))
{
    setObjectName(QStringLiteral("ComparisonWindow"));
    heading_->setObjectName(QStringLiteral("ComparisonHeading"));
    heading_->setWordWrap(true);
    differences_->setObjectName(QStringLiteral("ComparisonDifferences"));
    status_->setObjectName(QStringLiteral("ComparisonStatus"));
    connect(differences_, &DifferenceList::NotShown, status_, &QLabel::setText);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading_);
    layout->addWidget(differences_, 1);
    layout->addWidget(status_);
    resize(560, 380);
}

void ComparisonWindow::Show(const QString& heading, const Comparison& comparison, Language language)
{
    setWindowTitle(WindowTitle.in(language));
    heading_->setText(heading);
    status_->clear();
    differences_->Show(comparison, language);
    show();
    raise();
    activateWindow();
}

CompareCommands::CompareCommands(Session& session, DocumentCommands& documents, ChipCommands& chips, QWidget& pages,
                                 QWidget& window)
        : session_(session), documents_(documents), chips_(chips), pages_(pages), window_(window)
{
}

Comparison CompareCommands::CompareImage(const QByteArray& image, const Layout& layout, bool ds1995) const
{
    const Language language = session_.CurrentLanguage();
    const IntercomStore& document = session_.Store();
    auto other = std::make_unique<IntercomStore>(document);
    if (layout.decode(AsImage(image), *other, {session_.Prompter(), language}) == DecodeOutcome::Rejected)
        return {{}, Damaged.in(language)};
    return CompareInPageTerms(*other, document, *session_.CurrentType(), ds1995, language);
}

void CompareCommands::CompareWithFile()
{
    const std::optional<TDeviceType> type = session_.CurrentType();
    if (!type || pages_.isHidden()) return; // no document to compare with; the command is off
    const Language language = session_.CurrentLanguage();
    FileDialogRequest request{
        DialogTitle.in(language),        Filters.in(language), QStringLiteral("kvr"), QString(), 1, true,
        documents_.Recent().LastFolder()};
    const std::optional<FileDialogChoice> chosen = session_.Prompter().openFile(request);
    if (!chosen) return;
    const QString heading = FileHeading.in(language).arg(chosen->path);
    if (chosen->filterIndex == DumpFilter) {
        QString error;
        const std::optional<QByteArray> image = ReadImageBytes(chosen->path, language, error);
        Show(heading,
             image ? CompareImage(*image, *DumpLayoutFor(type), session_.SmallIButton()) : Comparison{{}, error});
        return;
    }
    const InputBytes input = ReadInputFile(chosen->path, ExtendedFileSize);
    if (!input.ok()) return Show(heading, {{}, input.result.message(language)});
    // What a data file does not hold (the extension key slots) is taken from the document.
    auto other = std::make_unique<IntercomStore>(session_.Store());
    if (input.bytes.size() == ExtendedFileSize)
        std::memcpy(static_cast<void*>(other.get()), input.bytes.constData(), sizeof(IntercomStore));
    else if (LoadDataFileBytes(other->Record, input.bytes) == LoadResult::TooShort)
        return Show(heading, {{}, TooShort.in(language).arg(chosen->path)});
    Show(heading, CompareInPageTerms(*other, session_.Store(), *type, session_.SmallIButton(), language));
}

std::vector<const ChipItem*> CompareCommands::ComparableChips() const
{
    std::vector<const ChipItem*> items;
    const std::optional<TDeviceType> type = session_.CurrentType();
    for (const ChipItem& item : ChipItems()) {
        if (item.direction != ChipDirection::Read || !item.kind) continue;
        // A chip whose data are converted on reading holds another type's record.
        const std::optional<ReadDecoding> decoding = ReadDecodingFor(*item.kind, type);
        if (decoding && !decoding->thenConvertTo) items.push_back(&item);
    }
    return items;
}

void CompareCommands::FillChipMenu(QMenu& menu)
{
    menu.clear();
    if (pages_.isHidden()) return;
    for (const ChipItem* item : ComparableChips()) {
        QAction* chip = menu.addAction(QString::fromLatin1(item->chip));
        chip->setObjectName(QStringLiteral("CompareChip_") + QLatin1String(item->chip));
        QObject::connect(chip, &QAction::triggered, &menu, [this, item] { CompareWithChip(*item); });
    }
}

void CompareCommands::CompareWithChip(const ChipItem& item)
{
    const std::optional<TDeviceType> type = session_.CurrentType();
    const std::optional<ReadDecoding> decoding = item.kind ? ReadDecodingFor(*item.kind, type) : std::nullopt;
    if (!decoding || pages_.isHidden()) return;
    const std::optional<QByteArray> image = chips_.ReadForComparison(item);
    if (!image) return;
    const Language language = session_.CurrentLanguage();
    Show(ChipHeading.in(language).arg(QString::fromLatin1(item.chip)),
         CompareImage(*image, *decoding->layout, *item.kind == ChipKind::DS1995));
}

void CompareCommands::Show(const QString& heading, const Comparison& comparison)
{
    if (!shown_) shown_ = new ComparisonWindow(pages_, &window_);
    shown_->Show(heading, comparison, session_.CurrentLanguage());
}
