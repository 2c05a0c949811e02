#include "editing/EditingHost.h"

#include "model/Prompts.h"

void ShowReaderGateMessage(const EditingHost& host)
{
    const Language language = host.language();
    host.prompts.message(Tr(language, "Не выбан тип ключа", "not selected type of key"), Tr(language, "Ошибка", "Error"),
                         PromptButtons::Ok, PromptIcon::Error);
}
