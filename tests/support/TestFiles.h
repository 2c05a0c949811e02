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
