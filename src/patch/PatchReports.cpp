#include "patch/PatchReports.h"

#include "print/ReportChoice.h"

#include <algorithm>

namespace lumora {

// ---- Patch report

std::optional<int> PatchReportThrough(const TPatchReportChoice& choice, IUserInterface& ui)
{
    if (!choice.page1 && !choice.page2) {
        ui.warning(kMsgCheckAPage);
        return std::nullopt;
    }
    if (!choice.limit)
        return kDimmers;
    const auto through = ReadWholeNumber(choice.throughText);
    if (!through) {
        ui.warning(kMsgValidDimmer);
        return std::nullopt;
    }
    if (*through < 1 || *through > kDimmers) {
        ui.warning(std::string(kMsgDimmerBetweenPrefix) + std::to_string(kDimmers) + ".");
        return std::nullopt;
    }
    return through;
}

std::vector<TReportRow> PatchReportRows(const TPatches& patches, bool page1, bool page2, int through)
{
    std::vector<TReportRow> rows;
    through = std::clamp(through, 0, kDimmers);
    for (int page = 1; page <= kPatchPages; ++page) {
        if (!(page == 1 ? page1 : page2))
            continue;
        const TPatch& patch = patches[static_cast<std::size_t>(page - 1)];
        for (int d = 1; d <= through; ++d) {
            const TPatchEntry& e = patch.dimmer(d);
            rows.push_back({std::to_string(page), std::to_string(d), std::to_string(e.Park ? 0 : e.Channel),
                            std::to_string(e.Level), e.Nondim && !e.Park ? "ND" : "", std::to_string(e.Profile),
                            e.Park ? "P" : ""});
        }
    }
    return rows;
}

TReportOutcome PrintPatchReport(const TPatches& patches, const TPatchReportChoice& choice, IUserInterface& ui,
                                const std::string& path)
{
    const auto through = PatchReportThrough(choice, ui);
    if (!through)
        return TReportOutcome::Refused;
    if (path.empty() || !WriteReportRows(path, PatchReportRows(patches, choice.page1, choice.page2, *through)))
        return TReportOutcome::WriteFailed;
    return TReportOutcome::Written;
}

// ---- Profile report

std::optional<std::pair<int, int>> ProfileReportRange(const TProfileReportChoice& choice, IUserInterface& ui)
{
    switch (choice.which) {
    case TProfileChoice::All: return std::pair{1, kProfiles};
    case TProfileChoice::Current:
        if (choice.current >= 1 && choice.current <= kProfiles)
            return std::pair{choice.current, choice.current};
        return std::nullopt;
    case TProfileChoice::Range: return ReadFromTo(choice.fromText, choice.toText, 1, kProfiles, "Profile", ui);
    }
    return std::nullopt;
}

std::string ProfileReportName(const TProfiles& profiles, int number)
{
    const TProfile& profile = profiles[static_cast<std::size_t>(number - 1)];
    return profile.name.empty() ? "Profile " + std::to_string(number) : profile.name.str();
}

std::vector<TReportRow> ProfileReportRecords(const TProfiles& profiles, int first, int last)
{
    std::vector<TReportRow> records;
    first = std::max(first, 1);
    last = std::min(last, kProfiles);
    for (int n = first; n <= last; ++n) {
        const std::string name = ProfileReportName(profiles, n);
        const auto& curve = profiles[static_cast<std::size_t>(n - 1)].curve;
        for (int k = 0; k < kProfileRecordsEach; ++k) {
            TReportRow record;
            record.reserve(kProfileReportFields);
            record.push_back(name);
            for (int j = 0; j < 16; ++j)
                record.push_back(std::to_string(16 * k + j));
            for (int j = 0; j < 16; ++j)
                record.push_back(std::to_string(curve[static_cast<std::size_t>(16 * k + j)]));
            records.push_back(std::move(record));
        }
    }
    return records;
}

} // namespace lumora
