#pragma once
// "Печать" and "Заполнить инд.коды" of the window: the report of the shown page written to
// "report.txt" and opened in the desktop's text editor, and new codes for every apartment.

#include <QString>

#include <functional>

class PageLookup;
class Session;
class StatusLine;

// Opens a file in the desktop's text editor without waiting for it; false when no program can.
using EditorOpener = std::function<bool(const QString& path)>;

class ReportCommands {
public:
    // The status line says where the report was written.
    ReportCommands(Session& session, const PageLookup& pages, EditorOpener openInEditor, StatusLine& status)
            : session_(session), pages_(pages), openInEditor_(std::move(openInEditor)), status_(status)
    {
    }

    // Writes "report.txt" in the working directory, whole, says where in the status bar and opens
    // it; a file that cannot be written is reported and an earlier report stays as it was. When
    // no program opens the report, a message names its file.
    void N4Click();
    // Codes drawn from the time in seconds for the code rows of the page's apartment table.
    void N5Click();

private:
    Session& session_;
    const PageLookup& pages_;
    EditorOpener openInEditor_;
    StatusLine& status_;
};

inline constexpr const char* ReportFileName = "report.txt";
