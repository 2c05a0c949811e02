// An unexpected error in an event handler, a signal or the session's end: the program ends, but a
// record that may hold unsaved work is in a recovery file first, and the next start says where.

#include "app/GuardedApplication.h"
#include "app/RecoveryNotice.h"
#include "model/DataFile.h"
#include "model/RecoveryFile.h"
#include "support/ScriptedPrompts.h"
#include "support/TestFiles.h"

#include <QDir>
#include <QTest>

#include <csignal>
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
        QTest::addColumn<TDeviceType>("type");
        QTest::addColumn<int>("size");
        QTest::newRow("data file") << TDeviceType::T150 << DataFileSize;
        QTest::newRow("PKU-630XE keeps its extension slots") << TDeviceType::PKU630XE << ExtendedFileSize;
    }
    void anErrorInAHandlerSavesTheRecordBeforeTheProgramEnds()
    {
        QFETCH(TDeviceType, type);
        QFETCH(int, size);
        WorkingDirectory dir;
        auto store = std::make_unique<IntercomStore>();
        ResetRecord(*store);
        store->Record.Codes[0] = 0x4321;
        const QString folder = dir.file("data");
        const auto files = [&] { return QDir(folder).entryList({"recovery-*.kvr"}, QDir::Files); };
        ScriptedPrompts prompts;
        QStringList endedWith; // the recovery files there were when the program ended
        Guarded().SetRescue({prompts,
                             [&] {
                                 return UnsavedWork{*store, type, Language::English};
                             },
                             folder, [&] { endedWith = files(); }});
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
        Guarded().SetRescue({prompts,
                             [&] {
                                 return UnsavedWork{*store, TDeviceType::T150, Language::Russian};
                             },
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

    // One signal per test program: after it the signals have their default action again.
    void aSignalSavesAModifiedRecordWithoutAQuestionAndEndsWithTheSignalsStatus()
    {
        WorkingDirectory dir;
        auto store = std::make_unique<IntercomStore>();
        ResetRecord(*store);
        store->Record.KeySlots[5].bytes = {0x01, 0x02, 0x03, 0xFF};
        const QString folder = dir.file("data");
        ScriptedPrompts prompts;
        int status = -1;
        Guarded().SetRescue({prompts,
                             [&] {
                                 return UnsavedWork{*store, TDeviceType::T150, Language::English, true};
                             },
                             folder, [] { QFAIL("ended as after an error"); }, [&](int ended) { status = ended; }});
        std::raise(SIGHUP);
        QTRY_COMPARE(status, 128 + SIGHUP);
        const QStringList files = QDir(folder).entryList({"recovery-*.kvr"}, QDir::Files);
        QCOMPARE(files.size(), 1);
        QCOMPARE(ReadAll(QDir(folder).filePath(files.first())), DataFileBytes(store->Record));
        QCOMPARE(prompts.messages().size(), 0); // nobody is there to answer when the session ends
    }

    void theSessionsEndWithAnUnchangedDocumentWritesNothing()
    {
        WorkingDirectory dir;
        auto store = std::make_unique<IntercomStore>();
        ResetRecord(*store);
        ScriptedPrompts prompts;
        int status = -1;
        Guarded().SetRescue({prompts,
                             [&] {
                                 return UnsavedWork{*store, TDeviceType::T150, Language::English, false};
                             },
                             dir.file("data"), [] {}, [&](int ended) { status = ended; }});
        Guarded().EndSession(0);
        QCOMPARE(status, 0);
        QVERIFY(!QFileInfo::exists(dir.file("data")));
    }

    void eachRecoveryFileIsAnnouncedAtOneStartOnly()
    {
        WorkingDirectory dir;
        auto store = std::make_unique<IntercomStore>();
        ResetRecord(*store);
        const QString folder = dir.file("data");
        const QDateTime morning(QDate(2024, 3, 1), QTime(9, 0));
        const QString first = WriteRecoveryFile(*store, false, folder, morning).path;
        const QString second = WriteRecoveryFile(*store, false, folder, morning.addSecs(60)).path;

        ScriptedPrompts prompts;
        AnnounceRecoveryFiles(prompts, Language::Russian, folder);
        QCOMPARE(prompts.messages().size(), 1);
        QCOMPARE(prompts.messages().first().caption, QString("Сообщение"));
        QVERIFY(prompts.texts().first().contains(first + "\n" + second));
        QVERIFY(prompts.texts().first().startsWith("Несохранённые данные"));

        AnnounceRecoveryFiles(prompts, Language::Russian, folder); // the next start: nothing new
        QCOMPARE(prompts.messages().size(), 1);

        QFile::remove(first); // forgotten once the user has removed it
        const QString third = WriteRecoveryFile(*store, false, folder, morning.addSecs(120)).path;
        AnnounceRecoveryFiles(prompts, Language::English, folder);
        QCOMPARE(prompts.messages().size(), 2);
        QVERIFY(prompts.texts().last().contains(third));
        QVERIFY(!prompts.texts().last().contains(second));
        QCOMPARE(ReadAll(QDir(folder).filePath("announced.txt")),
                 QFileInfo(second).fileName().toUtf8() + "\n" + QFileInfo(third).fileName().toUtf8() + "\n");
    }

private:
    static GuardedApplication& Guarded() { return *static_cast<GuardedApplication*>(QCoreApplication::instance()); }
};

int main(int argc, char* argv[])
{
    GuardedApplication application(argc, argv);
    GuardedApplicationTest test;
    // The test's own crash handler would otherwise take the signals the application handles.
    return QTest::qExec(&test, application.arguments() << QStringLiteral("-nocrashhandler"));
}

#include "tst_guardedapplication.moc"
