#include "programmer/ChipVerify.h"

#include "model/Prompts.h"
#include "programmer/Chips.h"
#include "programmer/ChipTransfer.h"
#include "programmer/LinkTexts.h"
#include "programmer/ProgrammerLink.h"
#include "programmer/TransferProgress.h"

namespace {
constexpr Bilingual Mismatch{
    "Ошибка проверки: содержимое микросхемы отличается от данных (отличающихся байт: %1, первый адрес 0x%2)",
    "Verification failed: the chip differs from the data (differing bytes: %1, first address 0x%2)"};
} // namespace

VerifyResult VerifyChipAgainstImage(ProgrammerLink& link, const ProgrammerChip& chip, QByteArray sent,
                                    TransferProgress& progress, Language language)
{
    VerifyResult result;
    if (!link.OpenProgrammerPort(language)) return result;
    progress.open();
    std::optional<QByteArray> chipBytes = ReadChipBlocks(link, chip.read, progress, language);
    link.ClosePort();
    progress.close();
    if (!chipBytes) return result;
    result.readBack = true;
    result.chip = std::move(*chipBytes);
    const int size = ChipSize(chip);
    sent.truncate(size);
    sent.append(size - sent.size(), '\xFF');
    for (int address = 0; address < size; ++address) {
        if (sent[address] == result.chip[address]) continue;
        if (result.differingBytes++ == 0) result.firstDifference = address;
    }
    return result;
}

QString VerifyMismatchText(const VerifyResult& result, Language language)
{
    return Mismatch.in(language)
        .arg(result.differingBytes)
        .arg(QString::number(result.firstDifference, 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

void ShowVerifyMismatch(Prompts& prompts, const VerifyResult& result, Language language)
{
    prompts.message(VerifyMismatchText(result, language), LinkTexts::Error.in(language), PromptButtons::Ok,
                    PromptIcon::Error);
}
