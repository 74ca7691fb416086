#include "show/Sections.h"

#include "cues/CueSection.h"

#include <algorithm>
#include <cstring>

namespace lumora {

void RefreshDisketteBuffers(TShowImage& image)
{
    const auto block = image.qvPosition();
    std::copy_n(block.begin(), kDiskBufferB1Size, image.b1().begin());
    std::copy_n(block.begin() + kDiskBufferB1Size, kB2PositionBytes, image.b2().begin());
}

void CompileSection(const TShow& show, TShowImage& image, TSection section)
{
    switch (section) {
    case TSection::Patch: CompilePatches(show.patches, image.patch()); break;
    case TSection::Profile:
        CompileProfiles(show.profiles, image.profile());
        CompileProfileNames(show.profiles, image.profileNames());
        break;
    case TSection::Macro: CompileMacros(show.macros, image.macro()); break;
    case TSection::Effects: CompileEffects(show.effects, image.effects()); break;
    case TSection::Submaster: CompileSubs(show.subs, image.submaster()); break;
    case TSection::Cue: CompileCues(show.cueList, image.cue()); break;
    case TSection::Quorvel:
        CompileQuorvelSetup(show.quorvel, image.qvSetup());
        CompileQuorvelPositions(show.quorvel, image.qvPosition());
        RefreshDisketteBuffers(image);
        break;
    }
}

void UnpackSection(TShow& show, TShowImage& image, TSection section)
{
    switch (section) {
    case TSection::Patch: UnpackPatches(show.patches, image.patch()); break;
    case TSection::Profile:
        UnpackProfiles(show.profiles, image.profile());
        UnpackProfileNames(show.profiles, image.profileNames());
        break;
    case TSection::Macro: UnpackMacros(show.macros, image.macro()); break;
    case TSection::Effects: UnpackEffects(show.effects, image.effects()); break;
    case TSection::Submaster: UnpackSubs(show.subs, image.submaster()); break;
    case TSection::Cue: UnpackCues(show.cueList, image.cue()); break;
    case TSection::Quorvel:
        show.ResetQuorvel();
        UnpackQuorvelSetup(show.quorvel, image.qvSetup());
        UnpackQuorvelPositions(show.quorvel, image.qvPosition());
        break;
    }
}

void CompileSections(const TShow& show, TShowImage& image, const TPresenceFlags& presence)
{
    for (int i = 0; i < kSectionCount; ++i)
        if (presence[i] != 0)
            CompileSection(show, image, static_cast<TSection>(i));
}

void UnpackSections(TShow& show, TShowImage& image, const TPresenceFlags& presence)
{
    for (int i = 0; i < kSectionCount; ++i)
        if (presence[i] != 0)
            UnpackSection(show, image, static_cast<TSection>(i));
}

void CompileNotes(const std::string& notes, TShowImage& image)
{
    auto block = image.notes();
    std::fill(block.begin(), block.end(), 0);
    std::memcpy(block.data(), notes.data(), std::min(notes.size(), kNotesSize));
}

std::string UnpackNotes(TShowImage& image)
{
    const auto block = image.notes();
    const auto end = std::find(block.begin(), block.end(), 0);
    return std::string(block.begin(), end);
}

} // namespace lumora
