#include "show/ShowFile.h"

#include "show/LumoraError.h"
#include "show/Sections.h"

#include <algorithm>
#include <memory>
#include <span>

namespace lumora {

namespace {

struct TArea {
    std::size_t offset;
    std::size_t size;
};

// The image areas each section carries in the file.
std::span<const TArea> AreasOf(TSection section)
{
    static constexpr TArea patch[] = {{kPatchOffset, kPatchSectionSize}};
    static constexpr TArea profile[] = {{kProfileOffset, kProfileSectionSize},
                                        {kProfileNamesOffset, kProfileNamesSize}};
    static constexpr TArea macro[] = {{kMacroOffset, kMacroSectionSize}};
    static constexpr TArea effects[] = {{kEffectsOffset, kEffectsSectionSize}};
    static constexpr TArea submaster[] = {{kSubmasterOffset, kSubmasterSectionSize}};
    static constexpr TArea cue[] = {{kCueOffset, kCueSectionSize}};
    static constexpr TArea quorvel[] = {{kQvSetupOffset, kQvSetupSize}, {kQvPositionOffset, kQvPositionSize}};
    switch (section) {
    case TSection::Patch: return patch;
    case TSection::Profile: return profile;
    case TSection::Macro: return macro;
    case TSection::Effects: return effects;
    case TSection::Submaster: return submaster;
    case TSection::Cue: return cue;
    case TSection::Quorvel: return quorvel;
    }
    return {};
}

} // namespace

bool CheckShowFile(TEditorState& state, const std::string& name)
{
    const auto size = FileSize(name);
    if (!size)
        return true;
    if (*size == kShowFileSize)
        return true;
    state.ui().error(kMsgIncompatibleFile);
    return false;
}

void LoadShowFile(TEditorState& state, const std::string& name)
{
    std::string why;
    const auto bytes = ReadFileHead(name, kShowFileSize, &why);
    if (!bytes)
        throw ELumoraError(kMsgErrorReadingFile, why);
    LoadShowBytes(state, *bytes);
}

void LoadShowBytes(TEditorState& state, std::span<const std::uint8_t> bytes)
{
    if (bytes.size() < kShowFileSize)
        throw ELumoraError(kMsgErrorReadingFile, "the file holds only " + std::to_string(bytes.size()) + " bytes");

    // Unpack into copies and take them over only when every section came through, so a
    // damaged file never leaves a half-loaded show that a later Save would write out.
    auto image = std::make_unique<TShowImage>(state.image());
    auto show = std::make_unique<TShow>(state.show());
    auto file = image->file();
    for (int i = 0; i < kSectionCount; ++i) {
        if (state.globals.presence[i] == 0)
            continue;
        for (const TArea& area : AreasOf(static_cast<TSection>(i)))
            std::copy_n(bytes.begin() + area.offset, area.size, file.begin() + area.offset);
    }
    std::string notes = state.globals.notes;
    if (state.globals.importing == 0) {
        std::copy_n(bytes.begin() + kNotesOffset, kNotesSize, file.begin() + kNotesOffset);
        notes = UnpackNotes(*image);
    }

    try {
        UnpackSections(*show, *image, state.globals.presence);
    } catch (const ELumoraError& e) {
        throw ELumoraError(kMsgErrorReadingData, e.what());
    }

    state.show() = std::move(*show);
    state.image() = std::move(*image);
    state.globals.notes = std::move(notes);
}

void SaveShowFile(TEditorState& state, const std::string& name, const TFileFaults* faults)
{
    state.setAllPresent();
    try {
        CompileSections(state.show(), state.image(), state.globals.presence);
    } catch (const ELumoraError& e) {
        throw ELumoraError(kMsgErrorCompiling, e.what());
    }
    CompileNotes(state.globals.notes, state.image());

    std::string why;
    if (!WriteFileAtomically(name, state.image().file(), &why, faults))
        throw ELumoraError(kMsgErrorWritingFile, why);
}

} // namespace lumora
