#include "app/TransferDialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QVBoxLayout>

TForm3::TForm3(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Передача данных"));
    setModal(false);
    auto* label = new QLabel(QStringLiteral("передано байт"), this);
    label->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(QStringLiteral("0"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setEnabled(false);
    CGauge1 = new QProgressBar(this);
    CGauge1->setObjectName(QStringLiteral("CGauge1"));
    CGauge1->setTextVisible(false);
    CGauge1->setStyleSheet(QStringLiteral("QProgressBar::chunk { background: lime; }"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(Edit1);
    layout->addStretch();
    layout->addWidget(CGauge1);
    setFixedWidth(260);
}

void TForm3::Reset(int maximum)
{
    CGauge1->setRange(0, maximum);
    CGauge1->setValue(0);
    Edit1->setText(QStringLiteral("0"));
}

void TForm3::Advance(int position, qint64 bytes)
{
    CGauge1->setValue(position);
    Edit1->setText(QString::number(bytes));
    Edit1->repaint();
    CGauge1->repaint();
}

void TransferDialogProgress::open()
{
    dialog_ = std::make_unique<TForm3>(window_);
    dialog_->show();
    dialog_->repaint();
}

void TransferDialogProgress::reset(int maximum)
{
    if (dialog_) dialog_->Reset(maximum);
}

void TransferDialogProgress::advance(int position, qint64 bytes)
{
    if (dialog_) dialog_->Advance(position, bytes);
}

void TransferDialogProgress::close()
{
    dialog_.reset();
    // The user goes on where the transfer started.
    window_->activateWindow();
}
