#include "cli/CliReports.h"

#include "cli/CliPdf.h"
#include "cli/CliSubReports.h"
#include "cli/TerminalUi.h"

#include "effects/EffectReports.h"
#include "macros/MacroReports.h"

#include "patch/PatchReports.h"
#include "print/ReportFiles.h"
#include "quorvel/QVReports.h"
#include "show/SafeFile.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <span>
#include <stdlib.h>
#include <system_error>

namespace lumora::cli {

namespace {

// ---- The reports' choices

TReportPrint ChooseCueList(const TReportOptions&)
{
    return [](TEditorState& state, IUserInterface& ui, const std::string& path) {
        return PrintCueListReport(state.show().cueList, ui, path);
    };
}

// The dialog picks the cue from the list; here it is picked by its number. All channels
// unless --channels is given, as the dialog starts with its box unchecked.
TReportPrint ChooseCueLevels(const TReportOptions& options)
{
    const std::uint16_t number = CueNumberOption(options);
    const int channels = ChannelsOption(options, kChannels);
    const auto given = options.find("--channels");
    TCueLevelsChoice choice;
    choice.limitChannels = given != options.end() && given->second != "all";
    if (choice.limitChannels)
        choice.channelText = std::to_string(channels);
    return [number, choice](TEditorState& state, IUserInterface& ui, const std::string& path) {
        const TCueList& cues = state.show().cueList;
        const int count = std::min<int>(cues.count, kMaxCues);
        int row = 1; // an empty list: Print says there is nothing to print
        if (count > 0) {
            row = 0;
            for (int k = 1; k <= count && row == 0; ++k)
                if (cues.cue(k).number == number)
                    row = k;
            if (row == 0) {
                ui.error("no cue " + ReportTenths(number) + " in the cue list");
                return TReportOutcome::Refused;
            }
        }
        return PrintCueLevelsReport(cues, row, choice, ui, path);
    };
}

// 25 channels unless --channels is given, as the dialog starts; "all" unchecks its box.
TReportPrint ChooseTrack(const TReportOptions& options)
{
    const int channels = ChannelsOption(options, kChannels);
    const auto given = options.find("--channels");
    TTrackChoice choice;
    if (given != options.end()) {
        choice.limitChannels = given->second != "all";
        if (choice.limitChannels)
            choice.channelText = std::to_string(channels);
    }
    return [choice](TEditorState& state, IUserInterface& ui, const std::string& path) {
        return PrintTrackReport(state.show().cueList, choice, ui, path);
    };
}

// A whole number lowest..highest from an option, for the options that pick one item.
int ItemOption(const TReportOptions& options, std::string_view name, int lowest, int highest);

// Every effect, or --effect N as the dialog's "Current Effect" on that effect.
TReportPrint ChooseEffects(const TReportOptions& options)
{
    TEffectReportChoice choice;
    if (options.count("--effect") != 0) {
        choice.currentOnly = true;
        choice.current = ItemOption(options, "--effect", 1, kEffects);
    }
    return [choice](TEditorState& state, IUserInterface& ui, const std::string& path) {
        return PrintEffectReport(state.show().effects, choice, ui, path);
    };
}

// Every valid macro; --from A --to B as the dialog's Range (its checks and messages);
// --macro N as "Current Macro" on that macro.
TReportPrint ChooseMacros(const TReportOptions& options)
{
    TMacroReportChoice choice;
    const bool range = options.count("--from") != 0 || options.count("--to") != 0;
    if (range && options.count("--macro") != 0)
        throw EUsageError("--macro cannot be given with --from/--to");
    if (options.count("--macro") != 0) {
        choice.mode = TMacroReportMode::Current;
        choice.current = ItemOption(options, "--macro", 1, kMacros);
    } else if (range) {
        choice.mode = TMacroReportMode::Range;
        if (const auto it = options.find("--from"); it != options.end())
            choice.fromText = it->second;
        if (const auto it = options.find("--to"); it != options.end())
            choice.toText = it->second;
    }
    return [choice](TEditorState& state, IUserInterface& ui, const std::string& path) {
        return PrintMacroReport(state.show().macros, choice, ui, path);
    };
}

bool ParseDigits(std::string_view text, int& value);

// ---- Quorvel reports

// "--type N" (1..8) or all types; the dialog's "Type" entry takes the number.
TReportPrint ChooseQvTypes(const TReportOptions& options)
{
    const auto it = options.find("--type");
    const bool one = it != options.end();
    const std::string typed = one ? it->second : std::string();
    return [one, typed](TEditorState& state, IUserInterface& ui, const std::string& path) {
        return PrintQvTypeReport(state.show().quorvel, one ? TQvTypeChoice::Type : TQvTypeChoice::All, 0, typed, ui,
                                 path);
    };
}

TReportPrint ChooseQvDevices(const TReportOptions&)
{
    return [](TEditorState& state, IUserInterface& ui, const std::string& path) {
        return PrintQvDeviceReport(state.show().quorvel, ui, path);
    };
}

// "--action N" (1..100) or all actions.
TReportPrint ChooseQvActions(const TReportOptions& options)
{
    int action = 0;
    if (const auto it = options.find("--action"); it != options.end()) {
        if (!ParseDigits(it->second, action) || action < 1 || action > kQvActions)
            throw EUsageError("--action must be 1..100, not \"" + it->second + "\"");
    }
    return [action](TEditorState& state, IUserInterface& ui, const std::string& path) {
        return PrintQvActionReport(state.show().quorvel, action, ui, path);
    };
}

// "--position N" as typed into the dialog: its own checks refuse what names no position.
TReportPrint ChooseQvPosition(const TReportOptions& options)
{
    const auto it = options.find("--position");
    if (it == options.end())
        throw EUsageError("this report needs --position N");
    const std::string typed = it->second;
    return [typed](TEditorState& state, IUserInterface& ui, const std::string& path) {
        return PrintQvPositionReport(state.show().quorvel, typed, ui, path);
    };
}

// Page 1 alone unless --pages says otherwise, as the dialog opens; --through is typed into
// the dialog's dimmer box as given, so its refusals are the dialog's.
TReportPrint ChoosePatch(const TReportOptions& options)
{
    TPatchReportChoice choice;
    if (const auto pages = options.find("--pages"); pages != options.end()) {
        const std::string& p = pages->second;
        if (p != "1" && p != "2" && p != "1,2" && p != "2,1")
            throw EUsageError("--pages must be 1, 2 or 1,2, not \"" + p + "\"");
        choice.page1 = p.find('1') != std::string::npos;
        choice.page2 = p.find('2') != std::string::npos;
    }
    if (const auto through = options.find("--through"); through != options.end()) {
        choice.limit = true;
        choice.throughText = through->second;
    }
    return [choice](TEditorState& state, IUserInterface& ui, const std::string& path) {
        return PrintPatchReport(state.show().patches, choice, ui, path);
    };
}

// All profiles unless --from/--to (typed into the dialog's From and To boxes as given) or
// --profile (the profile editor's current profile) say otherwise. The editor hands the
// records to its report engine from memory; here they are the data file, one a line.
TReportPrint ChooseProfiles(const TReportOptions& options)
{
    TProfileReportChoice choice;
    const auto from = options.find("--from");
    const auto to = options.find("--to");
    const auto profile = options.find("--profile");
    if (profile != options.end()) {
        if (from != options.end() || to != options.end())
            throw EUsageError("--profile cannot be given with --from or --to");
        choice.which = TProfileChoice::Current;
        choice.current = ItemOption(options, "--profile", 1, kProfiles);
    } else if (from != options.end() || to != options.end()) {
        choice.which = TProfileChoice::Range;
        choice.fromText = from != options.end() ? from->second : "";
        choice.toText = to != options.end() ? to->second : "";
    }
    return [choice](TEditorState& state, IUserInterface& ui, const std::string& path) {
        const auto range = ProfileReportRange(choice, ui);
        if (!range)
            return TReportOutcome::Refused;
        if (path.empty() ||
            !WriteReportRows(path, ProfileReportRecords(state.show().profiles, range->first, range->second)))
            return TReportOutcome::WriteFailed;
        return TReportOutcome::Written;
    };
}

// One row per report, in the order usage lists them.
const std::vector<TCliReport> kReports = {
    {"cue-list", "", "", {}, kCueListReportFile, ChooseCueList},
    {"cue-levels",
     "--cue NUMBER [--channels N]",
     "all channels unless --channels is given",
     {{"--cue", true}, {"--channels", true}},
     kCueEditReportFile,
     ChooseCueLevels},
    {"track",
     "[--channels N]",
     "25 channels unless --channels is given",
     {{"--channels", true}},
     kTrackReportFile,
     ChooseTrack},
    {"effects",
     "[--effect N]",
     "all effects unless --effect is given",
     {{"--effect", true}},
     kEffectReportFile,
     ChooseEffects},
    {"macros",
     "[--from A --to B | --macro N]",
     "all valid macros unless a range or --macro is given",
     {{"--from", true}, {"--to", true}, {"--macro", true}},
     kMacroReportFile,
     ChooseMacros},
    {"patch",
     "[--pages 1|2|1,2] [--through D]",
     "page 1, dimmers 1..1024 unless --pages or --through say otherwise",
     {{"--pages", true}, {"--through", true}},
     kPatchReportFile,
     ChoosePatch},
    {"profiles",
     "[--from A --to B | --profile N]",
     "all profiles unless --from/--to or --profile is given",
     {{"--from", true}, {"--to", true}, {"--profile", true}},
     "profiles.csv",
     ChooseProfiles},
    {"subs",
     "[--page P --sub S] [--channels N]",
     "every named sub unless --page and --sub are given; 512 channels unless --channels is given",
     {{"--page", true}, {"--sub", true}, {"--channels", true}},
     kSubsReportFile,
     ChooseSubs},
    {"sub-list",
     "[--page P]",
     "every page unless --page is given",
     {{"--page", true}},
     kSubListReportFile,
     ChooseSubList},
    {"qv-types",
     "[--type N]",
     "all types unless --type is given",
     {{"--type", true}},
     kQvTypeReportFile,
     ChooseQvTypes},
    {"qv-devices", "", "", {}, kQvDeviceReportFile, ChooseQvDevices},
    {"qv-actions",
     "[--action N]",
     "all actions unless --action is given",
     {{"--action", true}},
     kQvActionReportFile,
     ChooseQvActions},
    {"qv-position", "--position N", "", {{"--position", true}}, kQvPositionReportFile, ChooseQvPosition},
};

// ---- Making a report

// The boxes a Print shows, kept for the command's one line; it asks no questions.
class TCollectingUi final : public IUserInterface {
public:
    std::string text() const { return m_text; }

    void error(std::string_view text) override { add(text); }
    void warning(std::string_view text) override { add(text); }
    void information(std::string_view text) override { add(text); }
    bool askYesNo(std::string_view text, Icon) override
    {
        add(text);
        return false;
    }
    Answer askYesNoCancel(std::string_view text, Icon) override
    {
        add(text);
        return Answer::Cancel;
    }
    void showStatus(std::string_view) override {}
    void hideStatus() override {}
    void setBusy(bool) override {}

private:
    void add(std::string_view text) { m_text += (m_text.empty() ? "" : " ") + OneLine(text); }

    std::string m_text;
};

// A folder of this run alone (mode 0700, fresh), removed with its files. The data file
// keeps the editor's fixed name in it, so no other process can plant or race for it.
class TScratchFolder final {
public:
    TScratchFolder()
    {
        const char* tmp = std::getenv("TMPDIR");
        m_base = tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp";
        std::string pattern = m_base + "/lumora-cli-XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr)
            throw EReportFailed("no private folder for the report's data file in " + m_base + " (" +
                                std::strerror(errno) + ")");
        m_path = pattern;
    }
    ~TScratchFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;

    std::string file(std::string_view name) const { return m_path + "/" + std::string(name); }
    // The temporary folder it was made in.
    const std::string& base() const { return m_base; }

private:
    std::string m_base;
    std::string m_path;
};

void SaveOutput(std::span<const std::uint8_t> bytes, const std::string& outputPath)
{
    std::string why;
    if (!WriteFileAtomically(outputPath, bytes, &why))
        throw EReportFailed(outputPath + ": cannot be written" + (why.empty() ? "" : " (" + why + ")"));
}

// The data file as the report's Print wrote it, to the user's output.
void PlaceDataFile(const std::string& dataFile, const std::string& outputPath)
{
    const auto text = ReadReportFile(dataFile);
    if (!text)
        throw EReportFailed(dataFile + ": cannot be read back");
    SaveOutput(std::span(reinterpret_cast<const std::uint8_t*>(text->data()), text->size()), outputPath);
}

// A whole number of digits only; false for anything else (signs, spaces, empty).
bool ParseDigits(std::string_view text, int& value)
{
    if (text.empty() || text.size() > 6 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    return std::from_chars(text.data(), text.data() + text.size(), value).ec == std::errc{};
}

int ItemOption(const TReportOptions& options, std::string_view name, int lowest, int highest)
{
    const auto it = options.find(name);
    int n = 0;
    if (it == options.end() || !ParseDigits(it->second, n) || n < lowest || n > highest)
        throw EUsageError(std::string(name) + " must be " + std::to_string(lowest) + ".." + std::to_string(highest) +
                          (it == options.end() ? std::string() : ", not \"" + it->second + "\""));
    return n;
}

} // namespace

const std::vector<TCliReport>& CliReports()
{
    return kReports;
}

const TCliReport* FindCliReport(std::string_view name)
{
    const auto it = std::find_if(kReports.begin(), kReports.end(), [&](const TCliReport& r) { return r.name == name; });
    return it == kReports.end() ? nullptr : &*it;
}

void WriteCliReport(const TCliReport& report, const TReportPrint& print, TEditorState& state, TReportOutput output,
                    const std::string& outputPath, const std::string& showName)
{
    const TScratchFolder scratch;
    const std::string dataFile = scratch.file(report.dataFile);
    TCollectingUi ui;
    switch (print(state, ui, dataFile)) {
    case TReportOutcome::Written: break;
    case TReportOutcome::NothingToPrint:
    case TReportOutcome::Refused: throw EReportFailed(showName + ": " + ui.text());
    case TReportOutcome::WriteFailed: // Print keeps the reason to itself, as the editor shows none
        throw EReportFailed(outputPath + ": the report's data file could not be written in " + scratch.base());
    }
    if (output == TReportOutput::Csv) {
        PlaceDataFile(dataFile, outputPath);
        return;
    }
    std::vector<std::uint8_t> pdf;
    if (const auto why = RenderReportPdf(report.name, dataFile, pdf))
        throw EReportFailed(outputPath + ": " + *why);
    SaveOutput(pdf, outputPath);
}

int ChannelsOption(const TReportOptions& options, int fallback)
{
    const auto it = options.find("--channels");
    if (it == options.end())
        return fallback;
    if (it->second == "all")
        return 512;
    int n = 0;
    if (!ParseDigits(it->second, n) || n < 1 || n > 512)
        throw EUsageError("--channels must be 1..512 or all, not \"" + it->second + "\"");
    return n;
}

std::uint16_t CueNumberOption(const TReportOptions& options)
{
    const auto it = options.find("--cue");
    if (it == options.end())
        throw EUsageError("this report needs --cue NUMBER");
    const std::string_view text = it->second;
    const auto dot = text.find('.');
    int whole = 0;
    int tenth = 0;
    bool ok = ParseDigits(text.substr(0, dot), whole);
    if (ok && dot != std::string_view::npos)
        ok = text.size() == dot + 2 && ParseDigits(text.substr(dot + 1), tenth);
    const int tenths = whole * 10 + tenth;
    if (!ok || tenths < 1 || tenths > 9999)
        throw EUsageError("--cue must be a cue number 0.1..999.9, not \"" + it->second + "\"");
    return static_cast<std::uint16_t>(tenths);
}

} // namespace lumora::cli
