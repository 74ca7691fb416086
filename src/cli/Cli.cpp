#include "cli/Cli.h"

#include "cli/CheckJson.h"
#include "cli/CliReports.h"
#include "cli/ShowInfo.h"
#include "cli/ShowJson.h"
#include "cli/TerminalUi.h"

#include "quorvel/QVTypeFile.h"
#include "show/Backups.h"
#include "show/DirectDisk.h"
#include "show/EditorState.h"
#include "show/LumoraError.h"
#include "show/Sections.h"
#include "show/ShowDisk.h"
#include "show/ShowFile.h"
#include "show/ShowSource.h"

#include <LumoraVersion.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <istream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace lumora::cli {

namespace {

// What the main window adds when a diskette transfer returns false.

// A show as JSON is a few megabytes; anything far beyond is not one (or never ends).
constexpr std::size_t kMaxJsonBytes = std::size_t{256} << 20;

// The command failed: one line, exit status 1.
class EFailure final : public std::runtime_error {
public:
    explicit EFailure(const std::string& message) : std::runtime_error(message) {}
};

std::string InParentheses(const std::string& detail)
{
    return detail.empty() ? std::string() : " (" + detail + ")";
}

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += (text.empty() ? "" : " ") + line;
    return text;
}

std::string SystemReason(int error)
{
    return std::strerror(error);
}

// ---------------------------------------------------------------- command lines

struct TArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string, std::less<>> options;

    bool has(std::string_view name) const { return options.find(name) != options.end(); }
    std::optional<std::string> value(std::string_view name) const
    {
        const auto it = options.find(name);
        return it == options.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
};

// Options may stand anywhere after the command's words, as "--name value" or
// "--name=value"; "--" ends them, and "-" alone is a file name (standard input).
TArgs ParseArgs(std::span<const std::string> args, std::span<const TOptionSpec> optionSpecs)
{
    TArgs parsed;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            parsed.positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (const auto eq = arg.find('='); arg.rfind("--", 0) == 0 && eq != std::string::npos) {
            name = arg.substr(0, eq);
            inlineValue = arg.substr(eq + 1);
        }
        const auto optionSpec =
            std::find_if(optionSpecs.begin(), optionSpecs.end(), [&](const TOptionSpec& s) { return s.name == name; });
        if (optionSpec == optionSpecs.end())
            throw EUsageError("unknown option " + name);
        std::string value;
        if (optionSpec->takesValue) {
            if (inlineValue)
                value = *inlineValue;
            else if (i + 1 < args.size())
                value = args[++i];
            else
                throw EUsageError("option " + name + " needs a value");
        } else if (inlineValue) {
            throw EUsageError("option " + name + " takes no value");
        }
        if (!parsed.options.emplace(name, value).second)
            throw EUsageError("option " + name + " given twice");
    }
    return parsed;
}

void ExpectFiles(const TArgs& args, std::size_t count, const char* command)
{
    if (args.positional.size() != count)
        throw EUsageError(std::string(command) + " takes " + std::to_string(count) + (count == 1 ? " file" : " files") +
                          ", not " + std::to_string(args.positional.size()));
}

std::string RequiredOption(const TArgs& args, std::string_view name, const char* command)
{
    const auto value = args.value(name);
    if (!value || value->empty())
        throw EUsageError(std::string(command) + " needs " + std::string(name) + " FILE");
    return *value;
}

// "patch,cue" -> the presence flags of those sections; all seven when not given.
TPresenceFlags ParseSections(const std::optional<std::string>& list)
{
    static constexpr std::array<std::string_view, kSectionCount> kNames = {"patch",     "profile", "macro",  "effects",
                                                                           "submaster", "cue",     "quorvel"};
    TPresenceFlags presence{};
    if (!list) {
        presence.fill(1);
        return presence;
    }
    std::string_view rest = *list;
    while (true) {
        const auto comma = rest.find(',');
        const std::string_view name = rest.substr(0, comma);
        const auto it = std::find(kNames.begin(), kNames.end(), name);
        if (it == kNames.end())
            throw EUsageError("--sections: unknown section \"" + std::string(name) +
                              "\" (patch, profile, macro, effects, submaster, cue, quorvel)");
        presence[static_cast<std::size_t>(it - kNames.begin())] = 1;
        if (comma == std::string_view::npos)
            break;
        rest.remove_prefix(comma + 1);
    }
    return presence;
}

// ---------------------------------------------------------------- files

// A whole text file, or standard input for "-".
std::string ReadText(const std::string& path, std::istream& in)
{
    std::string text;
    if (path == "-") {
        text.assign(std::istreambuf_iterator<char>(in), {});
        if (in.bad())
            throw EFailure("standard input: cannot be read");
        return text;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw EFailure(path + ": cannot be read" + InParentheses(SystemReason(errno)));
    char buffer[1 << 16];
    while (true) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int error = errno;
            ::close(fd);
            throw EFailure(path + ": cannot be read" + InParentheses(SystemReason(error)));
        }
        if (n == 0)
            break;
        text.append(buffer, static_cast<std::size_t>(n));
        if (text.size() > kMaxJsonBytes) {
            ::close(fd);
            throw EFailure(path + ": too large for a show (more than 256 MiB)");
        }
    }
    ::close(fd);
    return text;
}

// Reads a show file as File > Open does: the size check, then every section and the notes.
void OpenShow(TEditorState& state, TTerminalUi& ui, const std::string& path)
{
    if (!CheckShowFile(state, path))
        throw EFailure(path + ": " + Joined(ui.takeErrors()));
    state.setAllPresent();
    try {
        LoadShowFile(state, path);
    } catch (const ELumoraError& e) {
        throw EFailure(path + ": " + e.what() + InParentheses(e.detail()));
    }
    state.globals.fileName = path;
    state.globals.loadedFromFile = 1;
    state.globals.newShow = 0;
}

// Writes the show as File > Save does; the failure line carries what lay underneath.
void SaveShow(TEditorState& state, const std::string& path)
{
    try {
        SaveShowFile(state, path);
    } catch (const ELumoraError& e) {
        throw EFailure(path + ": " + e.what() + InParentheses(e.detail()));
    }
}

// Before an existing show file is replaced, it is kept in the editor's backups folder, as
// the editor keeps it (unless the command says --no-backup).
void KeepBackup(const TArgs& args, const std::string& path)
{
    if (args.has("--no-backup"))
        return;
    std::string why;
    if (!BackUpShowFile(path, DefaultBackupsFolder(), std::time(nullptr), &why))
        throw EFailure(path + ": not replaced, because it could not be kept as a backup first" + InParentheses(why));
}

// A diskette image must be exactly one 1.44 MB diskette; a device is left to the drive code.
void CheckDiskImage(const std::string& path)
{
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        throw EFailure(path + ": no diskette image" + InParentheses(SystemReason(errno)));
    if (S_ISREG(st.st_mode) && static_cast<std::uint64_t>(st.st_size) != kDisketteBytes)
        throw EFailure(path + ": not a 1.44 MB diskette image (" + std::to_string(st.st_size) +
                       " bytes; an image has 1474560)");
    if (!S_ISREG(st.st_mode) && !S_ISBLK(st.st_mode))
        throw EFailure(path + ": neither a diskette image nor a diskette drive");
}

void WriteOut(std::ostream& out, const std::string& text)
{
    out << text;
    out.flush();
    if (!out)
        throw EFailure("standard output: write failed");
}

// ---------------------------------------------------------------- commands

struct TContext {
    std::istream& in;
    std::ostream& out;
    TTerminalUi& ui;
};

void Info(TContext& ctx, std::span<const std::string> rest)
{
    const TArgs args = ParseArgs(rest, {});
    ExpectFiles(args, 1, "info");
    TEditorState state(ctx.ui);
    OpenShow(state, ctx.ui, args.positional[0]);
    WriteOut(ctx.out, FormatSummary(SummarizeShow(state.show(), state.globals.notes)));
}

void Dump(TContext& ctx, std::span<const std::string> rest)
{
    const TArgs args = ParseArgs(rest, {});
    ExpectFiles(args, 1, "dump");
    TEditorState state(ctx.ui);
    OpenShow(state, ctx.ui, args.positional[0]);
    WriteOut(ctx.out, FormatJson(ShowToJson(state.show(), state.globals.notes)));
}

void Build(TContext& ctx, std::span<const std::string> rest)
{
    static constexpr TOptionSpec kSpecs[] = {{"-o", true}, {"--base", true}, {"--no-backup", false}};
    const TArgs args = ParseArgs(rest, kSpecs);
    ExpectFiles(args, 1, "build");
    const std::string& source = args.positional[0];
    const std::string output = RequiredOption(args, "-o", "build");
    const std::string where = source == "-" ? "standard input" : source;

    TJson json;
    try {
        json = TJson::parse(ReadText(source, ctx.in));
    } catch (const TJson::exception& e) {
        // A syntax error, or a number too large for any number type (out_of_range). The
        // library's text starts with its own tag in brackets; the rest says where.
        std::string what = e.what();
        if (const auto tag = what.find("] "); what.rfind("[json.exception", 0) == 0 && tag != std::string::npos)
            what.erase(0, tag + 2);
        throw EFailure(where + ": not valid JSON: " + what);
    }
    auto show = std::make_unique<TShow>();
    std::string notes;
    try {
        ShowFromJson(json, *show, notes);
    } catch (const EShowJsonError& e) {
        throw EFailure(where + ": " + e.what());
    }

    TEditorState state(ctx.ui);
    if (const auto base = args.value("--base")) {
        if (!CheckShowFile(state, *base))
            throw EFailure(*base + ": " + Joined(ctx.ui.takeErrors()));
        std::string why;
        const auto bytes = ReadFileHead(*base, kShowFileSize, &why);
        if (!bytes || bytes->size() < kShowFileSize)
            throw EFailure(*base + ": " + kMsgErrorReadingFile + InParentheses(why));
        std::copy(bytes->begin(), bytes->end(), state.image().file().begin());
    }
    StoreQuorvelDeviceSpares(show->quorvel, state.image().qvSetup());
    state.show() = std::move(*show);
    state.globals.notes = std::move(notes);
    KeepBackup(args, output);
    SaveShow(state, output);
}

void DiskNew(std::span<const std::string> rest)
{
    const TArgs args = ParseArgs(rest, {});
    ExpectFiles(args, 1, "disk new");
    const std::string& path = args.positional[0];
    const std::vector<std::uint8_t> blank(kDisketteBytes, 0);
    std::string why;
    if (!WriteFileAtomically(path, blank, &why))
        throw EFailure(path + ": cannot be written" + InParentheses(why));
}

void DiskWrite(TContext& ctx, std::span<const std::string> rest)
{
    static constexpr TOptionSpec kSpecs[] = {{"--sections", true}};
    const TArgs args = ParseArgs(rest, kSpecs);
    ExpectFiles(args, 2, "disk write");
    const TPresenceFlags sections = ParseSections(args.value("--sections"));
    const std::string& showPath = args.positional[0];
    const std::string& imagePath = args.positional[1];

    TEditorState state(ctx.ui);
    OpenShow(state, ctx.ui, showPath);
    CheckDiskImage(imagePath);
    state.globals.presence = sections;
    TDirDisk disk(MakePosixDiskBackend(imagePath));
    if (!WriteShowDisk(state, disk, state.globals.driveLetter))
        throw EFailure(imagePath + ": " + kMsgErrorWritingDisk +
                       InParentheses(ctx.ui.lastStatus().empty() ? "" : "stopped at: " + ctx.ui.lastStatus()));
}

// One line per section that is not on the diskette as the show would write it.
void DiskVerify(TContext& ctx, std::span<const std::string> rest)
{
    static constexpr TOptionSpec kSpecs[] = {{"--sections", true}};
    const TArgs args = ParseArgs(rest, kSpecs);
    ExpectFiles(args, 2, "disk verify");
    const TPresenceFlags sections = ParseSections(args.value("--sections"));
    const std::string& showPath = args.positional[0];
    const std::string& imagePath = args.positional[1];

    TEditorState state(ctx.ui);
    OpenShow(state, ctx.ui, showPath);
    CheckDiskImage(imagePath);
    state.globals.presence = sections;
    TDirDisk disk(MakePosixDiskBackend(imagePath));
    const auto check = VerifyShowDisk(state, disk, state.globals.driveLetter);
    if (!check)
        throw EFailure(imagePath + ": cannot be compared with " + showPath);
    static constexpr std::array<const char*, kSectionCount> kNames = {"patch",     "profile", "macro",  "effects",
                                                                      "submaster", "cue",     "quorvel"};
    std::string lines;
    int differing = 0;
    for (int i = 0; i < kSectionCount; ++i) {
        const char* how = nullptr;
        switch ((*check)[i]) {
        case TSectionCheck::NotChecked:
        case TSectionCheck::Same: break;
        case TSectionCheck::Differs: how = "differs"; break;
        case TSectionCheck::Absent: how = "not on the diskette"; break;
        case TSectionCheck::Unreadable: how = "cannot be read"; break;
        }
        if (how) {
            lines += std::string(kNames[i]) + ": " + how + '\n';
            ++differing;
        }
    }
    WriteOut(ctx.out, lines);
    if (differing > 0)
        throw EFailure(imagePath + ": " + std::to_string(differing) +
                       (differing == 1 ? " section differs" : " sections differ") + " from " + showPath);
}

void DiskRead(TContext& ctx, std::span<const std::string> rest)
{
    static constexpr TOptionSpec kSpecs[] = {
        {"-o", true}, {"--sections", true}, {"--strict", false}, {"--no-backup", false}};
    const TArgs args = ParseArgs(rest, kSpecs);
    ExpectFiles(args, 1, "disk read");
    const TPresenceFlags sections = ParseSections(args.value("--sections"));
    const std::string& imagePath = args.positional[0];
    const std::string output = RequiredOption(args, "-o", "disk read");
    ctx.ui.setStrict(args.has("--strict"));

    CheckDiskImage(imagePath);
    // A new show: the sections not read keep the new show's content.
    TEditorState state(ctx.ui);
    state.globals.presence = sections;
    TDirDisk disk(MakePosixDiskBackend(imagePath));
    if (!ReadShowDisk(state, disk, state.globals.driveLetter))
        throw EFailure(imagePath + ": " + kMsgErrorReadingDisk);
    state.globals.loadedFromDiskette = 1;
    KeepBackup(args, output);
    SaveShow(state, output);
}

void Disk(TContext& ctx, std::span<const std::string> rest)
{
    if (rest.empty())
        throw EUsageError("disk needs new, write, read or verify");
    const std::string& what = rest[0];
    if (what == "new")
        DiskNew(rest.subspan(1));
    else if (what == "write")
        DiskWrite(ctx, rest.subspan(1));
    else if (what == "read")
        DiskRead(ctx, rest.subspan(1));
    else if (what == "verify")
        DiskVerify(ctx, rest.subspan(1));
    else
        throw EUsageError("unknown disk command " + what);
}

void Report(TContext& ctx, std::span<const std::string> rest)
{
    if (rest.empty())
        throw EUsageError("report needs a report name");
    const TCliReport* report = FindCliReport(rest[0]);
    if (report == nullptr)
        throw EUsageError("unknown report " + rest[0]);

    std::vector<TOptionSpec> optionSpecs = report->options;
    optionSpecs.push_back({"--csv", true});
    optionSpecs.push_back({"--pdf", true});
    const TArgs args = ParseArgs(rest.subspan(1), optionSpecs);
    ExpectFiles(args, 1, "report");
    if (args.has("--csv") == args.has("--pdf"))
        throw EUsageError("report needs one of --csv FILE and --pdf FILE");
    const bool csv = args.has("--csv");
    const std::string output = RequiredOption(args, csv ? "--csv" : "--pdf", "report");
    TReportOptions options(args.options.begin(), args.options.end());
    options.erase("--csv");
    options.erase("--pdf");
    const TReportPrint print = report->choose(options);

    TEditorState state(ctx.ui);
    const std::string& show = args.positional[0];
    OpenShow(state, ctx.ui, show);
    try {
        WriteCliReport(*report, print, state, csv ? TReportOutput::Csv : TReportOutput::Pdf, output, show);
    } catch (const EReportFailed& e) {
        throw EFailure(e.what());
    }
}

// Findings one a line ("error: cue 12.5: ..."), or as JSON; 0 clean, 1 any error, 3 only warnings.
int Check(TContext& ctx, std::span<const std::string> rest)
{
    static constexpr TOptionSpec kSpecs[] = {{"--json", false}};
    const TArgs args = ParseArgs(rest, kSpecs);
    ExpectFiles(args, 1, "check");
    TEditorState state(ctx.ui);
    OpenShow(state, ctx.ui, args.positional[0]);
    const std::vector<TCheckFinding> findings = CheckShow(state.show());
    if (args.has("--json")) {
        WriteOut(ctx.out, FormatJson(FindingsToJson(findings)));
    } else {
        std::string text;
        for (const TCheckFinding& f : findings)
            text += FormatFinding(f) + '\n';
        WriteOut(ctx.out, text);
    }
    if (findings.empty())
        return kExitOk;
    return HasErrors(findings) ? kExitCheckErrors : kExitCheckWarnings;
}

TShowSource ReadSource(TTerminalUi& ui, const std::string& path, const TPresenceFlags& chosen)
{
    try {
        return ReadShowSource(ui, path, chosen);
    } catch (const ELumoraError& e) {
        throw EFailure(path + ": " + e.what() + InParentheses(e.detail()));
    }
}

// What differs, as text or JSON; 0 the same, 1 different.
int Diff(TContext& ctx, std::span<const std::string> rest)
{
    static constexpr TOptionSpec kSpecs[] = {{"--json", false}, {"--sections", true}};
    const TArgs args = ParseArgs(rest, kSpecs);
    ExpectFiles(args, 2, "diff");
    const TPresenceFlags chosen = ParseSections(args.value("--sections"));
    const TShowSource a = ReadSource(ctx.ui, args.positional[0], chosen);
    const TShowSource b = ReadSource(ctx.ui, args.positional[1], chosen);
    const TPresenceFlags compared = ComparedSections(a.side(), b.side(), chosen);
    const TShowDiff diff = DiffShows(a.side(), b.side(), chosen);
    if (args.has("--json")) {
        WriteOut(ctx.out, FormatJson(DiffToJson(diff, compared)));
    } else {
        std::string text;
        if (compared != chosen) {
            std::string names;
            for (const std::string& name : SectionNames(compared))
                names += (names.empty() ? "" : ", ") + name;
            text = "Sections compared: " + (names.empty() ? std::string("none") : names) + "\n\n";
        }
        WriteOut(ctx.out, text + FormatDiffText(diff));
    }
    return diff.same() ? kExitOk : kExitDiffers;
}

// "--type N", a QV type 1..8.
int QvTypeOption(const TArgs& args, const char* command)
{
    const auto value = args.value("--type");
    if (!value)
        throw EUsageError(std::string(command) + " needs --type N");
    if (value->size() != 1 || (*value)[0] < '1' || (*value)[0] > '8')
        throw EUsageError("--type must be a QV type 1..8, not \"" + *value + "\"");
    return (*value)[0] - '0';
}

// The QV type file: one type of a show out to a .qvt file, or a .qvt file into a type
// of a show, with the type editor's checks and messages; both written by the safe save.
void Qvt(TContext& ctx, std::span<const std::string> rest)
{
    if (rest.empty())
        throw EUsageError("qvt needs export or import");
    static constexpr TOptionSpec kSpecs[] = {{"-o", true}, {"--type", true}};
    const std::string& what = rest[0];
    const TArgs args = ParseArgs(rest.subspan(1), kSpecs);
    if (what == "export") {
        ExpectFiles(args, 1, "qvt export");
        const int type = QvTypeOption(args, "qvt export");
        const std::string output = RequiredOption(args, "-o", "qvt export");
        TEditorState state(ctx.ui);
        OpenShow(state, ctx.ui, args.positional[0]);
        std::string why;
        if (!WriteQvTypeFile(output, state.show().quorvel.type(type), &why))
            throw EFailure(output + ": " + kMsgErrorSavingQvt + InParentheses(why));
    } else if (what == "import") {
        ExpectFiles(args, 2, "qvt import");
        const int type = QvTypeOption(args, "qvt import");
        const std::string output = RequiredOption(args, "-o", "qvt import");
        const std::string& typeFile = args.positional[1];
        TEditorState state(ctx.ui);
        OpenShow(state, ctx.ui, args.positional[0]);
        std::string why;
        const auto record = ReadQvTypeFile(typeFile, &why);
        if (!record)
            throw EFailure(typeFile + ": " + kMsgErrorImportingQvt + InParentheses(why));
        state.show().quorvel.type(type) = *record;
        SaveShow(state, output);
    } else {
        throw EUsageError("unknown qvt command " + what);
    }
}

} // namespace

std::string UsageText()
{
    std::string text = "usage: lumora-cli info SHOW.lmr\n"
                       "       lumora-cli dump SHOW.lmr\n"
                       "       lumora-cli build SHOW.json -o SHOW.lmr [--base OLD.lmr] [--no-backup]\n"
                       "       lumora-cli disk new IMAGE.img\n"
                       "       lumora-cli disk write SHOW.lmr IMAGE.img [--sections LIST]\n"
                       "       lumora-cli disk read IMAGE.img -o SHOW.lmr [--sections LIST] [--strict] [--no-backup]\n"
                       "       lumora-cli disk verify SHOW.lmr IMAGE.img [--sections LIST]\n"
                       "       lumora-cli report NAME SHOW.lmr [OPTIONS] (--csv FILE | --pdf FILE)\n"
                       "       lumora-cli check SHOW.lmr [--json]\n"
                       "       lumora-cli diff A B [--json] [--sections LIST]   (A, B: show files or diskette images)\n"
                       "       lumora-cli qvt export SHOW.lmr --type N -o TYPE.qvt\n"
                       "       lumora-cli qvt import SHOW.lmr --type N TYPE.qvt -o OUT.lmr\n"
                       "       lumora-cli --version\n"
                       "LIST: comma-separated sections of patch, profile, macro, effects, submaster, cue, quorvel\n"
                       "      (all when not given)\n"
                       "build reads standard input for SHOW.json \"-\".\n"
                       "build and disk read keep a SHOW.lmr they replace in the editor's backups folder\n"
                       "(not with --no-backup).\n"
                       "reports (N: 1..512 or all):\n";
    for (const TCliReport& report : CliReports()) {
        text += "  " + std::string(report.name) + (report.usage.empty() ? "" : " ") + std::string(report.usage) + '\n';
        if (!report.defaults.empty())
            text += "      " + std::string(report.defaults) + '\n';
    }
    text += "A report writes its data file as the editor does (--csv) or its pages as a PDF (--pdf).\n";
    return text;
}

int RunCli(const std::vector<std::string>& args, std::istream& in, std::ostream& out, std::ostream& err)
{
    TTerminalUi ui(err);
    TContext ctx{in, out, ui};
    int status = kExitOk;
    // check and diff answer with 1 themselves: their failures need a status of their own.
    int failure = kExitFailure;
    try {
        if (args.empty())
            throw EUsageError("no command given");
        const std::string& command = args[0];
        const std::span<const std::string> rest(args.data() + 1, args.size() - 1);
        if (command == "-h" || command == "--help" || command == "help") {
            WriteOut(out, UsageText());
            return kExitOk;
        }
        if (command == "--version") {
            WriteOut(out, std::string(kProgramName) + ' ' + kProgramVersion + '\n');
            return kExitOk;
        }
        if (command == "info")
            Info(ctx, rest);
        else if (command == "dump")
            Dump(ctx, rest);
        else if (command == "build")
            Build(ctx, rest);
        else if (command == "disk")
            Disk(ctx, rest);
        else if (command == "report")
            Report(ctx, rest);
        else if (command == "check" || command == "diff") {
            failure = kExitTrouble;
            status = command == "check" ? Check(ctx, rest) : Diff(ctx, rest);
        } else if (command == "qvt")
            Qvt(ctx, rest);
        else
            throw EUsageError("unknown command " + command);
    } catch (const EUsageError& e) {
        err << kProgramName << ": " << e.what() << '\n' << UsageText();
        err.flush();
        return kExitUsage;
    } catch (const EFailure& e) {
        // Boxes the core showed on the way are the reason: they go on the same line.
        err << kProgramName << ": " << e.what() << InParentheses(Joined(ui.takeErrors())) << '\n';
        err.flush();
        return failure;
    } catch (const ELumoraError& e) {
        err << kProgramName << ": " << e.what() << InParentheses(Joined(ui.takeErrors())) << '\n';
        err.flush();
        return failure;
    } catch (const std::bad_alloc&) {
        err << kProgramName << ": out of memory\n";
        return failure;
    }
    // Anything the core showed on a path that still succeeded.
    for (const std::string& line : ui.takeErrors())
        err << kProgramName << ": " << line << '\n';
    err.flush();
    return status;
}

} // namespace lumora::cli
