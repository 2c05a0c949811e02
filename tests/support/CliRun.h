#pragma once
// kavro-cli run as a user's script runs it: its exit status and what it printed.

#include <QProcess>
#include <QStringList>

struct CliRun {
    int status = -1;
    QString out;
    QString err;
};

// KAVRO_CLI_PATH comes from the test's build; KAVRO_PORT is the given one or none. `program` runs
// instead when kavro-cli is to be started through it (a shell that sets limits first).
inline CliRun RunCli(const QStringList& args, const QString& envPort = {},
                     const QString& program = QStringLiteral(KAVRO_CLI_PATH))
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("KAVRO_PORT"));
    if (!envPort.isEmpty()) environment.insert(QStringLiteral("KAVRO_PORT"), envPort);
    process.setProcessEnvironment(environment);
    process.start(program, args);
    if (!process.waitForFinished(60000)) return {-1, {}, QStringLiteral("did not finish")};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}
