#pragma once
// Captions several pages give their configuration boxes, word for word the same.

#include "model/Language.h"

namespace ConfigTexts {
inline constexpr Bilingual BeepDisabled{"запрет звуковой сигнализации в УКП квартир при использовании DS1990A",
                                        "disable beep at subscriber device to signal DS1990A use"};
inline constexpr Bilingual BeepEnabled{"Разрешение звуковой сигнализации в УКП квартир при использовании DS1990A",
                                       "enable beep at subscriber device to signal DS1990A use"};
inline constexpr Bilingual IndividualCodesOn{"Разрешение индивидуальных кодов доступа (для всех квартир)",
                                             "enable individual access codes (for all ap.)"};
inline constexpr Bilingual IndividualCodesOff{"запрет индивидуальных кодов доступа (для всех квартир)",
                                              "disable individual access codes (for all ap.)"};
inline constexpr Bilingual GeneralCodeOn{"Разрешение общего кода доступа", "enable general access code"};
inline constexpr Bilingual GeneralCodeOff{"запрет общего кода доступа", "disable general access code"};
} // namespace ConfigTexts
