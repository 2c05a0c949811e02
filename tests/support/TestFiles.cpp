#include "support/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTest>

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
