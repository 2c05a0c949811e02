#include "cli/CliPrompts.h"

#include <QTextStream>

PromptAnswer CommandLinePrompts::message(const QString& text, const QString&, PromptButtons buttons, PromptIcon)
{
    QTextStream err(stderr);
    PromptAnswer answer = PromptAnswer::Ok;
    switch (buttons) {
    case PromptButtons::Ok: break;
    case PromptButtons::OkCancel: answer = continue_ ? PromptAnswer::Ok : PromptAnswer::Cancel; break;
    case PromptButtons::YesNo:
    case PromptButtons::YesNoCancel: answer = continue_ ? PromptAnswer::Yes : PromptAnswer::No; break;
    }
    if (buttons == PromptButtons::Ok)
        err << "kavro-cli: " << text << '\n';
    else if (!quiet_)
        err << "kavro-cli: " << text << (continue_ ? " (continuing)" : " (refused)") << '\n';
    return answer;
}
