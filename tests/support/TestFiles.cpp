#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

WorkingDirectory::WorkingDirectory() : previous_(QDir::currentPath())
{
    QVERIFY2(dir_.isValid(), "temporary folder");
    QDir::setCurrent(dir_.path());
}

WorkingDirectory::~WorkingDirectory() { QDir::setCurrent(previous_); }

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray Filled(int size, char fill) { return QByteArray(size, fill); }

QByteArray Pattern(int size, int seed)
{
    QByteArray bytes(size, 0);
    for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 31 + i / 128 * 7 + seed) & 0xFF);
    return bytes;
}

FileSizeLimit::FileSizeLimit(long bytes)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    previousCurrent_ = static_cast<long>(limit.rlim_cur);
    previousMaximum_ = static_cast<long>(limit.rlim_max);
    previousAction_ = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    const rlimit limit{static_cast<rlim_t>(previousCurrent_), static_cast<rlim_t>(previousMaximum_)};
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, previousAction_);
}

ReadOnlyFolder::ReadOnlyFolder(QString path) : path_(std::move(path))
{
    QFile::setPermissions(path_, QFile::ReadOwner | QFile::ExeOwner);
    if (geteuid() == 0) immutable_ = SetImmutable(true);
    // Whether a file can still be made there tells whether the folder is read-only for this user.
    const QByteArray probe = QFile::encodeName(path_ + QStringLiteral("/.probe"));
    const int made = ::open(probe.constData(), O_CREAT | O_EXCL | O_WRONLY, 0600);
    holds_ = made < 0;
    if (made >= 0) {
        ::close(made);
        ::unlink(probe.constData());
    }
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    if (immutable_) SetImmutable(false);
    QFile::setPermissions(path_, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

QString ReadOnlyFolder::reason() const
{
    return immutable_ ? QStringLiteral("operation not permitted") : QStringLiteral("permission denied");
}

bool ReadOnlyFolder::SetImmutable(bool on) const
{
    const int folder = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_DIRECTORY);
    if (folder < 0) return false;
    int flags = 0;
    bool done = ::ioctl(folder, FS_IOC_GETFLAGS, &flags) == 0;
    if (done) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = ::ioctl(folder, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(folder);
    return done;
}

void MakeFifo(const QString& path) { QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0); }
