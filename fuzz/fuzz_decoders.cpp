// libFuzzer target over every decoder and the data file loader. The first input byte picks the
// routine, bit 0 of the second answers the damaged-data question, the rest is the image or file.

#include "codecs/CodecTables.h"
#include "model/DataFile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// Answers every question at once from the input, never blocking.
class FixedAnswerPrompts : public Prompts {
public:
    explicit FixedAnswerPrompts(bool goOn) : goOn_(goOn) {}
    PromptAnswer message(const QString&, const QString&, PromptButtons, PromptIcon) override
    {
        return goOn_ ? PromptAnswer::Ok : PromptAnswer::Cancel;
    }
    std::optional<FileDialogChoice> openFile(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<FileDialogChoice> saveFile(const FileDialogRequest&) override { return std::nullopt; }

private:
    bool goOn_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const std::span<const Layout* const> layouts = AllLayouts();
    const std::size_t choice = data[0] % (layouts.size() + 1);
    FixedAnswerPrompts prompts((data[1] & 1) != 0);
    const ImageBytes input(data + 2, size - 2);

    static const auto store = std::make_unique<IntercomStore>();
    ResetRecord(*store);
    if (choice == layouts.size()) {
        LoadDataFileBytes(store->Record, QByteArray(reinterpret_cast<const char*>(input.data()),
                                                    static_cast<qsizetype>(input.size())));
        return 0;
    }
    const Layout& layout = *layouts[choice];
    layout.decode(input, *store, DecodeContext{prompts, Language::English});
    // Whatever was decoded must encode again.
    if (layout.encode) layout.encode(*store);
    return 0;
}
