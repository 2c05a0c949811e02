#pragma once
// Prompts for a shell: questions are answered from the command line, never by waiting for input.

#include "model/Prompts.h"

class CommandLinePrompts : public Prompts {
public:
    // `continueOnQuestion`: how a question is answered (the command line already said what to
    // do, e.g. --on-damaged continue|reject). Questions are echoed on standard error unless
    // `quietQuestions`, as for the insert-chip question a shell user has answered by running the
    // command. Plain messages always go to standard error.
    explicit CommandLinePrompts(bool continueOnQuestion, bool quietQuestions = false)
            : continue_(continueOnQuestion), quiet_(quietQuestions)
    {
    }

    PromptAnswer message(const QString& text, const QString& caption, PromptButtons buttons, PromptIcon icon) override;
    std::optional<FileDialogChoice> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileDialogChoice> saveFile(const FileDialogRequest&) override { return std::nullopt; }

private:
    bool continue_;
    bool quiet_;
};
