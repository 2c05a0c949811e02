#include "app/Session.h"

Session::Session(Prompts& prompts) : store_(std::make_unique<IntercomStore>()), prompts_(prompts) {}

Session::~Session() = default;

void Session::SetReader(ReaderState reader)
{
    if (reader == reader_) return;
    reader_ = reader;
    emit ReaderChanged();
}
