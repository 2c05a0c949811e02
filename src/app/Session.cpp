#include "app/Session.h"

#include "archive/ChipArchive.h"

Session::Session(Prompts& prompts) : store_(std::make_unique<IntercomStore>()), prompts_(prompts) {}

Session::~Session() = default;

void Session::SetReader(ReaderState reader)
{
    if (reader == reader_) return;
    reader_ = reader;
    emit ReaderChanged();
}

ChipArchive& Session::Archive()
{
    if (!archive_) archive_ = std::make_unique<ChipArchive>(ArchiveLocationFromEnvironment());
    archive_->setLanguage(language_);
    return *archive_;
}
