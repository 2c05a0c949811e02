#pragma once
// Prompts for tests: answers come from a script in order, every message shown is recorded, and a
// prompt the script did not expect fails the test.

#include "model/Prompts.h"

#include <QList>
#include <QStringList>

#include <deque>

class ScriptedPrompts : public Prompts {
public:
    struct Shown {
        QString text;
        QString caption;
        PromptButtons buttons;
    };

    // Queue the answer to the next message box.
    ScriptedPrompts& answer(PromptAnswer answer);
    // Queue the result of the next file dialog (open or save); nullopt cancels it.
    ScriptedPrompts& choose(std::optional<FileDialogChoice> choice);

    PromptAnswer message(const QString& text, const QString& caption, PromptButtons buttons, PromptIcon icon) override;
    std::optional<FileDialogChoice> openFile(const FileDialogRequest& request) override;
    std::optional<FileDialogChoice> saveFile(const FileDialogRequest& request) override;

    const QList<Shown>& messages() const { return messages_; }
    QStringList texts() const; // the texts of the messages shown, in order
    const QList<FileDialogRequest>& dialogs() const { return dialogs_; }
    bool allAnswersUsed() const { return answers_.empty() && choices_.empty(); }
    // Set when a prompt came that the script had no answer for.
    bool unexpectedPrompt() const { return unexpected_; }

private:
    std::optional<FileDialogChoice> nextChoice(const FileDialogRequest& request);

    std::deque<PromptAnswer> answers_;
    std::deque<std::optional<FileDialogChoice>> choices_;
    QList<Shown> messages_;
    QList<FileDialogRequest> dialogs_;
    bool unexpected_ = false;
};
