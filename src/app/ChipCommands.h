#pragma once
// The chip read and write commands of the window: a read fetches the controller's chip into its
// image file, archives it, decodes it with the current type's layout and shows the type's page as
// a new, unsaved document; a write encodes the record and sends the image to the chip, leaving the
// document's state as it was. With the backup on, a write first reads and archives what the chip
// holds; with the preview on, the user sees what the write will change and may stop it. An
// archived image opens as a document the way a read shows one, and goes back to a chip the way a
// write sends one.

#include "app/DocumentCommands.h"
#include "archive/ChipArchive.h"
#include "programmer/Chips.h"

class ProgrammerLink;
class ReaderButtons;
class Session;
class StatusLine;
class TransferProgress;
struct Layout;

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
    explicit ChipCommands(ChipCommandsHost host) : host_(std::move(host)) {}

    void Read(const ChipItem& item);
    void Write(const ChipItem& item);
    // The chip's content, read and kept in the archive, for a comparison with the document; the
    // document stays as it is. Nothing when the read failed (said).
    std::optional<QByteArray> ReadForComparison(const ChipItem& item);
    // The archived image as a new, unsaved document of its type; false (and said) when it is not
    // a controller's chip of a known type or does not decode.
    bool OpenArchived(const ArchiveEntry& entry, const QByteArray& image);
    // The archived image written back into its chip, through the backup and the preview.
    void Restore(const ArchiveEntry& entry, const QByteArray& image);

private:
    // What a write sends and how the preview reads the chip it replaces.
    struct Sending {
        const ProgrammerChip& chip;
        QByteArray image;
        std::optional<TDeviceType> type;
        const Layout* layout;          // the layout `image` is in; nullptr: no preview in page terms
        const IntercomStore* intended; // the record `image` holds, decoded; with `layout`
        QString file;                  // the document or the entry, as the archive names it
    };
    // Decodes `image`, read from a `kind` chip, into the store as `type` and shows it as a new
    // document, unless that type does not use the chip or the user declined damaged data.
    enum class ShowOutcome { Shown, OtherType, Rejected };
    ShowOutcome ShowImage(ChipKind kind, std::optional<TDeviceType> type, const QByteArray& image);
    // False when the programmer could not be reached: nothing was asked or sent.
    bool Send(const Sending& sending);
    bool ConfirmWrite(const Sending& sending, const QByteArray& chipContent);
    void ShowError(const QString& text, Language language);
    // True when the image file's name may be used; a link or anything but a regular file found
    // there is reported.
    bool ImageFileNameUsable(const QString& imagePath, Language language);
    // False when no programmer is connected (and says so) or its port cannot be opened.
    bool OpenPort(const char* chip, const Bilingual& notDone);
    void Report(const Bilingual& text, const char* chip);
    // Reads the chip into its image file and returns its bytes, kept in the archive.
    std::optional<QByteArray> FetchImage(const ChipItem& item, const QString& imagePath);
    // A chip just read, kept in the archive.
    void Keep(const QString& chip, std::optional<TDeviceType> type, const QByteArray& image);

    ChipCommandsHost host_;
};
