#pragma once

// The show document: every kind of show data, owned for the whole run and reset in place.

#include "cues/CueList.h"
#include "effects/Effect.h"
#include "macros/Macro.h"
#include "patch/Patch.h"
#include "patch/Profile.h"
#include "quorvel/Quorvel.h"
#include "subs/Sub.h"

namespace lumora {

class TShow final {
public:
    // Creates every object empty, then unity patches and default profiles.
    TShow();

    // Data (0-based arrays; the accessors below take the 1-based numbers users see)
    TCueList cueList;
    TSubPages subs;
    TPatches patches;
    TProfiles profiles;
    TEffects effects;
    TMacros macros;
    TQuorvel quorvel;

    TSub& sub(int page, int number) { return subs[page - 1][number - 1]; }
    TPatch& patch(int page) { return patches[page - 1]; }
    TProfile& profile(int number) { return profiles[number - 1]; }
    TEffect& effect(int number) { return effects[number - 1]; }
    TMacro& macro(int number) { return macros[number - 1]; }

    // Resets (the model only, never the image)
    void ResetShow();
    void ResetCues();
    void ResetAllSubs();
    void UnityPatches();
    void ClearPatches();
    void SetDefaultProfiles();
    void SetDefaultProfileNames();
    void ResetAllEffects();
    void ResetAllMacros();
    void ResetQuorvel();

    friend bool operator==(const TShow&, const TShow&) = default;
};

} // namespace lumora
