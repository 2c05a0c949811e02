#pragma once
// "Печать" and "Заполнить инд.коды" of the window: the report of the shown page written to
// "report.txt" and opened in the desktop's text editor, and new codes for every apartment.

#include "model/Prompts.h"
#include "views/PageContext.h"

#include <functional>

class QWidget;

struct ReportCommandsHost {
    PageContext& page;
    QWidget& pages;         // holds every page's controls
    Prompts& prompts;
    std::function<bool()> smallIButton;
    // Opens a file in the desktop's text editor without waiting for it; false when no program can.
    std::function<bool(const QString& path)> openInEditor;
    // A short line in the status bar.
    std::function<void(const QString&)> report;
};

class ReportCommands {
public:
    explicit ReportCommands(ReportCommandsHost host) : host_(std::move(host)) {}

    // Writes "report.txt" in the working directory, whole, says where in the status bar and opens
    // it; a file that cannot be written is reported and an earlier report stays as it was. When
    // no program opens the report, a message names its file.
    void N4Click();
    // Codes drawn from the time in seconds for the code rows of the page's apartment table.
    void N5Click();

private:
    ReportCommandsHost host_;
};

inline constexpr const char* ReportFileName = "report.txt";
