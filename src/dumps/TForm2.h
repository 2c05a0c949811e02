#pragma once
// TForm2, the programmer mode: reads a whole 24C16 to 24C1024 EEPROM into a raw dump file or
// writes a raw dump file into one, without interpreting the bytes. The document of the main
// window is never touched. Every chip read is kept in the chip archive, and with the backup on a
// write first reads and archives what the chip held. The dialog's own captions and result messages exist in Russian only;
// what it says about the dump file is in the window's language.

#include "dumps/GaugeProgress.h"
#include "model/Language.h"
#include "programmer/ChipTransfer.h"

#include <QDialog>

#include <memory>
#include <optional>

class ChipArchive;
class Prompts;
class ProgrammerLink;
class QButtonGroup;
class QGroupBox;
class QProgressBar;
class QPushButton;
struct ProgrammerChip;

// The archive the dialog keeps chips in; without one it opens the archive the environment names
// on first use. The backup before a write is the main window's option.
struct ProgrammerModeArchive {
    ChipArchive* archive = nullptr;
    bool backupBeforeWrite = false;
};

class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2(ProgrammerLink& link, Prompts& prompts, Language language, QWidget* parent = nullptr,
           ProgrammerModeArchive archive = {});
    ~TForm2() override;

    // The chosen item of RadioGroup1, -1 while none is chosen.
    int ItemIndex() const;

    void RadioGroup1Click();
    void Button1Click();
    void Button2Click();

    // Escape and Button3 close the dialog, except while an operation runs.
    void reject() override;

private:
    // Runs one operation with every control disabled, then shows its outcome: the completion
    // message, nothing when the user cancelled at the insert-chip prompt, or the error message.
    void RunOperation(TransferResult (TForm2::*operation)(const ProgrammerChip&), const char* completed,
                      const char* failed);
    // `binaryFilter` with "all files" after it, in the window's language.
    QString DumpFilters(const char* binaryFilter) const;
    TransferResult ReadChip(const ProgrammerChip& chip);
    // Writes the dump, then reads the chip back and compares it with the dump.
    TransferResult WriteChip(const ProgrammerChip& chip);
    // The dump's bytes; a file that cannot be read or is larger than the chip is refused with a
    // message naming it.
    std::optional<QByteArray> LoadDump(const QString& path, const ProgrammerChip& chip);
    // A dump shorter than the chip is written only when the user accepts the bytes that become 0xFF.
    bool AcceptShortDump(const QString& path, qsizetype size, const ProgrammerChip& chip);
    void SetControlsEnabled(bool enabled);
    ChipArchive& Archive();

    ProgrammerLink& link_;
    Prompts& prompts_;
    const Language language_;
    bool busy_ = false;
    ChipArchive* archive_;
    std::unique_ptr<ChipArchive> ownArchive_;
    const bool backupBeforeWrite_;

    QGroupBox* RadioGroup1 = nullptr;
    QButtonGroup* items_ = nullptr;
    QPushButton* Button1 = nullptr;
    QPushButton* Button2 = nullptr;
    QPushButton* Button3 = nullptr;
    QProgressBar* gauge_ = nullptr;
    std::unique_ptr<GaugeProgress> progress_;
};
