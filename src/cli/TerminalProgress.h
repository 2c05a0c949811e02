#pragma once
// A transfer's progress as a bar on standard error, drawn only when it is a terminal.

#include "programmer/TransferProgress.h"

class TerminalProgress : public TransferProgress {
public:
    TerminalProgress();
    void open() override {}
    void reset(int maximum) override;
    void advance(int position, qint64 bytes) override;
    void close() override;

private:
    bool terminal_;
    int maximum_ = 0;
    bool drawn_ = false;
};
