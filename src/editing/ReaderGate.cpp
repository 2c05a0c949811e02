#include "editing/ReaderGate.h"

#include "app/Session.h"
#include "model/Prompts.h"

void ShowReaderGateMessage(Session& session)
{
    const Language language = session.CurrentLanguage();
    session.Prompter().message(Tr(language, "Не выбан тип ключа", "not selected type of key"),
                               Tr(language, "Ошибка", "Error"), PromptButtons::Ok, PromptIcon::Error);
}
