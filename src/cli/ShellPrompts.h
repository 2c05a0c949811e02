#pragma once
// Prompts for a shell: messages go to standard error, questions take their affirmative answer
// (there is nobody to ask; the command line already said what to do), file dialogs are declined.

#include "app/Prompts.h"

class ShellPrompts : public Prompts {
public:
    PromptAnswer message(const QString& text, const QString& caption, PromptButtons buttons, PromptIcon icon) override;
    std::optional<FileDialogChoice> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileDialogChoice> saveFile(const FileDialogRequest&) override { return std::nullopt; }
};
