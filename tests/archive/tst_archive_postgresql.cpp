// The chip archive on a PostgreSQL server, as a service company shares one: the same cases as
// SQLite, against a throwaway cluster made in a temporary folder and stopped at the end. Without
// the server's programs, or when it will not start, the test reports itself skipped (77).

#include "ArchiveCases.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QSqlDatabase>
#include <QTextStream>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

namespace {

// The server's programs of the newest installed version.
QString ServerPrograms()
{
    QStringList versions = QDir("/usr/lib/postgresql").entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(versions.begin(), versions.end(),
              [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    for (auto it = versions.rbegin(); it != versions.rend(); ++it)
        if (QFile::exists("/usr/lib/postgresql/" + *it + "/bin/initdb")) return "/usr/lib/postgresql/" + *it + "/bin";
    return {};
}

// A port of 127.0.0.1 no one listens on: the one the system gives a socket bound to port 0.
int FreePort()
{
    const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    int port = 0;
    if (::bind(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0 &&
        ::getsockname(probe, reinterpret_cast<sockaddr*>(&address), &length) == 0)
        port = ntohs(address.sin_port);
    ::close(probe);
    return port;
}

// A cluster of its own on 127.0.0.1. The server refuses to run as root: then it runs as the
// system's postgres user.
class ThrowawayCluster {
public:
    bool start(QString* why)
    {
        const QString bin = ServerPrograms();
        if (bin.isEmpty()) return fail(why, "no PostgreSQL server programs are installed");
        if (!folder_.isValid() || (port_ = FreePort()) == 0) return fail(why, "no temporary folder or free port");
        QFile::setPermissions(folder_.path(), QFile::Permissions(0x7777));
        const QString data = folder_.filePath("data");
        if (!run({bin + "/initdb", "-D", data, "-A", "trust", "-U", "kavro", "-E", "UTF8"}, why)) return false;
        started_ = run({bin + "/pg_ctl", "-D", data, "-w", "-l", folder_.filePath("server.log"), "-o",
                        QString("-p %1 -c listen_addresses=127.0.0.1 -k %2").arg(port_).arg(folder_.path()), "start"},
                       why);
        stop_ = {bin + "/pg_ctl", "-D", data, "-m", "immediate", "stop"};
        return started_;
    }
    ~ThrowawayCluster()
    {
        QString ignored;
        if (started_) run(stop_, &ignored);
    }
    QString location() const { return QString("postgresql://kavro@127.0.0.1:%1/postgres").arg(port_); }

private:
    static bool fail(QString* why, const QString& reason)
    {
        *why = reason;
        return false;
    }
    bool run(QStringList command, QString* why)
    {
        if (::geteuid() == 0) command = QStringList{"runuser", "-u", "postgres", "--"} + command;
        QProcess process;
        process.setProcessChannelMode(QProcess::MergedChannels);
        process.start(command.takeFirst(), command);
        if (process.waitForFinished(120000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
            return true;
        return fail(why, QString::fromLocal8Bit(process.readAll()) + process.errorString());
    }

    QTemporaryDir folder_{QDir::tempPath() + "/kavro-pg-XXXXXX"};
    int port_ = 0;
    bool started_ = false;
    QStringList stop_;
};

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc > 1 && QByteArray(argv[1]) == "--writer") return RunArchiveWriter(argc, argv);
    constexpr int Skipped = 77;
    if (!QSqlDatabase::isDriverAvailable("QPSQL")) {
        QTextStream(stdout) << "SKIP: the Qt SQL driver QPSQL is not installed\n";
        return Skipped;
    }
    ThrowawayCluster cluster;
    QString why;
    if (!cluster.start(&why)) {
        QTextStream(stdout) << "SKIP: no PostgreSQL server could be started: " << why << '\n';
        return Skipped;
    }
    ArchiveCases cases(cluster.location());
    return QTest::qExec(&cases, argc, argv);
}
