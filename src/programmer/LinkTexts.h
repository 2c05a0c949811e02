#pragma once
// The link's messages in both languages, and their captions.

#include "model/Language.h"

namespace LinkTexts {
inline constexpr Bilingual Info{"Информация", "Info"};
inline constexpr Bilingual Error{"Ошибка", "Error"};
inline constexpr Bilingual ErrorLoud{"ОШИБКА", "Error"};
inline constexpr Bilingual Message{"Сообщение", "Message"};

inline constexpr Bilingual PortBusy{"Этот порт занят или отсутствует (порт ", "This port is busy or absent (port "};
inline constexpr Bilingual NoPermission{"Нет доступа к порту %1. Установите правило udev 60-kavro-px17.rules или "
                                        "добавьте пользователя в группу dialout и войдите в систему заново.",
                                        "No permission to open the port %1. Install the udev rule 60-kavro-px17.rules, "
                                        "or add your user to the dialout group and log in again."};
inline constexpr Bilingual CannotReadSettings{"Ошибка 2 открытия порта .", "Error2: cannot open the port."};
inline constexpr Bilingual CannotApplySettings{"Ошибка 3 инициализации порта.", "Error 3 port initialization"};
inline constexpr Bilingual CannotSetTimeouts{"Ошибка 4 инициализации порта.", "Error 4 port initialization"};
inline constexpr Bilingual AdapterSilent{"Ошибка (0) связи с адаптером", "Connection to adapter failed(0)"};

inline constexpr Bilingual CannotCreateImage{"Ошибка открытия файла для записи",
                                             "Error: cannot open the file for write"};
inline constexpr Bilingual CannotOpenImage{"Ошибка открытия файла", "Error: cannot open the file"};
inline constexpr Bilingual InsertChipToRead{"Вставьте микросхему для чтения", "Insert chip to read"};
inline constexpr Bilingual InsertChipToWrite{"Вставьте микросхему для записи", "Insert chip to wtite"};
inline constexpr Bilingual ReadConnectionLost{"Ошибка связи при чтении микросхемы",
                                              "Cannot read the chip: connection failed"};
inline constexpr Bilingual WriteConnectionLost{"Ошибка связи при записи микросхемы",
                                               "Cannot write the chip: connection failed"};
inline constexpr Bilingual ReaderLost{"Связь с программатором потеряна (порт %1). Чтение ключей остановлено.",
                                      "The connection to the programmer was lost (port %1). Key reading has stopped."};

inline constexpr Bilingual NoPortList{"Ошибка получения списка оборудования", "Failed to get list of equipment"};
inline constexpr Bilingual NoProgrammer{"Отсутствует подключение адаптера", "There is no connection of the programmer"};
inline constexpr Bilingual IncompatibleFirmware{"Несовместимая версия  ПО адаптера",
                                                "incompatible version of the software adapter"};
} // namespace LinkTexts
