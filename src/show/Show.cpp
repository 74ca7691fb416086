#include "show/Show.h"

namespace lumora {

TShow::TShow()
{
    UnityPatches();
    SetDefaultProfiles();
}

void TShow::ResetShow()
{
    ResetCues();
    ResetAllSubs();
    UnityPatches();
    SetDefaultProfiles();
    ResetAllEffects();
    ResetAllMacros();
    ResetQuorvel();
}

void TShow::ResetCues()
{
    cueList.Clear();
}
void TShow::ResetAllSubs()
{
    lumora::ResetAllSubs(subs);
}

void TShow::UnityPatches()
{
    for (auto& page : patches)
        page.Unity();
}

void TShow::ClearPatches()
{
    for (auto& page : patches)
        page.Clear();
}

void TShow::SetDefaultProfiles()
{
    lumora::SetDefaultProfiles(profiles);
}
void TShow::SetDefaultProfileNames()
{
    lumora::SetDefaultProfileNames(profiles);
}
void TShow::ResetAllEffects()
{
    lumora::ResetAllEffects(effects);
}
void TShow::ResetAllMacros()
{
    lumora::ResetAllMacros(macros);
}
void TShow::ResetQuorvel()
{
    lumora::ResetQuorvel(quorvel);
}

} // namespace lumora
