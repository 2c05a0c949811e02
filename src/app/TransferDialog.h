#pragma once
// TForm3, the progress dialog of a chip transfer: "передано байт" with the byte count and a lime
// gauge along its bottom. A transfer opens it without making it modal and closes it at its end;
// the count and gauge repaint at once, because the transfer holds the interface while it runs.

#include "programmer/TransferProgress.h"

#include <QDialog>

#include <memory>

class QLineEdit;
class QProgressBar;

class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent);

    void Reset(int maximum);
    void Advance(int position, qint64 bytes);

private:
    QLineEdit* Edit1;
    QProgressBar* CGauge1;
};

// The window's progress of a transfer: a TForm3 for as long as the transfer runs.
class TransferDialogProgress : public TransferProgress {
public:
    explicit TransferDialogProgress(QWidget* window) : window_(window) {}

    void open() override;
    void reset(int maximum) override;
    void advance(int position, qint64 bytes) override;
    void close() override;

private:
    QWidget* window_;
    std::unique_ptr<TForm3> dialog_;
};
