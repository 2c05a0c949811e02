#pragma once
// kavro-cli run as a user's script runs it: its exit status and what it printed.

#include <QProcess>
#include <QStringList>

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

// KAVRO_CLI_PATH comes from the test's build; KAVRO_PORT is the given one or none.
inline CliRun RunCli(const QStringList& args, const QString& envPort = {})
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("KAVRO_PORT"));
    if (!envPort.isEmpty()) environment.insert(QStringLiteral("KAVRO_PORT"), envPort);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(KAVRO_CLI_PATH), args);
    if (!process.waitForFinished(60000)) return {-1, {}, QStringLiteral("did not finish")};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
