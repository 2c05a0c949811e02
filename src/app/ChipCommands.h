#pragma once
// The chip read and write commands of the window: a read fetches the controller's chip into its
// image file, decodes it with the current type's layout and shows the type's page as a new,
// unsaved document; a write encodes the record and sends the image to the chip, leaving the
// document's state as it was.

#include "app/DocumentCommands.h"
#include "programmer/ChipItems.h"

class ProgrammerLink;
class ReaderButtons;
class Session;
class StatusLine;
class TransferProgress;

struct ChipCommandsHost {
    Session& session;
    DocumentWindow& window;
    DocumentCommands& documents;
    ProgrammerLink& link;
    TransferProgress& progress;
    // Put up, with a running reader stopped, before a command uses the port.
    ReaderButtons& readers;
    // A short line saying how the command ended.
    StatusLine& status;
};

class ChipCommands {
public:
    explicit ChipCommands(ChipCommandsHost host) : host_(host) {}

    void Read(const ChipItem& item);
    void Write(const ChipItem& item);

private:
    void ShowError(const QString& text, Language language);
    // True when the image file's name may be used; a link or anything but a regular file found
    // there is reported.
    bool ImageFileNameUsable(const QString& imagePath, Language language);
    // False when no programmer is connected (and says so) or its port cannot be opened.
    bool OpenPort(const ChipItem& item, const Bilingual& notDone);
    void Report(const Bilingual& text, const ChipItem& item);

    ChipCommandsHost host_;
};
