#pragma once
// What the fuzz targets share: prompts answered at once, and a check that stops the run.

#include "model/Prompts.h"

#include <cstdlib>

// Every message is acknowledged and every file dialog cancelled, never blocking.
class SilentPrompts : public Prompts {
public:
    PromptAnswer message(const QString&, const QString&, PromptButtons, PromptIcon) override { return PromptAnswer::Ok; }
    std::optional<FileDialogChoice> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileDialogChoice> saveFile(const FileDialogRequest&) override { return std::nullopt; }
};

// A broken promise of the code under test: libFuzzer keeps the input that led here.
inline void Require(bool holds)
{
    if (!holds) std::abort();
}
