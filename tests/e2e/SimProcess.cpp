#include "SimProcess.h"

#include <QFile>
#include <QTest>

void SimProcess::prepareChip(const QString& chip, const QByteArray& bytes)
{
    QFile file(chipFile(chip));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

bool SimProcess::start(const QStringList& options)
{
    if (errorFile_.isEmpty())
        process_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    else
        process_.setStandardErrorFile(errorFile_);
    process_.start(QStringLiteral(KAVRO_SIM_PATH), QStringList{QStringLiteral("--chips"), chips_.path()} + options);
    if (!process_.waitForStarted(5000)) return false;
    while (!process_.canReadLine() && process_.waitForReadyRead(5000)) {}
    const QByteArray line = process_.readLine().trimmed();
    if (line.startsWith("PORT ")) port_ = QString::fromLocal8Bit(line.mid(5));
    return started();
}

SimProcess::~SimProcess()
{
    if (process_.state() != QProcess::NotRunning) {
        process_.terminate();
        if (!process_.waitForFinished(3000)) process_.kill();
        process_.waitForFinished(1000);
    }
}

void SimProcess::command(const QByteArray& line)
{
    process_.write(line + '\n');
    process_.waitForBytesWritten(1000);
}
