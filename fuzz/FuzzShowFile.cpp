// Fuzzes loading a show: load + unpack, then compile. A show that loads must come
// back unchanged through compile and a second unpack.

#include "show/EditorState.h"
#include "show/LumoraError.h"
#include "show/Sections.h"
#include "show/ShowFile.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

class TSilentUi final : public lumora::IUserInterface {
public:
    void error(std::string_view) override {}
    void warning(std::string_view) override {}
    void information(std::string_view) override {}
    bool askYesNo(std::string_view, Icon) override { return true; }
    Answer askYesNoCancel(std::string_view, Icon) override { return Answer::Yes; }
    void showStatus(std::string_view) override {}
    void hideStatus() override {}
    void setBusy(bool) override {}
};

// Short inputs are spread over the start of every section so that each codec sees
// fuzzed records; a full-size input is taken as the file itself.
std::vector<std::uint8_t> MakeShowBytes(const std::uint8_t* data, std::size_t size)
{
    using namespace lumora;
    if (size >= kShowFileSize)
        return {data, data + size};
    std::vector<std::uint8_t> bytes(kShowFileSize, 0);
    static constexpr std::size_t starts[] = {kPatchOffset,      kProfileOffset, kMacroOffset,        kEffectsOffset,
                                             kSubmasterOffset,  kCueOffset,     kProfileNamesOffset, kQvSetupOffset,
                                             kQvPositionOffset, kNotesOffset};
    const std::size_t piece = (size + std::size(starts) - 1) / std::size(starts);
    std::size_t taken = 0;
    for (std::size_t i = 0; i < std::size(starts) && taken < size; ++i) {
        const std::size_t limit = (i + 1 < std::size(starts) ? starts[i + 1] : kShowFileSize) - starts[i];
        const std::size_t n = std::min({piece, size - taken, limit});
        std::copy_n(data + taken, n, bytes.begin() + starts[i]);
        taken += n;
    }
    return bytes;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lumora;
    static TSilentUi ui;
    // Every section is unpacked on success, so one state serves every run.
    static TEditorState state(ui);
    static TShow again;
    state.setAllPresent();
    const auto bytes = MakeShowBytes(data, size);
    try {
        LoadShowBytes(state, bytes);
    } catch (const ELumoraError&) {
        return 0; // refused with a message: fine
    }

    CompileSections(state.show(), state.image(), state.globals.presence);
    CompileNotes(state.globals.notes, state.image());
    UnpackSections(again, state.image(), state.globals.presence);
    if (!(again == state.show()))
        std::abort();
    if (UnpackNotes(state.image()) != state.globals.notes)
        std::abort();
    return 0;
}
