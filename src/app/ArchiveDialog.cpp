#include "app/ArchiveDialog.h"

#include "app/DifferenceList.h"

#include "app/ArchiveEntryModel.h"
#include "model/FileIO.h"
#include "model/Prompts.h"
#include "views/StringGrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr Bilingual Title{"Архив микросхем", "Chip archive"};
constexpr Bilingual NoteFilterCaption{"Заметка:", "Note:"};
constexpr Bilingual TypeFilterCaption{"Тип домофона:", "Controller type:"};
constexpr Bilingual NoteCaption{"Заметка к записи:", "Note of the entry:"};
constexpr Bilingual SaveNoteCaption{"Сохранить заметку", "Save note"};
constexpr Bilingual OpenCaption{"Открыть как документ", "Open as document"};
constexpr Bilingual SaveCaption{"Сохранить дамп...", "Save dump..."};
constexpr Bilingual RestoreCaption{"Записать в микросхему", "Write to chip"};
constexpr Bilingual DeleteCaption{"Удалить", "Delete"};
constexpr Bilingual CompareCaption{"Сравнить две записи", "Compare two entries"};
constexpr Bilingual CompareDocumentCaption{"Сравнить с документом", "Compare with document"};
constexpr Bilingual CloseCaption{"Закрыть", "Close"};
constexpr Bilingual DifferencesCaption{"Различия:", "Differences:"};
constexpr Bilingual EntryCount{"Записей: %1", "Entries: %1"};
constexpr Bilingual NoDocument{"Документ не открыт: сравнивать не с чем.", "No document is open to compare with."};
constexpr Bilingual DeleteQuestion{"Удалить из архива запись %1 (микросхема %2, %3)? Её образ будет потерян.",
                                   "Delete entry %1 (chip %2, %3) from the archive? Its image will be lost."};
constexpr Bilingual DumpFilter{"двоичные файлы|*.bin|все файлы|*", "binary files|*.bin|all files|*"};

} // namespace

ArchiveDialog::ArchiveDialog(ArchiveDialogHost host, QWidget* parent) : QDialog(parent), host_(std::move(host))
{
    const Language language = host_.language;
    setObjectName(QStringLiteral("ArchiveDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Title.in(language));
    resize(1000, 640);

    const auto label = [this, language](const char* name, const Bilingual& caption) {
        auto* shown = new QLabel(caption.in(language), this);
        shown->setObjectName(QLatin1String(name));
        return shown;
    };
    const auto lineEdit = [this](const char* name) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QLatin1String(name));
        edit->setClearButtonEnabled(true);
        return edit;
    };
    noteFilter_ = lineEdit("ArchiveNoteFilter");
    typeFilter_ = lineEdit("ArchiveTypeFilter");
    connect(noteFilter_, &QLineEdit::textChanged, this, &ArchiveDialog::Refresh);
    connect(typeFilter_, &QLineEdit::textChanged, this, &ArchiveDialog::Refresh);
    auto* filters = new QHBoxLayout;
    filters->addWidget(label("ArchiveNoteFilterLabel", NoteFilterCaption));
    filters->addWidget(noteFilter_, 2);
    filters->addWidget(label("ArchiveTypeFilterLabel", TypeFilterCaption));
    filters->addWidget(typeFilter_, 1);

    model_ = new ArchiveEntryModel(language, this);
    entries_ = new QTableView(this);
    entries_->setObjectName(QStringLiteral("ArchiveEntries"));
    entries_->setModel(model_);
    entries_->setSelectionBehavior(QAbstractItemView::SelectRows);
    entries_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    entries_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    entries_->verticalHeader()->hide();
    // Fixed row heights and column widths: nothing is measured over ten thousand rows.
    entries_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    entries_->horizontalHeader()->setStretchLastSection(true);
    for (const auto& [column, width] :
         {std::pair{ArchiveEntryModel::Time, 150}, std::pair{ArchiveEntryModel::Chip, 80},
          std::pair{ArchiveEntryModel::Type, 170}, std::pair{ArchiveEntryModel::Source, 150},
          std::pair{ArchiveEntryModel::Note, 220}})
        entries_->setColumnWidth(column, width);
    connect(entries_->selectionModel(), &QItemSelectionModel::selectionChanged, this, &ArchiveDialog::SelectionChanged);
    connect(entries_, &QTableView::doubleClicked, this, &ArchiveDialog::OpenEntry);

    noteText_ = lineEdit("ArchiveNoteText");
    auto* note = new QHBoxLayout;
    note->addWidget(label("ArchiveNoteTextLabel", NoteCaption));
    note->addWidget(noteText_, 1);
    QPushButton* saveNote = AddButton("ArchiveSaveNote", SaveNoteCaption, &ArchiveDialog::SaveNote);
    note->addWidget(saveNote);

    auto* actions = new QHBoxLayout;
    for (QPushButton* button :
         {AddButton("ArchiveOpen", OpenCaption, &ArchiveDialog::OpenEntry),
          AddButton("ArchiveSave", SaveCaption, &ArchiveDialog::SaveEntry),
          AddButton("ArchiveRestore", RestoreCaption, &ArchiveDialog::RestoreEntry),
          AddButton("ArchiveDelete", DeleteCaption, &ArchiveDialog::DeleteEntry),
          AddButton("ArchiveCompareDocument", CompareDocumentCaption, &ArchiveDialog::CompareWithTheDocument)}) {
        actions->addWidget(button);
        oneEntryButtons_.append(button);
    }
    oneEntryButtons_.append(saveNote);
    compareButton_ = AddButton("ArchiveCompare", CompareCaption, &ArchiveDialog::CompareEntries);
    actions->addWidget(compareButton_);
    actions->addStretch(1);

    differences_ = new DifferenceList(host_.pages, this);
    differences_->setObjectName(QStringLiteral("ArchiveDifferences"));

    status_ = label("ArchiveStatus", {"", ""});
    connect(differences_, &DifferenceList::NotShown, status_, &QLabel::setText);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(status_, 1);
    QPushButton* closeButton = AddButton("ArchiveClose", CloseCaption, nullptr);
    connect(closeButton, &QPushButton::clicked, this, &ArchiveDialog::close);
    bottom->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addWidget(entries_, 3);
    layout->addLayout(note);
    layout->addLayout(actions);
    layout->addWidget(label("ArchiveDifferencesLabel", DifferencesCaption));
    layout->addWidget(differences_, 1);
    layout->addLayout(bottom);

    Refresh();
}

QPushButton* ArchiveDialog::AddButton(const char* name, const Bilingual& caption, void (ArchiveDialog::*action)())
{
    auto* button = new QPushButton(caption.in(host_.language), this);
    button->setObjectName(QLatin1String(name));
    button->setAutoDefault(false);
    if (action) connect(button, &QPushButton::clicked, this, [this, action] { (this->*action)(); });
    return button;
}

void ArchiveDialog::Refresh()
{
    const std::optional<QList<ArchiveEntry>> found = host_.archive.List({noteFilter_->text(), typeFilter_->text()});
    model_->setEntries(found ? *found : QList<ArchiveEntry>{});
    status_->setText(found ? EntryCount.in(host_.language).arg(found->size()) : host_.archive.lastFailure());
    SelectionChanged();
}

QList<ArchiveEntry> ArchiveDialog::SelectedEntries() const
{
    QList<ArchiveEntry> selected;
    for (const QModelIndex& row : entries_->selectionModel()->selectedRows()) selected.append(model_->entry(row.row()));
    return selected;
}

void ArchiveDialog::SelectionChanged()
{
    const QList<ArchiveEntry> selected = SelectedEntries();
    for (QPushButton* button : oneEntryButtons_) button->setEnabled(selected.size() == 1);
    compareButton_->setEnabled(selected.size() == 2);
    noteText_->setEnabled(selected.size() == 1);
    noteText_->setText(selected.size() == 1 ? selected.constFirst().note : QString());
}

void ArchiveDialog::ShowFailure(const QString& text)
{
    host_.prompts.message(text, ErrorTitle.in(host_.language), PromptButtons::Ok, PromptIcon::Error);
}

std::optional<QByteArray> ArchiveDialog::ImageOf(const ArchiveEntry& entry)
{
    std::optional<QByteArray> image = host_.archive.Image(entry.sha256);
    if (!image) ShowFailure(host_.archive.lastFailure());
    return image;
}

std::optional<std::pair<ArchiveEntry, QByteArray>> ArchiveDialog::SelectedImage()
{
    const QList<ArchiveEntry> selected = SelectedEntries();
    if (selected.size() != 1) return std::nullopt;
    const std::optional<QByteArray> image = ImageOf(selected.constFirst());
    if (!image) return std::nullopt;
    return std::pair{selected.constFirst(), *image};
}

void ArchiveDialog::OpenEntry()
{
    if (const auto chosen = SelectedImage()) host_.openAsDocument(chosen->first, chosen->second);
}

void ArchiveDialog::SaveEntry()
{
    const auto chosen = SelectedImage();
    if (!chosen) return;
    const ArchiveEntry& entry = chosen->first;
    const QString name = QStringLiteral("%1-%2.bin")
                             .arg(entry.chip, entry.time.toLocalTime().toString(QStringLiteral("yyyyMMdd-HHmmss")));
    const auto target = host_.prompts.saveFile(
        {SaveCaption.in(host_.language), DumpFilter.in(host_.language), QStringLiteral("bin"), name, 1, false});
    if (!target) return;
    // A building's keys: readable by the user only, as the archive keeps them.
    const FileResult written = WriteFileSafely(target->path, chosen->second, FileAccess::UserOnly);
    if (!written.ok()) ShowFailure(written.message(host_.language));
}

void ArchiveDialog::RestoreEntry()
{
    if (const auto chosen = SelectedImage()) host_.restore(chosen->first, chosen->second);
    // The restore archived what the chip held before.
    Refresh();
}

void ArchiveDialog::SaveNote()
{
    const QList<ArchiveEntry> selected = SelectedEntries();
    if (selected.size() != 1) return;
    const qint64 id = selected.constFirst().id;
    const ArchiveResult noted = host_.archive.Note(id, noteText_->text());
    if (!noted.ok()) ShowFailure(noted.failure);
    Refresh();
    for (int row = 0; row < model_->rowCount(); ++row)
        if (model_->entry(row).id == id) entries_->selectRow(row);
}

void ArchiveDialog::DeleteEntry()
{
    const QList<ArchiveEntry> selected = SelectedEntries();
    if (selected.size() != 1) return;
    const ArchiveEntry& entry = selected.constFirst();
    const QString question =
        DeleteQuestion.in(host_.language)
            .arg(entry.id)
            .arg(entry.chip, entry.time.toLocalTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    if (host_.prompts.message(question, MessageTitle.in(host_.language), PromptButtons::YesNo, PromptIcon::Question) !=
        PromptAnswer::Yes)
        return;
    const ArchiveResult deleted = host_.archive.Delete(entry.id);
    if (!deleted.ok()) ShowFailure(deleted.failure);
    Refresh();
}

void ArchiveDialog::CompareEntries()
{
    QList<ArchiveEntry> selected = SelectedEntries();
    if (selected.size() != 2) return;
    // From the older to the newer: what changed since.
    std::sort(selected.begin(), selected.end(), [](const ArchiveEntry& a, const ArchiveEntry& b) {
        return a.time != b.time ? a.time < b.time : a.id < b.id;
    });
    const auto before = ImageOf(selected[0]);
    const auto after = before ? ImageOf(selected[1]) : std::nullopt;
    if (!after) return;
    ShowComparison(CompareArchived({selected[0], *before}, {selected[1], *after}, host_.prompts, host_.language));
}

void ArchiveDialog::CompareWithTheDocument()
{
    if (host_.pages.isHidden()) {
        ShowComparison({{}, NoDocument.in(host_.language)});
        return;
    }
    const auto chosen = SelectedImage();
    if (!chosen) return;
    ShowComparison(CompareWithDocument({chosen->first, chosen->second}, host_.document, host_.documentType(),
                                       host_.prompts, host_.language));
}

void ArchiveDialog::ShowComparison(const Comparison& comparison) { differences_->Show(comparison, host_.language); }
