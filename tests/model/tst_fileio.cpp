// Files as a hostile or full working folder leaves them: a write that cannot complete leaves the
// previous file byte for byte and says why; a pipe, device or folder given as input is refused at
// once; a link planted at a fixed name is neither followed nor replaced.

#include "model/FileIO.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>

#include <cerrno>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray Previous = "the user's previous file";

// Names in the folder other than the given ones: what a failed write left behind.
QStringList LeftBehind(const QString& folder, const QStringList& expected)
{
    QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& name : expected) names.removeAll(name);
    return names;
}

mode_t ModeOf(const QString& path)
{
    struct stat status {};
    stat(QFile::encodeName(path).constData(), &status);
    return status.st_mode & 0777;
}

} // namespace

class FileIOTest : public QObject {
    Q_OBJECT
private slots:
    void aWriteThatCannotCompleteLeavesThePreviousFileAndSaysWhy_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk full (file size limit)") << "limit"
                                                     << "the file would be larger than allowed";
        QTest::newRow("read-only folder") << "read-only"
                                          << "permission denied";
        QTest::newRow("a folder at the name") << "folder"
                                              << "it is a folder";
    }
    void aWriteThatCannotCompleteLeavesThePreviousFileAndSaysWhy()
    {
        QFETCH(QString, fault);
        QFETCH(QString, reason);
        WorkingDirectory dir;
        const QString path = dir.file(fault == "folder" ? "folder" : "data.kvr");
        if (fault == "folder")
            QVERIFY(QDir(dir.path()).mkdir("folder"));
        else
            WriteAll(path, Previous);
        FileResult result;
        {
            std::optional<ReadOnlyFolder> readOnly;
            if (fault == "read-only") {
                readOnly.emplace(dir.path());
                if (!readOnly->holds()) QSKIP("no way to make a folder read-only for this user here");
                reason = readOnly->reason();
            }
            const FileSizeLimit limit(fault == "limit" ? 4096 : 1L << 30);
            result = WriteFileSafely(path, QByteArray(12324, 'N'));
        }
        QVERIFY(!result.ok());
        QCOMPARE(result.message(Language::English), QString("Cannot write the file %1: %2").arg(path, reason));
        if (fault != "folder") QCOMPARE(ReadAll(path), Previous);
        QCOMPARE(LeftBehind(dir.path(), {QFileInfo(path).fileName()}), QStringList()); // no temporary left
    }

    void theReasonIsInTheWindowsLanguageWithTheSystemsTextForRareErrors()
    {
        QCOMPARE(SystemErrorText(ENOSPC, Language::Russian), QString("на диске нет места"));
        QCOMPARE(SystemErrorText(ENOSPC, Language::English), QString("no space left on the disk"));
        QCOMPARE(FileResult({"/x/a.kvr", FileFailure::CannotWrite, EROFS}).message(Language::Russian),
                 QString("Не удалось записать файл /x/a.kvr: файловая система только для чтения"));
        QCOMPARE(SystemErrorText(EXDEV, Language::Russian), QString::fromLocal8Bit(strerror(EXDEV)));
    }

    void aCompleteWriteReplacesTheFileAndKeepsItsPermissions()
    {
        WorkingDirectory dir;
        const QString path = dir.file("data.kvr");
        WriteAll(path, Previous);
        QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup);
        QVERIFY(WriteFileSafely(path, "new").ok());
        QCOMPARE(ReadAll(path), QByteArray("new"));
        QCOMPARE(ModeOf(path), mode_t(0640));
        QVERIFY(WriteFileSafely(dir.file("report.txt"), "codes", FileAccess::UserOnly).ok());
        QCOMPARE(ModeOf(dir.file("report.txt")), mode_t(0600));
    }

    void anInputThatIsNotARegularFileIsRefusedAtOnce_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("named pipe") << "fifo";
        QTest::newRow("folder") << "folder";
        QTest::newRow("device") << "device";
    }
    void anInputThatIsNotARegularFileIsRefusedAtOnce()
    {
        QFETCH(QString, kind);
        WorkingDirectory dir;
        QString path = dir.file("input");
        if (kind == "fifo") MakeFifo(path);
        if (kind == "folder") QVERIFY(QDir(dir.path()).mkdir("input"));
        if (kind == "device") path = "/dev/zero";
        QElapsedTimer timer;
        timer.start();
        const InputBytes input = ReadInputFile(path, 65536);
        QVERIFY(timer.elapsed() < 1000);
        QVERIFY(!input.ok() && input.bytes.isEmpty());
        QCOMPARE(input.result.message(Language::English),
                 path + " is not used: it is not a regular file (a folder, pipe or device)");
    }

    void aPipeAsTheLanguageFileGivesEnglishWithoutWaiting()
    {
        WorkingDirectory dir;
        MakeFifo(dir.file("lang.ini"));
        QCOMPARE(ReadLanguageFlag(dir.file("lang.ini")), Language::English);
        QFile::remove(dir.file("lang.ini"));
        WriteAll(dir.file("lang.ini"), "[other]\nselected=1\n[language]\r\nselected = 0\r\n");
        QCOMPARE(ReadLanguageFlag(dir.file("lang.ini")), Language::Russian);
    }

    void anInputLongerThanTheLimitIsToldApartFromOneThatFits()
    {
        WorkingDirectory dir;
        WriteAll(dir.file("exact"), Pattern(2048));
        WriteAll(dir.file("longer"), Pattern(2049));
        const InputBytes exact = ReadInputFile(dir.file("exact"), 2048);
        const InputBytes longer = ReadInputFile(dir.file("longer"), 2048);
        QVERIFY(exact.ok() && !exact.longer && exact.bytes == Pattern(2048));
        QVERIFY(longer.ok() && longer.longer && longer.bytes == Pattern(2048) && longer.size == 2049);
        const InputBytes missing = ReadInputFile(dir.file("missing"), 2048);
        QCOMPARE(missing.result.message(Language::English),
                 QString("Cannot open the file %1: no such file or folder").arg(dir.file("missing")));
    }

    // Each fixed name of the working folder with something planted there that the program did
    // not create: refused by name, and what was planted (and what a link points to) untouched.
    void aFixedNameIsNeverFollowedNorReplaced_data()
    {
        QTest::addColumn<QString>("planted");
        QTest::addColumn<QString>("how");
        for (const char* how : {"write", "fresh", "read"}) {
            QTest::newRow(qPrintable(QString("link, ") + how)) << "link" << how;
            QTest::newRow(qPrintable(QString("dangling link, ") + how)) << "dangling" << how;
            QTest::newRow(qPrintable(QString("folder, ") + how)) << "folder" << how;
            QTest::newRow(qPrintable(QString("pipe, ") + how)) << "fifo" << how;
        }
    }
    void aFixedNameIsNeverFollowedNorReplaced()
    {
        QFETCH(QString, planted);
        QFETCH(QString, how);
        WorkingDirectory dir;
        const QString fixed = dir.file("~dev24c16.tmp");
        const QString victim = dir.file("keys.kvr");
        WriteAll(victim, Previous);
        if (planted == "link") QVERIFY(QFile::link(victim, fixed));
        if (planted == "dangling") QVERIFY(QFile::link(dir.file("created-by-link"), fixed));
        if (planted == "folder") QVERIFY(QDir(dir.path()).mkdir("~dev24c16.tmp"));
        if (planted == "fifo") MakeFifo(fixed);
        FileResult result;
        if (how == "write") result = WriteFixedNameFile(fixed, "image");
        if (how == "read") result = ReadInputFile(fixed, 2048, LinkUse::Refuse).result;
        FreshFile fresh(fixed);
        if (how == "fresh") result = fresh.create();
        QVERIFY(!result.ok());
        const bool link = planted == "link" || planted == "dangling";
        QCOMPARE(result.failure, link ? FileFailure::SymbolicLink : FileFailure::NotRegularFile);
        QVERIFY(result.message(Language::Russian).startsWith(fixed + " не используется: "));
        QCOMPARE(ReadAll(victim), Previous);
        QVERIFY(!QFileInfo::exists(dir.file("created-by-link")));
        QVERIFY(link ? QFileInfo(fixed).isSymLink() : QFileInfo::exists(fixed));
    }

    void aFixedNameFileIsMadeForTheUserOnlyAndAnUnfilledOneIsRemoved()
    {
        WorkingDirectory dir;
        const QString fixed = dir.file("~dev24c64.tmp");
        WriteAll(fixed, "left by an earlier run");
        {
            FreshFile fresh(fixed);
            QVERIFY(fresh.create().ok());
            QCOMPARE(QFileInfo(fixed).size(), 0);
            QCOMPARE(ModeOf(fixed), mode_t(0600));
        }
        QVERIFY(!QFileInfo::exists(fixed)); // a cancelled read leaves nothing behind
        FreshFile fresh(fixed);
        QVERIFY(fresh.create().ok());
        QVERIFY(fresh.fill(Pattern(8192)).ok());
        QCOMPARE(ReadAll(fixed), Pattern(8192));
        {
            const FileSizeLimit limit(4096);
            FreshFile full(fixed);
            QVERIFY(full.create().ok());
            QCOMPARE(full.fill(Pattern(8192)).systemError, EFBIG);
        }
        QVERIFY(!QFileInfo::exists(fixed)); // no partial image is left to be taken for a chip's
    }

    void aNameThatIsNotUtf8KeepsItsBytes()
    {
        WorkingDirectory dir;
        const QByteArray name = QFile::encodeName(dir.path()) + "/ключи-\xff\xfe.kvr";
        const QString text = FileNameText(name);
        QCOMPARE(FileNameBytes(text), name);
        QCOMPARE(FileNameText("plain/кириллица.kvr"), QString("plain/кириллица.kvr"));
        QVERIFY(WriteFileSafely(text, "keys").ok());
        QVERIFY(access(name.constData(), F_OK) == 0); // under exactly those bytes
        QCOMPARE(ReadInputFile(text, 100).bytes, QByteArray("keys"));
        unlink(name.constData()); // a name Qt's own folder removal cannot spell
    }
};

QTEST_GUILESS_MAIN(FileIOTest)
#include "tst_fileio.moc"
