#pragma once
// The simulated programmer's chips: one memory per chip kind, either kept in memory only or backed
// by a file in a folder named after the chip ("24C16.bin", "DS1996.bin"), created erased (0xFF) at
// the chip's size when missing and written through at every committed page.

#include "programmer/Chips.h"

#include <QByteArray>
#include <QHash>
#include <QString>

class ChipMemories {
public:
    // An empty folder keeps the memories in memory only.
    explicit ChipMemories(QString folder = {}) : folder_(std::move(folder)) {}

    // The chip's bytes, loaded (or created) on first use; a file of another size is cut or
    // completed with 0xFF in memory.
    QByteArray& memory(const ProgrammerChip& chip);
    // Stores `bytes` at `offset` and writes them through to the chip's file. False when the file
    // cannot be written.
    bool commit(const ProgrammerChip& chip, int offset, const QByteArray& bytes);
    QString fileOf(const ProgrammerChip& chip) const;
    // Why the last file operation failed, empty when none did.
    QString lastError() const { return error_; }

private:
    QString folder_;
    QHash<QString, QByteArray> memories_;
    QString error_;
};
