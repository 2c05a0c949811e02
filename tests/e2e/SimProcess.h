#pragma once
// A running kavro-sim for a test: started with the given options, its port read from its first
// line, commands written to its standard input, stopped when the test ends.

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

class SimProcess {
public:
    SimProcess() = default;
    ~SimProcess();
    // What a chip holds when the simulator starts (it reads its chip files at start).
    void prepareChip(const QString& chip, const QByteArray& bytes);
    // Starts the simulator; false when it did not announce its port.
    bool start(const QStringList& options = {});
    bool started() const { return !port_.isEmpty(); }
    QString port() const { return port_; }
    // The folder of the chip memory files.
    QString chipFile(const QString& chip) const { return chips_.filePath(chip + QStringLiteral(".bin")); }
    void command(const QByteArray& line);
    // What the simulator prints on standard error goes to this file instead of the test's output.
    void sendErrorsTo(const QString& path) { errorFile_ = path; }
    bool waitForExit(int ms) { return process_.waitForFinished(ms); }

private:
    QTemporaryDir chips_;
    QProcess process_;
    QString port_;
    QString errorFile_;
};
