#pragma once
// Prompts for programs that run without anyone to answer: every message box gets a fixed answer
// at once and every file dialog is cancelled.

#include "model/Prompts.h"

#include <cstdio>

class FixedAnswerPrompts : public Prompts {
public:
    // `answer` for every message box; a Yes/No/Cancel question (save the changes first?) gets
    // `yesNoCancel`.
    explicit FixedAnswerPrompts(PromptAnswer answer, PromptAnswer yesNoCancel)
            : answer_(answer), yesNoCancel_(yesNoCancel)
    {
    }
    explicit FixedAnswerPrompts(PromptAnswer answer) : FixedAnswerPrompts(answer, answer) {}

    PromptAnswer message(const QString& text, const QString&, PromptButtons buttons, PromptIcon) override
    {
        if (printMessages && buttons == PromptButtons::Ok) std::fprintf(stderr, "%s\n", qPrintable(text));
        return buttons == PromptButtons::YesNoCancel ? yesNoCancel_ : answer_;
    }
    std::optional<FileDialogChoice> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileDialogChoice> saveFile(const FileDialogRequest&) override { return std::nullopt; }

    // Messages with only an OK button are printed on standard error, so a failure is seen.
    bool printMessages = false;

private:
    PromptAnswer answer_;
    PromptAnswer yesNoCancel_;
};
