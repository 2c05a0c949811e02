#pragma once
// Every modal interaction goes through this interface: message boxes and file dialogs.
// The window uses QMessageBox and QFileDialog behind it, tests a scripted list of answers,
// kavro-cli answers from its command-line options.

#include "model/Language.h"

#include <QString>

#include <optional>

// The titles of the message boxes: questions and notices, and errors.
inline constexpr Bilingual MessageTitle{"Сообщение", "Message"};
inline constexpr Bilingual ErrorTitle{"Ошибка", "Error"};

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };
enum class PromptIcon { None, Information, Question, Warning, Error };

struct FileDialogRequest {
    QString title;
    QString filters;       // "name(*.ext)|*.ext|name(*.ext)|*.ext", as the dialogs list them
    QString defaultSuffix; // without the dot
    QString fileName;      // initial file name
    int filterIndex = 1;   // 1-based
    bool mustExist = false;
    QString folder = {}; // the folder the dialog starts in; empty: the dialog's own choice
};

struct FileDialogChoice {
    QString path;
    int filterIndex = 1; // 1-based, the filter the user left selected
};

class Prompts {
public:
    virtual ~Prompts() = default;

    // Shows a modal message and returns the button pressed. Closing the box counts as the
    // set's escape answer (Cancel, No, or Ok for an OK-only box).
    virtual PromptAnswer message(const QString& text, const QString& caption, PromptButtons buttons,
                                 PromptIcon icon) = 0;
    virtual std::optional<FileDialogChoice> openFile(const FileDialogRequest& request) = 0;
    virtual std::optional<FileDialogChoice> saveFile(const FileDialogRequest& request) = 0;
};
