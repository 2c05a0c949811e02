#include "programmer/BlockReplies.h"

#include "model/Prompts.h"
#include "programmer/LinkTexts.h"

namespace {
constexpr Bilingual ReadBlock{"Блок %1 (адрес 0x%2): ", "Block %1 (address 0x%2): "};
constexpr Bilingual WritePage{"Страница %1 (адрес 0x%2): ", "Page %1 (address 0x%2): "};
constexpr Bilingual NoReplyInTime{"ответа нет в течение 1,1 с.", "no reply within 1.1 s."};
constexpr Bilingual BrokenOff{"ответ оборвался после %1 из %2 байт.", "the reply broke off after %1 of %2 bytes."};
constexpr Bilingual TooLong{"после ответа длиной %1 байт пришли лишние байты.",
                            "extra bytes came after the %1-byte reply."};
constexpr Bilingual Disconnected{"программатор отключился.", "the programmer was disconnected."};
} // namespace

QString BlockReplyFault(BlockReply reply, BlockPlace place, std::uint32_t received, std::uint32_t expected,
                        Language language)
{
    const Bilingual& where = place.direction == TransferDirection::Read ? ReadBlock : WritePage;
    const QString prefix = where.in(language)
                               .arg(place.number)
                               .arg(QString::number(place.address, 16).toUpper().rightJustified(4, QLatin1Char('0')));
    switch (reply) {
    case BlockReply::Short: return prefix + BrokenOff.in(language).arg(received).arg(expected);
    case BlockReply::Long: return prefix + TooLong.in(language).arg(expected);
    case BlockReply::Lost: return prefix + Disconnected.in(language);
    case BlockReply::Missing:
    case BlockReply::Whole: break;
    }
    return prefix + NoReplyInTime.in(language);
}

bool TakeBlockReply(ProgrammerLink& link, std::uint32_t expected, BlockPlace place, Language language)
{
    const BlockReply reply = link.ReadBlockReply(expected);
    if (reply == BlockReply::Whole) return true;
    const Bilingual& failed =
        place.direction == TransferDirection::Read ? LinkTexts::ReadConnectionLost : LinkTexts::WriteConnectionLost;
    link.prompts().message(failed.in(language) + QStringLiteral("\n") +
                               BlockReplyFault(reply, place, static_cast<std::uint32_t>(link.LastReply().bytes.size()),
                                               expected, language),
                           LinkTexts::ErrorLoud.in(language), PromptButtons::Ok, PromptIcon::Error);
    return false;
}
