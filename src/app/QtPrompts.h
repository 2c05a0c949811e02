#pragma once
// The desktop's prompts: QMessageBox for messages and QFileDialog for the open and save dialogs.

#include "model/Prompts.h"

class QWidget;

class QtPrompts : public Prompts {
public:
    void SetParent(QWidget* parent) { parent_ = parent; }

    PromptAnswer message(const QString& text, const QString& caption, PromptButtons buttons, PromptIcon icon) override;
    std::optional<FileDialogChoice> openFile(const FileDialogRequest& request) override;
    std::optional<FileDialogChoice> saveFile(const FileDialogRequest& request) override;

    // Paints every shown window at once.
    static void RepaintWindows();

private:
    std::optional<FileDialogChoice> ShowFileDialog(const FileDialogRequest& request, bool save);

    QWidget* parent_ = nullptr;
};

// "name(*.ext)|*.ext|..." as the name filters of a file dialog; "name|*.ext" becomes "name (*.ext)".
QStringList NameFilters(const QString& filters);

// The file a save dialog's choice names: a name typed without an extension gets the extension of
// the selected name filter ("бинарный файл(*.bin)" adds ".bin"), or `fallbackSuffix` when the
// filter names none, so a file is never written under another format's extension.
QString WithSuffixOfFilter(const QString& path, const QString& nameFilter, const QString& fallbackSuffix);
