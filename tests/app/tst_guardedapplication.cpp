// An unexpected error in an event handler: the program ends, but the record is in a recovery file
// first and the one message says where.

#include "app/GuardedApplication.h"
#include "model/DataFile.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTest>

#include <memory>
#include <stdexcept>

namespace {

// A handler with a fault in it.
class FaultyHandler : public QObject {
public:
    bool event(QEvent* event) override
    {
        if (event->type() == QEvent::User) throw std::runtime_error("cell 3 out of range");
        return QObject::event(event);
    }
};

} // namespace

class GuardedApplicationTest : public QObject {
    Q_OBJECT
private slots:
    void anErrorInAHandlerSavesTheRecordBeforeTheProgramEnds_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("size");
        QTest::newRow("data file") << 0 << DataFileSize;
        QTest::newRow("PKU-630XE keeps its extension slots") << 10 << ExtendedFileSize;
    }
    void anErrorInAHandlerSavesTheRecordBeforeTheProgramEnds()
    {
        QFETCH(int, type);
        QFETCH(int, size);
        WorkingDirectory dir;
        auto store = std::make_unique<IntercomStore>();
        ResetRecord(*store);
        store->Record.Codes[0] = 0x4321;
        const QString folder = dir.file("data");
        const auto files = [&] { return QDir(folder).entryList({"recovery-*.kvr"}, QDir::Files); };
        ScriptedPrompts prompts;
        QStringList endedWith; // the recovery files there were when the program ended
        Guarded().SetRescue({prompts, [&] { return UnsavedWork{*store, type, Language::English}; }, folder,
                             [&] { endedWith = files(); }});
        FaultyHandler handler;
        QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
        QCoreApplication::sendPostedEvents(&handler);

        QCOMPARE(endedWith.size(), 1);
        const QString path = QDir(folder).filePath(endedWith.constFirst());
        QCOMPARE(ReadAll(path).size(), size);
        auto opened = std::make_unique<TIntercomData>();
        QCOMPARE(LoadDataFile(*opened, path), LoadResult::Loaded);
        QCOMPARE(opened->Codes[0], 0x4321);
        QCOMPARE(prompts.messages().size(), 1);
        QCOMPARE(prompts.messages().constFirst().caption, QString("Error"));
        QVERIFY(prompts.texts().constFirst().startsWith("Unexpected error: cell 3 out of range\n"));
        QVERIFY(prompts.texts().constFirst().contains(path));
    }

    void anErrorWhoseRecoveryFileCannotBeWrittenSaysSoInTheUsersLanguage()
    {
        WorkingDirectory dir;
        auto store = std::make_unique<IntercomStore>();
        ResetRecord(*store);
        WriteAll(dir.file("plain"), "x");
        ScriptedPrompts prompts;
        int ended = 0;
        Guarded().SetRescue({prompts, [&] { return UnsavedWork{*store, 0, Language::Russian}; },
                             dir.file("plain/data"), [&] { ++ended; }});
        FaultyHandler handler;
        QCoreApplication::postEvent(&handler, new QEvent(QEvent::User));
        QCoreApplication::sendPostedEvents(&handler);
        QCOMPARE(ended, 1);
        QCOMPARE(prompts.messages().size(), 1);
        QCOMPARE(prompts.messages().constFirst().caption, QString("Ошибка"));
        QVERIFY(prompts.texts().constFirst().contains("Данные сохранить не удалось"));
        QVERIFY(prompts.texts().constFirst().contains(dir.file("plain/data")));
    }

private:
    static GuardedApplication& Guarded() { return *static_cast<GuardedApplication*>(QCoreApplication::instance()); }
};

int main(int argc, char* argv[])
{
    GuardedApplication application(argc, argv);
    GuardedApplicationTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_guardedapplication.moc"
