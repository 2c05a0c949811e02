#pragma once
// Prompts for a shell: questions are answered from the command line, never by waiting for input.

#include "app/Prompts.h"

class CommandLinePrompts : public Prompts {
public:
    // `continueOnQuestion`: how an OK/Cancel question is answered (--on-damaged continue|reject).
    explicit CommandLinePrompts(bool continueOnQuestion) : continue_(continueOnQuestion) {}

    PromptAnswer message(const QString& text, const QString& caption, PromptButtons buttons,
                         PromptIcon icon) override;
    std::optional<FileDialogChoice> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileDialogChoice> saveFile(const FileDialogRequest&) override { return std::nullopt; }

private:
    bool continue_;
};
