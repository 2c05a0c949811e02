#include "dumps/GaugeProgress.h"

#include <QProgressBar>

void GaugeProgress::open() { reset(1); }

void GaugeProgress::reset(int maximum)
{
    gauge_.setRange(0, maximum);
    show(0, 0);
}

void GaugeProgress::advance(int position, qint64 bytes) { show(position, bytes); }

void GaugeProgress::show(int position, qint64 bytes)
{
    gauge_.setValue(position);
    gauge_.setFormat(QStringLiteral("передано байт: %1").arg(bytes));
    gauge_.repaint();
}
