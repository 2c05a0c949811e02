#include "app/GuardedApplication.h"

#include "model/Prompts.h"
#include "model/RecoveryFile.h"

#include <QStandardPaths>

#include <cstdio>
#include <cstdlib>
#include <exception>

namespace {
constexpr Bilingual ErrorTitle{"Ошибка", "Error"};
constexpr Bilingual UnexpectedError{"Непредвиденная ошибка: %1\nПрограмма будет закрыта.",
                                    "Unexpected error: %1\nThe program will close."};
constexpr Bilingual DataSaved{"Данные сохранены в файл %1; его можно открыть командой Файл > Открыть.",
                              "The data have been saved to %1; File > Open opens it."};
constexpr Bilingual DataNotSaved{"Данные сохранить не удалось: %1", "The data could not be saved: %1"};
} // namespace

GuardedApplication::GuardedApplication(int& argc, char** argv) : QApplication(argc, argv) {}

void GuardedApplication::SetRescue(Rescue rescue) { rescue_.emplace(std::move(rescue)); }

Rescue GuardedApplication::DefaultRescue(Prompts& prompts, std::function<UnsavedWork()> unsavedWork)
{
    return {prompts, std::move(unsavedWork), QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
            [] { std::exit(EXIT_FAILURE); }};
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
    const RecoveryOutcome recovery =
        WriteRecoveryFile(work.store, work.type == DeviceTypes::PKU630XE, rescue_->recoveryFolder,
                          QDateTime::currentDateTime(), work.language);
    const QString saved = recovery.written() ? DataSaved.in(work.language).arg(recovery.path)
                                             : DataNotSaved.in(work.language).arg(recovery.error);
    rescue_->prompts.message(UnexpectedError.in(work.language).arg(what) + QStringLiteral("\n") + saved,
                             ErrorTitle.in(work.language), PromptButtons::Ok, PromptIcon::Error);
    rescue_->endProgram();
    failing_ = false;
}
