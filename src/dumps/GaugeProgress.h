#pragma once
// A transfer's progress on a gauge inside a dialog: the bar moves with every block or page and
// its text shows the bytes moved so far, repainted at once while the transfer holds the interface.

#include "programmer/TransferProgress.h"

class QProgressBar;

class GaugeProgress : public TransferProgress {
public:
    explicit GaugeProgress(QProgressBar& gauge) : gauge_(gauge) {}
    void open() override;
    void reset(int maximum) override;
    void advance(int position, qint64 bytes) override;
    void close() override {}

private:
    void show(int position, qint64 bytes);
    QProgressBar& gauge_;
};
