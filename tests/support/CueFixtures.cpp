#include "support/CueFixtures.h"

#include "show/ValueHelpers.h"

namespace lumora::test {

void SetCues(TCueList& list, const std::vector<TCueSpec>& cueSpecs)
{
    list.Clear();
    for (const TCueSpec& cueSpec : cueSpecs) {
        TCueRecord& cue = list.cue(++list.count);
        cue.number = cueSpec.number;
        cue.type = cueSpec.type;
        for (const auto& [channel, percent] : cueSpec.hardPercents) {
            cue.levels[channel - 1] = PercentToLevel(percent);
            TCueList::SetHard(cue, channel, true);
        }
    }
    list.current = list.count ? 1 : 0;
    list.Retrack();
}

} // namespace lumora::test
