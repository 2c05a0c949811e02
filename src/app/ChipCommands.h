#pragma once
// The chip read and write commands of the window: a read fetches the controller's chip into its
// image file, decodes it with the current type's layout and shows the type's page as a new,
// unsaved document; a write encodes the record and sends the image to the chip, leaving the
// document's state as it was.

#include "app/DocumentCommands.h"
#include "programmer/Chips.h"

#include <functional>

class ProgrammerLink;
class TransferProgress;

struct ChipCommandsHost {
    IntercomStore& store;
    Prompts& prompts;
    DocumentWindow& window;
    DocumentCommands& documents;
    ProgrammerLink& link;
    TransferProgress& progress;
    // Puts both reader buttons up and stops a running reader (and waits, if one ran).
    std::function<void()> stopReaders;
    std::function<void(bool)> setSmallIButton;
    // The option "Verify after write": a completed write is read back and compared.
    std::function<bool()> verifyAfterWrite;
    // A short line in the status bar saying how the command ended.
    std::function<void(const QString&)> report;
};

class ChipCommands {
public:
    explicit ChipCommands(ChipCommandsHost host) : host_(std::move(host)) {}

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
