#include "app/WritePreviewQuestion.h"

#include "model/Prompts.h"

#include <QStringList>

namespace {
// A message box stays readable: the rest of a long list is counted, not shown.
constexpr int ChangesListed = 25;

constexpr Bilingual ChipBlank{"Микросхема %1 чистая: запись ничего не сотрёт.",
                              "The chip %1 is blank: the write erases nothing."};
constexpr Bilingual ChipNotDecoded{"Содержимое микросхемы %1 не читается как данные типа «%2»: возможно, это "
                                   "микросхема другого домофона. Её содержимое сохранено в архиве.",
                                   "The content of the chip %1 does not read as data of the type \"%2\": it may be "
                                   "another controller's chip. Its content is kept in the archive."};
constexpr Bilingual ChipIdentical{"Микросхема %1 уже содержит то же самое: запись ничего не изменит. "
                                  "Записать всё равно?",
                                  "The chip %1 already holds the same content: the write changes nothing. "
                                  "Write anyway?"};
constexpr Bilingual ChangesHeading{"Запись изменит на микросхеме %1 (%2):",
                                   "The write will change on the chip %1 (%2):"};
constexpr Bilingual BytesChange{"Запись изменит байтов на микросхеме %1: %2.",
                                "The write will change bytes on the chip %1: %2."};
constexpr Bilingual MoreChanges{"... и ещё %1", "... and %1 more"};
constexpr Bilingual WriteQuestion{"Записать микросхему?", "Write the chip?"};

QString ChangeList(const WritePreview& preview, const QString& chip, const QString& type, Language language)
{
    QStringList lines{ChangesHeading.in(language).arg(chip, type)};
    const int listed = std::min<int>(ChangesListed, int(preview.changes.size()));
    for (int index = 0; index < listed; ++index) lines << DifferenceText(preview.changes[std::size_t(index)], language);
    if (int(preview.changes.size()) > listed)
        lines << MoreChanges.in(language).arg(int(preview.changes.size()) - listed);
    return lines.join(QLatin1Char('\n'));
}

QString PreviewText(const WritePreview& preview, const QString& chip, const QString& type, Language language)
{
    switch (preview.content) {
    case ChipContent::Blank: return ChipBlank.in(language).arg(chip) + QLatin1Char('\n') + WriteQuestion.in(language);
    case ChipContent::NotDecoded:
        return ChipNotDecoded.in(language).arg(chip, type) + QLatin1Char('\n') + WriteQuestion.in(language);
    case ChipContent::Identical: return ChipIdentical.in(language).arg(chip);
    case ChipContent::Differs:
        if (preview.changes.empty())
            return BytesChange.in(language).arg(chip).arg(preview.differingBytes) + QLatin1Char('\n') +
                   WriteQuestion.in(language);
        return ChangeList(preview, chip, type, language) + QLatin1Char('\n') + WriteQuestion.in(language);
    }
    return {};
}

} // namespace

bool AskToWrite(Prompts& prompts, const WritePreview& preview, const QString& chip, const QString& type,
                Language language)
{
    return prompts.message(PreviewText(preview, chip, type, language), MessageTitle.in(language), PromptButtons::YesNo,
                           PromptIcon::Question) == PromptAnswer::Yes;
}
