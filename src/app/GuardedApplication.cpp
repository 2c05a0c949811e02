#include "app/GuardedApplication.h"

#include "app/TerminationSignals.h"
#include "model/ControllerTypes.h"
#include "model/Prompts.h"
#include "model/RecoveryFile.h"

#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {
constexpr Bilingual UnexpectedError{"Непредвиденная ошибка: %1\nПрограмма будет закрыта.",
                                    "Unexpected error: %1\nThe program will close."};
constexpr Bilingual DataSaved{"Данные сохранены в файл %1; его можно открыть командой Файл > Открыть.",
                              "The data have been saved to %1; File > Open opens it."};
constexpr Bilingual DataNotSaved{"Данные сохранить не удалось: %1", "The data could not be saved: %1"};
} // namespace

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    auto* terminationSignals = new TerminationSignals(this);
    connect(terminationSignals, &TerminationSignals::received, this, [this](int signal) { EndSession(128 + signal); });
    connect(this, &QGuiApplication::commitDataRequest, this, [this] { EndSession(EXIT_SUCCESS); });
}

void GuardedApplication::SetRescue(Rescue rescue) { rescue_.emplace(std::move(rescue)); }

Rescue GuardedApplication::DefaultRescue(Prompts& prompts, std::function<UnsavedWork()> unsavedWork)
{
    return {prompts, std::move(unsavedWork), RecoveryFolder(), [] { std::exit(EXIT_FAILURE); }};
}

QString GuardedApplication::RecoveryFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        Fail(QString::fromLocal8Bit(error.what()));
    } catch (...) {
        Fail(QStringLiteral("unknown error"));
    }
    return false;
}

void GuardedApplication::Fail(const QString& what)
{
    if (failing_) return;
    if (!rescue_) {
        std::fprintf(stderr, "%s\n", qPrintable(what));
        std::exit(EXIT_FAILURE);
    }
    failing_ = true;
    const UnsavedWork work = rescue_->unsavedWork();
    const QString saved = SaveUnsavedWork(work);
    rescue_->prompts.message(UnexpectedError.in(work.language).arg(what) + QStringLiteral("\n") + saved,
                             ErrorTitle.in(work.language), PromptButtons::Ok, PromptIcon::Error);
    rescue_->endProgram();
    failing_ = false;
}

void GuardedApplication::EndSession(int status)
{
    if (!rescue_) {
        QCoreApplication::exit(status);
        return;
    }
    // While an error's message is up its recovery file has been written already.
    if (!failing_) {
        const UnsavedWork work = rescue_->unsavedWork();
        if (work.modified) std::fprintf(stderr, "%s\n", qPrintable(SaveUnsavedWork(work)));
    }
    rescue_->endSession(status);
}

QString GuardedApplication::SaveUnsavedWork(const UnsavedWork& work)
{
    const RecoveryOutcome recovery =
        WriteRecoveryFile(work.store, work.type && ControllerTypeOf(*work.type).usesExtensionSlots,
                          rescue_->recoveryFolder, QDateTime::currentDateTime(), work.language);
    return recovery.written() ? DataSaved.in(work.language).arg(recovery.path)
                              : DataNotSaved.in(work.language).arg(recovery.error);
}
