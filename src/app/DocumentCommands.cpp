#include "app/DocumentCommands.h"

#include "app/CommandStates.h"
#include "model/DataFile.h"
#include "model/ControllerTypes.h"
#include "model/NewDocument.h"
#include "model/TypeName.h"

#include <QFileInfo>
#include <QGuiApplication>

#include <memory>

namespace {

constexpr Bilingual NoTitle{"", ""};
constexpr Bilingual SaveFirstQuestion{"Данные были изменены. Сохранить?",
                                      "Data have been modified. Do you want to save?"};
constexpr Bilingual SelectTypeFirst{"Сначала выберите тип домофона", "First, select the type of doorphone"};
constexpr Bilingual OverwriteQuestion{"Файл с таким именем уже существует. Перезаписать?",
                                      "File name already exists. Do you want to overwrite?"};
constexpr Bilingual CannotCreate{"Ошибка создания файла", "Failed to create file"};
constexpr Bilingual CannotOpen{"Ошибка открытия файла", "Error: cannot open the file"};
constexpr Bilingual CannotRead{"ошибка чтения файла", "Error: cannot read the file"};
constexpr Bilingual ReadErrorTitle{"Ошибка", "ERROR"};
constexpr Bilingual DamagedQuestion{"Данные повреждены, всё равно открыть?",
                                    "Data have been damaged. Do you really want to continue?"};

// The dialogs' own texts exist in Russian only.
const char* const OpenTitle = "Открыть файл для записи в программатор";
const char* const Filters = "файл данных(*.kvr)|*.kvr|бинарный файл(*.bin)|*.bin";

FileDialogRequest DialogRequest(const QString& title, bool mustExist)
{
    return {title,
            QString::fromUtf8(Filters),
            QStringLiteral("kvr"),
            QStringLiteral("*.kvr"),
            static_cast<int>(DocumentFormat::DataFile),
            mustExist};
}

DocumentFormat FormatOfFilter(int filterIndex)
{
    return filterIndex == static_cast<int>(DocumentFormat::ChipDump) ? DocumentFormat::ChipDump
                                                                     : DocumentFormat::DataFile;
}

} // namespace

DocumentCommands::DocumentCommands(IntercomStore& store, Prompts& prompts, DocumentWindow& window, DumpFiles dumps)
        : store_(store), prompts_(prompts), window_(window), dumps_(std::move(dumps)),
          openDialog_(DialogRequest(QString::fromUtf8(OpenTitle), true)), saveDialog_(DialogRequest(QString(), false))
{
}

PromptAnswer DocumentCommands::Ask(const Bilingual& text, PromptButtons buttons, const Bilingual& title)
{
    const Language language = window_.CurrentLanguage();
    return prompts_.message(text.in(language), title.in(language), buttons, PromptIcon::Question);
}

void DocumentCommands::ShowError(const Bilingual& text, const QString& detail)
{
    const Language language = window_.CurrentLanguage();
    prompts_.message(text.in(language) + QStringLiteral("\n") + detail, ErrorTitle.in(language), PromptButtons::Ok,
                     PromptIcon::Error);
}

bool DocumentCommands::AskSaveFirst()
{
    if (!state_.DataModified) return true;
    switch (Ask(SaveFirstQuestion, PromptButtons::YesNoCancel)) {
    case PromptAnswer::Yes:
        // Only a written document lets the command go on: a cancelled save dialog or a failed
        // write would lose the changes.
        if (!Save()) return false;
        break;
    case PromptAnswer::No: break;
    default: return false;
    }
    state_.DataModified = false;
    return true;
}

void DocumentCommands::ANewExecute()
{
    window_.SetLanguageListEnabled(false);
    if (!AskSaveFirst()) return;
    const std::optional<TDeviceType> type = window_.CurrentType();
    if (!type) {
        Ask(SelectTypeFirst, PromptButtons::Ok);
        return;
    }
    ForgetFileName();
    window_.Commands().SetEnabled("ToolButton3", true);
    window_.Commands().SetReaderButtons(true);
    ApplyNewDocument(store_, *type); // stores the type name too
    ShowPageOfCurrentType();
    window_.Commands().AfterNew(*type);
    Notify(hooks_.newDataSet);
}

void DocumentCommands::Notify(const std::function<void()>& hook)
{
    if (hook) hook();
}

void DocumentCommands::UseRecentFiles(const QString& languageIniPath)
{
    languageIniPath_ = languageIniPath;
    recent_ = RecentFiles::Load(languageIniPath);
    Notify(hooks_.recentChanged);
}

void DocumentCommands::NoteRecent(const QString& path, DocumentFormat format)
{
    if (languageIniPath_.isEmpty()) return;
    recent_.Add(path, static_cast<int>(format));
    recent_.Save(languageIniPath_);
    Notify(hooks_.recentChanged);
}

void DocumentCommands::OpenRecent(const RecentFile& file)
{
    if (!PrepareOpen()) return;
    OpenChosen({file.path, file.filterIndex});
}

bool DocumentCommands::CurrentTypeUsesExtensionSlots() const
{
    const std::optional<TDeviceType> type = window_.CurrentType();
    return type && ControllerTypeOf(*type).usesExtensionSlots;
}

void DocumentCommands::ShowPageOfCurrentType()
{
    // A New, a loaded file or an opened dump is the data of the type's main page.
    if (const std::optional<TDeviceType> type = window_.CurrentType(); type && ControllerTypeOf(*type).smallIButtonPage)
        window_.ClearSmallIButton();
    window_.ShowDataSet();
}

bool DocumentCommands::PrepareOpen()
{
    window_.SetLanguageListEnabled(false);
    return AskSaveFirst();
}

void DocumentCommands::MFile_OpenClick()
{
    if (CurrentTypeUsesExtensionSlots()) {
        openDialog_.filterIndex = static_cast<int>(DocumentFormat::ChipDump);
        openDialog_.fileName = QStringLiteral("*.bin");
    }
    if (!PrepareOpen()) return;
    openDialog_.folder = recent_.LastFolder();
    const std::optional<FileDialogChoice> choice = prompts_.openFile(openDialog_);
    if (choice) OpenChosen(*choice);
}

void DocumentCommands::OpenChosen(const FileDialogChoice& choice)
{
    openDialog_.filterIndex = choice.filterIndex;
    openDialog_.fileName = choice.path;
    if (FormatOfFilter(choice.filterIndex) == DocumentFormat::ChipDump)
        OpenChipDump(choice.path);
    else
        OpenDataFile(choice.path);
}

void DocumentCommands::OpenDataFileFromCommandLine(const QString& path)
{
    if (PrepareOpen()) OpenDataFile(path);
}

void DocumentCommands::AdoptFile(const QString& path, DocumentFormat format)
{
    state_.DocumentPath = path;
    state_.HasFileName = true;
    state_.PathFormat = format;
    window_.SetTitleFileName(path);
}

void DocumentCommands::ForgetFileName()
{
    state_.HasFileName = false;
    window_.SetTitleFileName(QString());
}

void DocumentCommands::OpenChipDump(const QString& path)
{
    const std::optional<TDeviceType> type = window_.CurrentType();
    if (!type) {
        Ask(SelectTypeFirst, PromptButtons::Ok);
        return;
    }
    const DecodeContext context{prompts_, window_.CurrentLanguage()};
    const FileOutcome outcome = dumps_.importDump(path, type, store_, context);
    if (!outcome.ok) {
        ShowError(CannotRead, outcome.error);
        return;
    }
    if (outcome.decoded == DecodeOutcome::Rejected) {
        window_.Commands().AfterRejectedImage();
        return;
    }
    AdoptFile(path, DocumentFormat::ChipDump);
    ShowPageOfCurrentType();
    window_.Commands().SetReaderButtons(true);
    state_.DataModified = false;
    NoteRecent(path, DocumentFormat::ChipDump);
    Notify(hooks_.newDataSet);
}

void DocumentCommands::OpenDataFile(const QString& path)
{
    // Loaded into a copy first: a refused file or a declined question leaves the document as it was.
    auto loaded = std::make_unique<TIntercomData>(store_.Record);
    FileResult opened;
    const LoadResult result = LoadDataFile(*loaded, path, &opened);
    const Language language = window_.CurrentLanguage();
    if (result == LoadResult::CannotOpen) {
        prompts_.message(CannotOpen.in(language) + QStringLiteral("\n") + opened.message(language),
                         QGuiApplication::applicationDisplayName(), PromptButtons::Ok, PromptIcon::Error);
        return;
    }
    if (result == LoadResult::TooShort) {
        prompts_.message(CannotRead.in(language) + QStringLiteral("\n") + path, ReadErrorTitle.in(language),
                         PromptButtons::Ok, PromptIcon::Error);
        return;
    }
    const std::optional<TDeviceType> named = FindTypeByName(*loaded);
    if (!named) {
        if (prompts_.message(path + QStringLiteral("\n") + DamagedQuestion.in(language), MessageTitle.in(language),
                             PromptButtons::YesNo, PromptIcon::Question) != PromptAnswer::Yes)
            return;
    } else {
        window_.SelectTypeSilently(named);
    }
    const std::optional<TDeviceType> type = window_.CurrentType();
    store_.Record = *loaded;
    StoreTypeName(store_.Record, type);
    AdoptFile(path, DocumentFormat::DataFile);
    window_.Commands().EnableSaving();
    // A type that keeps its keys in the extension slots shows none: a data file does not carry them.
    if (type && !ControllerTypeOf(*type).usesExtensionSlots) {
        ShowPageOfCurrentType();
        window_.Commands().SetReaderButtons(true);
    }
    state_.DataModified = false;
    NoteRecent(path, DocumentFormat::DataFile);
    Notify(hooks_.newDataSet);
}

bool DocumentCommands::ASaveExecute() { return Save(); }

bool DocumentCommands::Save()
{
    if (state_.HasFileName) return WriteDocument(state_.DocumentPath, state_.PathFormat);
    if (CurrentTypeUsesExtensionSlots()) {
        saveDialog_.filterIndex = static_cast<int>(DocumentFormat::ChipDump);
        return SaveAs(QStringLiteral("PKU630XE"));
    }
    return SaveAs(TypeNameText(store_.Record));
}

bool DocumentCommands::ASaveAsExecute() { return SaveAs(TypeNameText(store_.Record)); }

bool DocumentCommands::SaveAs(const QString& proposedName)
{
    const std::optional<FileDialogChoice> target = ChooseSaveTarget(proposedName);
    if (!target) return false;
    // The chosen file becomes the document's only once it has been written: after a failed
    // write the document keeps its previous file, format and title.
    const DocumentFormat format = FormatOfFilter(target->filterIndex);
    if (!WriteDocument(target->path, format)) return false;
    state_.SaveFormat = target->filterIndex;
    AdoptFile(target->path, format);
    return true;
}

std::optional<FileDialogChoice> DocumentCommands::ChooseSaveTarget(const QString& proposedName)
{
    saveDialog_.fileName = proposedName;
    saveDialog_.folder = recent_.LastFolder();
    for (;;) {
        std::optional<FileDialogChoice> choice = prompts_.saveFile(saveDialog_);
        if (!choice) return std::nullopt;
        saveDialog_.filterIndex = choice->filterIndex;
        // A file the user declined to overwrite is never written, now or by a later Save.
        if (QFileInfo::exists(choice->path) &&
            Ask(OverwriteQuestion, PromptButtons::YesNo, NoTitle) == PromptAnswer::No) {
            continue;
        }
        return choice;
    }
}

bool DocumentCommands::WriteDocument(const QString& path, DocumentFormat format)
{
    const Language language = window_.CurrentLanguage();
    QString error;
    bool written = false;
    if (format == DocumentFormat::ChipDump) {
        const FileOutcome outcome = dumps_.exportDump(path, window_.CurrentType(), store_, language);
        written = outcome.ok;
        error = outcome.error;
    } else {
        const FileResult saved = SaveDataFile(store_.Record, path);
        written = saved.ok();
        error = saved.message(language);
    }
    if (!written) {
        // The file that was there is intact and the data stay modified: nothing is lost.
        ShowError(CannotCreate, error.isEmpty() ? path : error);
        return false;
    }
    state_.DataModified = false;
    NoteRecent(path, format);
    Notify(hooks_.saved);
    return true;
}

void DocumentCommands::ReturnToRecordsType()
{
    // The entry whose text equals the record's type name, or none; nothing else changes.
    std::optional<TDeviceType> previous;
    for (const TDeviceType entry : AllDeviceTypes)
        if (TypeText(entry) == TypeNameText(store_.Record)) previous = entry;
    window_.SelectTypeSilently(previous);
}

void DocumentCommands::CBox2Change(std::optional<TDeviceType> type)
{
    if (state_.DataModified) {
        switch (Ask(SaveFirstQuestion, PromptButtons::YesNoCancel)) {
        case PromptAnswer::Yes:
            // As on Cancel when the document was not written: the changes are kept.
            if (Save()) break;
            [[fallthrough]];
        case PromptAnswer::Cancel: ReturnToRecordsType(); return;
        default: break;
        }
    }
    state_.DataModified = false;
    ForgetFileName();
    window_.SetLanguageListEnabled(true);
    if (type) window_.Commands().AfterTypeChange(*type);
    window_.HideDataSet();
    StoreTypeName(store_.Record, type);
    Notify(hooks_.newDataSet);
}
