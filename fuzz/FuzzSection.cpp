// Fuzzes one section's unpack at a time with small inputs: the first byte picks the area,
// the rest goes to the start of it (the rest of the area is zero). An area that unpacks
// must come back unchanged through its compile and a second unpack.

#include "cues/CueSection.h"
#include "show/LumoraError.h"
#include "show/Show.h"
#include "show/ShowImage.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

namespace {

using namespace lumora;

enum class TArea : std::uint8_t {
    Patch,
    ProfileCurves,
    ProfileNames,
    Macro,
    Effects,
    Submaster,
    Cue,
    QvSetup,
    QvPositions,
    Count
};

std::size_t SizeOf(TArea area)
{
    switch (area) {
    case TArea::Patch: return kPatchSectionSize;
    case TArea::ProfileCurves: return kProfileSectionSize;
    case TArea::ProfileNames: return kProfileNamesSize;
    case TArea::Macro: return kMacroSectionSize;
    case TArea::Effects: return kEffectsSectionSize;
    case TArea::Submaster: return kSubmasterSectionSize;
    case TArea::Cue: return kCueSectionSize;
    case TArea::QvSetup: return kQvSetupSize;
    case TArea::QvPositions: return kQvPositionSize;
    case TArea::Count: break;
    }
    return 0;
}

static_assert(kCueSectionSize >= kQvPositionSize && kCueSectionSize >= kSubmasterSectionSize);

template <std::size_t N> std::span<std::uint8_t, N> Fixed(std::vector<std::uint8_t>& bytes)
{
    return std::span<std::uint8_t, N>(bytes.data(), N);
}

// Both shows start each run with the area's kind reset, as the load's unpack finds it.
void Reset(TShow& show, TArea area)
{
    switch (area) {
    case TArea::Patch: show.UnityPatches(); break;
    case TArea::ProfileCurves:
    case TArea::ProfileNames: show.SetDefaultProfiles(); break;
    case TArea::Macro: show.ResetAllMacros(); break;
    case TArea::Effects: show.ResetAllEffects(); break;
    case TArea::Submaster: show.ResetAllSubs(); break;
    case TArea::Cue: show.ResetCues(); break;
    case TArea::QvSetup:
    case TArea::QvPositions: show.ResetQuorvel(); break;
    case TArea::Count: break;
    }
}

// The kind of show data the area holds, the same in both shows.
bool SameKind(const TShow& a, const TShow& b, TArea area)
{
    switch (area) {
    case TArea::Patch: return a.patches == b.patches;
    case TArea::ProfileCurves:
    case TArea::ProfileNames: return a.profiles == b.profiles;
    case TArea::Macro: return a.macros == b.macros;
    case TArea::Effects: return a.effects == b.effects;
    case TArea::Submaster: return a.subs == b.subs;
    case TArea::Cue: return a.cueList == b.cueList;
    case TArea::QvSetup:
    case TArea::QvPositions: return a.quorvel == b.quorvel;
    case TArea::Count: break;
    }
    return true;
}

void Unpack(TShow& show, TArea area, std::vector<std::uint8_t>& bytes)
{
    switch (area) {
    case TArea::Patch: UnpackPatches(show.patches, Fixed<kPatchSectionSize>(bytes)); break;
    case TArea::ProfileCurves: UnpackProfiles(show.profiles, Fixed<kProfileSectionSize>(bytes)); break;
    case TArea::ProfileNames: UnpackProfileNames(show.profiles, Fixed<kProfileNamesSize>(bytes)); break;
    case TArea::Macro: UnpackMacros(show.macros, Fixed<kMacroSectionSize>(bytes)); break;
    case TArea::Effects: UnpackEffects(show.effects, Fixed<kEffectsSectionSize>(bytes)); break;
    case TArea::Submaster: UnpackSubs(show.subs, Fixed<kSubmasterSectionSize>(bytes)); break;
    case TArea::Cue: UnpackCues(show.cueList, Fixed<kCueSectionSize>(bytes)); break;
    case TArea::QvSetup: UnpackQuorvelSetup(show.quorvel, Fixed<kQvSetupSize>(bytes)); break;
    case TArea::QvPositions: UnpackQuorvelPositions(show.quorvel, Fixed<kQvPositionSize>(bytes)); break;
    case TArea::Count: break;
    }
}

void Compile(const TShow& show, TArea area, std::vector<std::uint8_t>& bytes)
{
    switch (area) {
    case TArea::Patch: CompilePatches(show.patches, Fixed<kPatchSectionSize>(bytes)); break;
    case TArea::ProfileCurves: CompileProfiles(show.profiles, Fixed<kProfileSectionSize>(bytes)); break;
    case TArea::ProfileNames: CompileProfileNames(show.profiles, Fixed<kProfileNamesSize>(bytes)); break;
    case TArea::Macro: CompileMacros(show.macros, Fixed<kMacroSectionSize>(bytes)); break;
    case TArea::Effects: CompileEffects(show.effects, Fixed<kEffectsSectionSize>(bytes)); break;
    case TArea::Submaster: CompileSubs(show.subs, Fixed<kSubmasterSectionSize>(bytes)); break;
    case TArea::Cue: CompileCues(show.cueList, Fixed<kCueSectionSize>(bytes)); break;
    case TArea::QvSetup: CompileQuorvelSetup(show.quorvel, Fixed<kQvSetupSize>(bytes)); break;
    case TArea::QvPositions: CompileQuorvelPositions(show.quorvel, Fixed<kQvPositionSize>(bytes)); break;
    case TArea::Count: break;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    static const auto first = std::make_unique<TShow>();
    static const auto again = std::make_unique<TShow>();
    // One buffer the size of the largest area, reused: only the area's own bytes count.
    static std::vector<std::uint8_t> bytes(kCueSectionSize);

    const auto area = static_cast<TArea>(data[0] % static_cast<std::uint8_t>(TArea::Count));
    const std::size_t areaSize = SizeOf(area);
    std::fill_n(bytes.begin(), areaSize, 0);
    std::copy_n(data + 1, std::min(size - 1, areaSize), bytes.begin());

    Reset(*first, area);
    Reset(*again, area);
    try {
        Unpack(*first, area, bytes);
    } catch (const ELumoraError&) {
        return 0; // refused with a message: fine
    }
    Compile(*first, area, bytes);
    Unpack(*again, area, bytes);
    if (!SameKind(*again, *first, area))
        std::abort();
    return 0;
}
