#include "app/QtTranslation.h"

#include <QCoreApplication>
#include <QTranslator>

namespace {
// qtbase: buttons, dialogs, file errors; qtserialport: the reasons a port cannot be opened.
const char* const Catalogues[] = {"qtbase_ru", "qtserialport_ru"};
} // namespace

QtTranslation::QtTranslation(QString folder) : folder_(std::move(folder)) {}

QtTranslation::~QtTranslation() { RemoveInstalled(); }

void QtTranslation::Apply(Language language)
{
    RemoveInstalled();
    if (language != Language::Russian) return;
    for (const char* catalogue : Catalogues) {
        auto translator = std::make_unique<QTranslator>();
        if (translator->load(QString::fromLatin1(catalogue), folder_) &&
            QCoreApplication::installTranslator(translator.get()))
            installed_.push_back(std::move(translator));
    }
}

void QtTranslation::RemoveInstalled()
{
    for (const auto& translator : installed_) QCoreApplication::removeTranslator(translator.get());
    installed_.clear();
}
