#include "support/ScriptedPrompts.h"

#include <QTest>

ScriptedPrompts& ScriptedPrompts::answer(PromptAnswer answer)
{
    answers_.push_back(answer);
    return *this;
}

ScriptedPrompts& ScriptedPrompts::choose(std::optional<FileDialogChoice> choice)
{
    choices_.push_back(std::move(choice));
    return *this;
}

PromptAnswer ScriptedPrompts::message(const QString& text, const QString& caption, PromptButtons buttons, PromptIcon)
{
    messages_.append({text, caption, buttons});
    if (answers_.empty()) {
        if (buttons == PromptButtons::Ok) return PromptAnswer::Ok; // an OK-only box needs no script
        unexpected_ = true;
        QTest::qFail(qPrintable(QStringLiteral("unexpected question: ") + text), __FILE__, __LINE__);
        return buttons == PromptButtons::YesNo ? PromptAnswer::No : PromptAnswer::Cancel;
    }
    const PromptAnswer next = answers_.front();
    answers_.pop_front();
    return next;
}

QStringList ScriptedPrompts::texts() const
{
    QStringList list;
    for (const Shown& shown : messages_) list << shown.text;
    return list;
}

std::optional<FileDialogChoice> ScriptedPrompts::nextChoice(const FileDialogRequest& request)
{
    dialogs_.append(request);
    if (choices_.empty()) {
        unexpected_ = true;
        QTest::qFail(qPrintable(QStringLiteral("unexpected file dialog: ") + request.title), __FILE__, __LINE__);
        return std::nullopt;
    }
    const bool cancelled = !choices_.front();
    const FileDialogChoice next = cancelled ? FileDialogChoice{} : *choices_.front();
    choices_.pop_front();
    return cancelled ? std::nullopt : std::optional(next);
}

std::optional<FileDialogChoice> ScriptedPrompts::openFile(const FileDialogRequest& request)
{
    return nextChoice(request);
}

std::optional<FileDialogChoice> ScriptedPrompts::saveFile(const FileDialogRequest& request)
{
    return nextChoice(request);
}
