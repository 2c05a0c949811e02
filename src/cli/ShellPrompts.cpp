#include "cli/ShellPrompts.h"

#include <QTextStream>

PromptAnswer ShellPrompts::message(const QString& text, const QString&, PromptButtons buttons, PromptIcon)
{
    switch (buttons) {
    case PromptButtons::Ok:
        QTextStream(stderr) << "kavro-cli: " << text << '\n';
        return PromptAnswer::Ok;
    case PromptButtons::OkCancel:
        return PromptAnswer::Ok;
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel:
        return PromptAnswer::Yes;
    }
    return PromptAnswer::Ok;
}
