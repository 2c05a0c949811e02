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

// A folder nobody may write into while the object lives, as on a read-only disk: its write
// permission is taken away and, since permissions do not bind root, for root it is also made
// immutable. The folder is given back as it was afterwards.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(QString path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // False where neither way binds (root on a file system without the immutable flag): the case
    // is then skipped, never passed.
    bool holds() const { return holds_; }
    // How the program words the system's refusal of a write into it, in English.
    QString reason() const;

private:
    bool SetImmutable(bool on) const;

    QString path_;
    bool immutable_ = false;
    bool holds_ = false;
};

// A named pipe at `path`; nothing ever writes to it, so a reader that opens it blocks for ever.
void MakeFifo(const QString& path);
