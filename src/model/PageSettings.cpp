#include "model/PageSettings.h"

#include <array>

namespace {

// Captions several pages give their configuration boxes, word for word the same.
// The boxes are rows of a table and keep the table's layout.
// clang-format off
namespace ConfigTexts {
constexpr Bilingual BeepDisabled{"запрет звуковой сигнализации в УКП квартир при использовании DS1990A",
                                        "disable beep at subscriber device to signal DS1990A use"};
constexpr Bilingual BeepEnabled{"Разрешение звуковой сигнализации в УКП квартир при использовании DS1990A",
                                       "enable beep at subscriber device to signal DS1990A use"};
constexpr Bilingual IndividualCodesOn{"Разрешение индивидуальных кодов доступа (для всех квартир)",
                                             "enable individual access codes (for all ap.)"};
constexpr Bilingual IndividualCodesOff{"запрет индивидуальных кодов доступа (для всех квартир)",
                                              "disable individual access codes (for all ap.)"};
constexpr Bilingual GeneralCodeOn{"Разрешение общего кода доступа", "enable general access code"};
constexpr Bilingual GeneralCodeOff{"запрет общего кода доступа", "disable general access code"};
} // namespace ConfigTexts

// CB4 also sets the lock opening time.
constexpr int ApartmentLockTimeBit = 4;

// CB2 to CB8 of the apartment page, in the order the configuration group shows and fills them.
constexpr std::array<ConfigBoxTexts, 7> ApartmentBoxes{{
    {"CB2", 6, {"EML - замок", "lock type - EL"}, {"ML - замок", "lock type - ML"},
     {"Тип замка (выбрано - EML, пусто - ML)", "Lock type (selected - EL, deselected - ML)"}},
    {"CB3", 5,
     ConfigTexts::BeepDisabled, ConfigTexts::BeepEnabled,
     {"Разрешение или запрет звуковой сигнализации в УКП квартир при использовании DS1990A (выбрано - "
      "запрещено, пусто - разрешено)",
      "Enable/Disable beep at subscriber device to signal DS1990A use(selected - disabled, deselected - "
      "enabled)"}},
    {"CB4", ApartmentLockTimeBit, {"Время открывания замка - 5с", "unlocked state - 5s"},
     {"время открывания замка - 1с", "unlocked state - 1s"},
     {"Время открывания замка (выбрано - 5с, пусто - 1с)",
      "Unlocked state time (selected - 5s, deselected - 1s)"}},
    {"CB5", 3,
     ConfigTexts::IndividualCodesOn, ConfigTexts::IndividualCodesOff,
     {"Разрешение/запрет индивидуальных кодов доступа (для всех квартир) выбрано - разрешено/ пусто - "
      "запрещено",
      "Enable/disable individual access codes (for all apartments) selected - enabled/ deselected - "
      "disabled"}},
    {"CB6", 2, {"Кол-во цифр в индивидуальном коде доступа - 3", "3 digits in individual access code"},
     {"Кол-во цифр в индивидуальном коде доступа - 4", "4 digits in individual access code"},
     {"Кол-во цифр в индивидуальном коде доступа (выбрано - 3 /пусто - 4)",
      "Quantity digits in individual access code (selected - 3 /deselected - 4)"}},
    {"CB7", 1, ConfigTexts::GeneralCodeOn, ConfigTexts::GeneralCodeOff,
     {"Разрешение/запрет общего кода доступа (выбрано - разрешено/ пусто - запрещено)",
      "Enable/disable general access code (selected - enabled/ deselected - disabled)"}},
    {"CB8", 0, {"Кол-во цифр в общем коде доступа - 3", "3 digits in general access code"},
     {"Кол-во цифр в общем коде доступа - 4", "4 digits in general access code"},
     {"Кол-во цифр в общем коде доступа (выбрано - 3/пусто - 4)",
      "Quantity of digits in general access code (selected - 3/deselected - 4)"}},
}};

// The five settings, bits 7, 5, 3, 1 and 0, with the box names of each variant.
constexpr std::array<ConfigBoxTexts, 5> BoxesNamed(std::array<const char*, 5> names)
{
    return {{
        {names[0], 7, {"Поквартирная организация списка", "apartment numbers order"},
         {"Сплошная организация списка", "continuous list mode"},
         {"Поквартирная/сплошная организация списка (выбрано - поквартирная/ пусто - сплошная)",
          "apartment/continuous list mode (selected - apartment list mode/ deselected - continuous)"}},
        {names[1], 5,
         ConfigTexts::BeepDisabled, ConfigTexts::BeepEnabled,
         {"Разрешение или запрет звуковой сигнализации в УКП квартир при использовании DS1990A(выбрано - "
          "запрещено, пусто - разрешено)",
          "Enable/disable beep at subscriber device to signal DS1990A use(selected - disabled, deselected - "
          "enabled)"}},
        {names[2], 3,
         ConfigTexts::IndividualCodesOn, ConfigTexts::IndividualCodesOff,
         {"Разрешение/запрет индивидуальных кодов доступа (для всех квартир, выбрано - разрешено, пусто - "
          "запрещено)",
          "Enable/disable individual access codes (for all apartments, selected - enabled, deselected - "
          "disabled)"}},
        {names[3], 1, ConfigTexts::GeneralCodeOn, ConfigTexts::GeneralCodeOff,
         {"Разрешение/запрет общего кода доступа (выбрано - разрешено, пусто - запрещено)",
          "Enable/disable general access code (selected - enabled, deselected - disabled)"}},
        {names[4], 0, {"Приоритет устройства - А", "priority - A"}, {"Приоритет устройства - В", "priority - B"},
         {"Приоритет устройства (выбрано - А, пусто - В)", "Priority (selected - A, deselected - B)"}},
    }};
}

constexpr auto DS1996Boxes = BoxesNamed({"CheckBox9", "CheckBox11", "CheckBox13", "CheckBox15", "CheckBox16"});
constexpr auto DS1995Boxes = BoxesNamed({"CheckBox1", "CheckBox2", "CheckBox3", "CheckBox4", "CheckBox5"});

// The settings of the PKU-512S page, in the order its group shows them.
constexpr std::array<ConfigBoxTexts, 5> PKU512SBoxes{{
    {"CB70", 6, {"EML замок", "lock type - EL"}, {"ML замок", "lock type - ML"},
     {"Тип замка (выбрано-EML / невыбрано-ML)", "Lock type (selected - EML / deselected - ML)"},
     {"EML - замок", "lock type - EL"}, {"ML - замок", "lock type - ML"}},
    {"CB72", 5,
     ConfigTexts::BeepDisabled, ConfigTexts::BeepEnabled,
     {"Разрешение или запрет звуковой сигнализации в УКП квартир при использовании DS1990A (выбрано - "
      "запрещено, пусто - разрешено)",
      "Enable/disable beep at subscriber device to signal DS1990A use(selected - disabled, deselected - "
      "enabled)"}},
    {"CB74", 4, {"Использование спецключа DS1991 - разрешено", "using key DS1991 - enable"},
     {"Использование спецключа DS1991 - запрещено", "using key DS1991 - disable"},
     {"Использование спецключа DS1991 (выбрано - разрешено/ пусто - запрещено)",
      "Using key DS1991 (selected - enabled/ deselected - disabled)"},
     {nullptr, nullptr},
     {"Использование спецключа DS1991 - запрещено", "usinng key DS1991 - disable"}},
    {"CB77", 3,
     ConfigTexts::IndividualCodesOn, ConfigTexts::IndividualCodesOff,
     {"Разрешение/запрет индивидуальных кодов доступа (для всех квартир) выбрано - разрешено/ пусто - "
      "запрещено",
      "Enable/disable individual access codes (for all apartments, selected - enabled, deselected - "
      "disabled)"}},
    {"CB79", 1, ConfigTexts::GeneralCodeOn, ConfigTexts::GeneralCodeOff,
     {"Разрешение/запрет общего кода доступа (выбрано - разрешено/ пусто - запрещено)",
      "Enable/disable general access code (selected - enabled, deselected - disabled)"}},
}};

// Bit 4, the special key DS1991; its group is never shown, but fills and clicks keep the box true.
constexpr std::array<ConfigBoxTexts, 1> PKU630Boxes{{
    {"CB12", 4, {"Разрешение спецключа DS1991", "using key DS1991 - enable"},
     {"Запрет спецключа DS1991", "usinng key DS1991 - disable"}, {"", ""}},
}};

constexpr std::array<ConfigBoxTexts, 3> PKU618Boxes{{
    {"CheckBox6", 2,
     {"Разрешено программирование ключей с трубки", "enable keys memorizing using subscriber devices"},
     {"Запрещено программирование ключей с трубки", "disable keys memorizing using subscriber device"},
     {" программирование ключей с трубки (выбрано - разрешено/пусто - запрещено)",
      "keys memorizing using subscriber device (selected - enabled/deselected - disabled)"},
     {"Разрешено программирование ключей с трубки", "enable keys memorizing using subscriber device"}},
    {"CheckBox7", 1, {"высший приоритет", "high priority"}, {"низший приоритет", "low priority"},
     {"приоритет (выбрано - высший приоритет/пусто - низший)", "priority (selected - high/deselected - low)"}},
    {"CheckBox8", 0, {"тип замка - ML", "lock type - ML"}, {"тип замка - EL", "lock type - EL"},
     {"тип замка (выбрано - ML/пусто - EL)", "lock type (selected - ML/deselected - EL)"}},
}};
// clang-format on

} // namespace

namespace PageSettings {
std::span<const ConfigBoxTexts> ApartmentConfigBoxes() { return ApartmentBoxes; }
std::span<const ConfigBoxTexts> G300DS1996ConfigBoxes() { return DS1996Boxes; }
std::span<const ConfigBoxTexts> G300DS1995ConfigBoxes() { return DS1995Boxes; }
std::span<const ConfigBoxTexts> PKU512SConfigBoxes() { return PKU512SBoxes; }
std::span<const ConfigBoxTexts> PKU618ConfigBoxes() { return PKU618Boxes; }
std::span<const ConfigBoxTexts> PKU630ConfigBoxes() { return PKU630Boxes; }
} // namespace PageSettings

bool ConfigBoxChecked(const TIntercomData& record, const ConfigBoxTexts& box)
{
    return (record.ConfigByte >> box.bit) & 1;
}

int SpinRecordValue(const TIntercomData& record, SpinValue value)
{
    switch (value) {
    case SpinValue::LockTime: return record.LockTime;
    case SpinValue::Volume: return record.Volume;
    case SpinValue::ConciergeNumber: return record.ConciergeNumber;
    case SpinValue::LockTimeWord: return record.GeneralCode;
    }
    return 0;
}
