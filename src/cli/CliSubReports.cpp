#include "cli/CliSubReports.h"

#include "subs/SubReports.h"

namespace lumora::cli {

namespace {

// An option's text as the dialog's entry would hold it; empty when not given.
std::string OptionText(const TReportOptions& options, std::string_view name)
{
    const auto it = options.find(name);
    return it == options.end() ? std::string() : it->second;
}

} // namespace

TReportPrint ChooseSubs(const TReportOptions& options)
{
    // The page and sub go into the dialog's entries as typed, so a refusal is the
    // dialog's own message.
    TSubsChoice choice;
    const bool page = options.contains("--page");
    const bool sub = options.contains("--sub");
    choice.mode = page || sub ? TSubsMode::Range : TSubsMode::All;
    choice.pageText = OptionText(options, "--page");
    choice.subText = OptionText(options, "--sub");
    if (options.contains("--channels")) {
        choice.limitChannels = true;
        choice.channelText = std::to_string(ChannelsOption(options, 512));
    }
    return [choice](TEditorState& state, IUserInterface& ui, const std::string& path) {
        return PrintSubsReport(state.show().subs, choice, ui, path);
    };
}

TReportPrint ChooseSubList(const TReportOptions& options)
{
    TSubListChoice choice;
    if (options.contains("--page")) {
        choice.mode = TSubListMode::Page;
        choice.pageText = OptionText(options, "--page");
    }
    return [choice](TEditorState& state, IUserInterface& ui, const std::string& path) {
        return PrintSubListReport(state.show().subs, choice, ui, path);
    };
}

} // namespace lumora::cli
