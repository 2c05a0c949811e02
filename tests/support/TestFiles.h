#pragma once
// Small helpers for tests that need real files and byte buffers.

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A private temporary folder that is also made the working directory for the test's lifetime,
// since image files are named relative to it.
class WorkingDirectory {
public:
    WorkingDirectory();
    ~WorkingDirectory();
    QString path() const { return dir_.path(); }
    QString file(const QString& name) const { return dir_.filePath(name); }

private:
    QTemporaryDir dir_;
    QString previous_;
};

QByteArray ReadAll(const QString& path);
void WriteAll(const QString& path, const QByteArray& bytes);
// `size` bytes of `fill`.
QByteArray Filled(int size, char fill);
// Bytes that differ from their neighbours and from one 128-byte block to the next, so a misplaced
// byte or block shows; another seed gives other bytes.
QByteArray Pattern(int size, int seed = 0);

// A full disk for the calls made while it lives: files of this process cannot grow beyond `bytes`
// and a write past the limit fails with EFBIG instead of ending the process (SIGXFSZ ignored).
// The previous limit and signal action come back afterwards.
class FileSizeLimit {
public:
    explicit FileSizeLimit(long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    long previousCurrent_ = 0;
    long previousMaximum_ = 0;
    void (*previousAction_)(int) = nullptr;
};

// Root writes into read-only folders: a case that needs permissions to bind is skipped for it.
bool PermissionsBind();

// A named pipe at `path`; nothing ever writes to it, so a reader that opens it blocks for ever.
void MakeFifo(const QString& path);
