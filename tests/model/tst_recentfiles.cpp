// The recent files list: order, capacity, the last folder, and the file beside lang.ini.

#include "model/Language.h"
#include "model/RecentFiles.h"

#include "support/TestFiles.h"

#include <QFile>
#include <QTest>

class RecentFilesTest : public QObject {
    Q_OBJECT
private slots:
    void theNewestComesFirstOnceAndTheNinthOldestDropsOff()
    {
        RecentFiles recent;
        for (int i = 1; i <= 9; ++i) recent.Add(QStringLiteral("/work/b%1.kvr").arg(i), 1);
        recent.Add(QStringLiteral("/work/b5.kvr"), 1);
        QCOMPARE(recent.Files().size(), RecentFiles::Capacity);
        QCOMPARE(recent.Files().first().path, QStringLiteral("/work/b5.kvr"));
        QCOMPARE(recent.Files().count(RecentFile{QStringLiteral("/work/b5.kvr"), 1}), 1);
        QVERIFY(!recent.Files().contains(RecentFile{QStringLiteral("/work/b1.kvr"), 1}));
        QCOMPARE(recent.LastFolder(), QStringLiteral("/work"));
    }

    void theListAndTheLastFolderSurviveARestartByteForByte()
    {
        WorkingDirectory dir;
        const QString ini = dir.file("config/lang.ini");
        // A Cyrillic folder, a newline, a percent sign and a byte that is not UTF-8.
        const QString odd = QString::fromUtf8("/tmp/дом 5/line\nbreak%.bin") + QChar(0xDC00 + 0xFF);
        RecentFiles recent;
        recent.Add(QStringLiteral("/srv/a.kvr"), 1);
        recent.Add(odd, 2);
        QVERIFY(recent.Save(ini));
        QVERIFY(WriteLanguageFlag(ini, Language::Russian));

        const RecentFiles again = RecentFiles::Load(ini);
        QCOMPARE(again.Files(), recent.Files());
        QCOMPARE(again.Files().first().filterIndex, 2);
        QCOMPARE(again.LastFolder(), recent.LastFolder());
        QCOMPARE(ReadLanguageFlag(ini), Language::Russian);
    }

    void aMissingForeignOrFifoFileGivesAnEmptyList()
    {
        WorkingDirectory dir;
        const QString ini = dir.file("lang.ini");
        QVERIFY(RecentFiles::Load(ini).Files().isEmpty());
        WriteAll(RecentFilesPath(ini), "file=7\t/x\nfile=1\t\nfile=x\t/y\n\xff\xfe garbage\n");
        QVERIFY(RecentFiles::Load(ini).Files().isEmpty());
        QFile::remove(RecentFilesPath(ini));
        MakeFifo(RecentFilesPath(ini)); // refused at once, never waited on
        QVERIFY(RecentFiles::Load(ini).Files().isEmpty());
    }
};

QTEST_GUILESS_MAIN(RecentFilesTest)
#include "tst_recentfiles.moc"
