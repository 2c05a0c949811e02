#pragma once
// The desktop's prompts: QMessageBox for messages and QFileDialog for the open and save dialogs.

#include "model/Prompts.h"

class QWidget;

class QtPrompts : public Prompts {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }

    PromptAnswer message(const QString& text, const QString& caption, PromptButtons buttons,
                         PromptIcon icon) override;
    std::optional<FileDialogChoice> openFile(const FileDialogRequest& request) override;
    std::optional<FileDialogChoice> saveFile(const FileDialogRequest& request) override;

private:
    std::optional<FileDialogChoice> ShowFileDialog(const FileDialogRequest& request, bool save);

    QWidget* parent_ = nullptr;
};

// "name(*.ext)|*.ext|..." as the name filters of a file dialog.
QStringList NameFilters(const QString& filters);
