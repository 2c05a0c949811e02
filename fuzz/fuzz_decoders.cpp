// libFuzzer target over every decoder, the data file loader and the chip dump import. The first
// input byte picks the routine, bit 0 of the second answers the damaged-data question, the rest
// is the image or file. The loader and the import take the input as a file, through the same file
// code as File > Open: it is written into a folder made once per process, which is also the
// working folder the import leaves its image file in.
// A loaded data file then goes where an opened one can go: its type is looked up by name, its
// report is written, and it is encoded by the layout the rest of the second byte picks, as saving
// it as a chip dump or writing it to a chip does. A dump is imported for the type that rest picks.

#include "FuzzSupport.h"
#include "codecs/CodecTables.h"
#include "codecs/ImageFiles.h"
#include "documents/Report.h"
#include "model/DataFile.h"
#include "model/TypeName.h"
#include "support/FixedAnswerPrompts.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <memory>

namespace {

// A folder made once per process. The input goes there as a file, and the dump import, which
// leaves its image file in the working folder, runs inside it; the working folder is given back
// after each import, so the corpus and artifact paths libFuzzer was given stay where they were.
class InputFolder {
public:
    QString write(const ImageBytes& input) const
    {
        const QString path = folder_.filePath(QStringLiteral("input"));
        QFile file(path);
        Require(file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                file.write(reinterpret_cast<const char*>(input.data()), qint64(input.size())) == qint64(input.size()));
        return path;
    }

    template <typename Work>
    void runInside(Work work) const
    {
        const QString previous = QDir::currentPath();
        Require(QDir::setCurrent(folder_.path()));
        work();
        Require(QDir::setCurrent(previous));
    }

private:
    QTemporaryDir folder_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2) return 0;
    const std::span<const Layout* const> layouts = AllLayouts();
    const std::size_t dataFileChoice = layouts.size();
    const std::size_t dumpChoice = layouts.size() + 1;
    const std::size_t choice = data[0] % (layouts.size() + 2);
    // Every question is answered at once from the input, never blocking.
    FixedAnswerPrompts prompts((data[1] & 1) != 0 ? PromptAnswer::Ok : PromptAnswer::Cancel);
    const ImageBytes input(data + 2, size - 2);

    static const auto store = std::make_unique<IntercomStore>();
    static const InputFolder folder;
    ResetRecord(*store);
    const std::size_t pick = data[1] >> 1;
    if (choice == dumpChoice) {
        const QString dump = folder.write(input);
        folder.runInside([&] {
            ImportDump(dump, AllDeviceTypes[pick % DeviceTypeCount], *store, DecodeContext{prompts, Language::English});
        });
        return 0;
    }
    if (choice == dataFileChoice) {
        const LoadResult loaded = LoadDataFile(store->Record, folder.write(input));
        if (loaded != LoadResult::Loaded && loaded != LoadResult::LoadedLegacy) return 0;
        const TDeviceType type = FindTypeByName(store->Record).value_or(AllDeviceTypes[pick % DeviceTypeCount]);
        ReportBytes(type, (pick & 1) != 0, Language::English, RecordReportSource(*store));
        const Layout& target = *layouts[pick % layouts.size()];
        if (target.encode) target.encode(*store);
        return 0;
    }
    const Layout& layout = *layouts[choice];
    layout.decode(input, *store, DecodeContext{prompts, Language::English});
    // Whatever was decoded must encode again.
    if (layout.encode) layout.encode(*store);
    return 0;
}
