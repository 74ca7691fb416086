#include "show/ShowDiff.h"

#include "macros/KeyNames.h"
#include "show/ShowCheck.h"
#include "show/ValueHelpers.h"

#include <algorithm>
#include <charconv>
#include <tuple>

namespace lumora {

namespace {

constexpr std::string_view kArrow = " \u2192 ";
constexpr std::string_view kDash = "\u2013";

// ---------------------------------------------------------------- texts

std::string Utf8(std::string_view bytes)
{
    return Latin1ToUtf8(bytes);
}

std::string Quoted(std::string_view bytes)
{
    return "\"" + Utf8(bytes) + "\"";
}

// Names as the screens show them: trailing blanks dropped, unless only they differ.
std::pair<std::string, std::string> QuotedPair(std::string_view a, std::string_view b)
{
    const auto trim = [](std::string_view s) {
        while (!s.empty() && s.back() == ' ')
            s.remove_suffix(1);
        return s;
    };
    if (trim(a) == trim(b))
        return {Quoted(a), Quoted(b)};
    return {Quoted(trim(a)), Quoted(trim(b))};
}

void AppendNumber(std::string& text, long value)
{
    char buffer[24];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    text.append(buffer, end);
}

std::string Number(long value)
{
    std::string text;
    AppendNumber(text, value);
    return text;
}

std::string Tenths(unsigned value)
{
    return FormatTenths(value / 10.0);
}

std::string Change(std::string_view what, const std::string& from, const std::string& to)
{
    std::string line;
    line.reserve(what.size() + from.size() + to.size() + 8);
    line.append(what).append(": ").append(from).append(kArrow).append(to);
    return line;
}

std::string Ranges(const std::vector<int>& values)
{
    std::string text;
    for (std::size_t i = 0; i < values.size();) {
        std::size_t j = i;
        while (j + 1 < values.size() && values[j + 1] == values[j] + 1)
            ++j;
        if (!text.empty())
            text += ", ";
        text += Number(values[i]);
        if (j > i)
            text.append(kDash).append(Number(values[j]));
        i = j + 1;
    }
    return text;
}

std::string CueTypeText(int code)
{
    return code <= kCueMultipart ? CueTypeName(code) : "type code " + Number(code);
}

std::string SubTypeText(int code)
{
    static constexpr const char* kNames[] = {"None", "Normal", "Inhibit", "Solo"};
    return code <= kSubSolo ? kNames[code] : "type code " + Number(code);
}

std::string EffectTypeText(int code)
{
    return code <= kEffectRandom ? EffectTypeName(static_cast<std::uint8_t>(code)) : "type code " + Number(code);
}

std::string NoneOr(unsigned value, std::string text)
{
    return value == 0 ? std::string("none") : text;
}

class TGroupBuilder {
public:
    explicit TGroupBuilder(TDiffKind kind) { m_group.kind = kind; }
    TDiffEntry& add(std::string object, TDiffChange change)
    {
        m_group.entries.push_back({std::move(object), change, {}});
        return m_group.entries.back();
    }
    void finish(TShowDiff& diff)
    {
        if (!m_group.entries.empty())
            diff.groups.push_back(std::move(m_group));
    }

private:
    TDiffGroup m_group;
};

TDiffChange ChangeOf(bool usedA, bool usedB)
{
    if (!usedA && usedB)
        return TDiffChange::Added;
    if (usedA && !usedB)
        return TDiffChange::Removed;
    return TDiffChange::Changed;
}

template <std::size_t N> int Nonzero(const std::array<std::uint8_t, N>& levels)
{
    return static_cast<int>(std::count_if(levels.begin(), levels.end(), [](std::uint8_t l) { return l != 0; }));
}

std::string Counted(long n, const char* what)
{
    return Number(n) + " " + what + (n == 1 ? "" : "s");
}

std::string ChannelsSet(int n)
{
    return n == 1 ? "1 channel above 0" : Number(n) + " channels above 0";
}

// "ch 12: 50 → 60" for each channel whose level differs; the levels as percent, with the
// raw levels where the percent is the same. hard(c) gives "tracked"/"hard" changes.
template <typename Hard>
void LevelLines(std::vector<std::string>& lines, const std::array<std::uint8_t, kChannels>& a,
                const std::array<std::uint8_t, kChannels>& b, Hard&& hard)
{
    for (int c = 1; c <= kChannels; ++c) {
        const std::uint8_t la = a[c - 1], lb = b[c - 1];
        const int hardChange = hard(c); // 0 none, 1 tracked -> hard, 2 hard -> tracked
        if (la == lb && hardChange == 0)
            continue;
        if (lines.capacity() == lines.size())
            lines.reserve(lines.size() + 64);
        if (la == lb && hardChange == 0)
            continue;
        std::string line;
        line.reserve(40);
        line += "ch ";
        AppendNumber(line, c);
        line += ": ";
        if (la != lb) {
            const int pa = LevelToPercent(la), pb = LevelToPercent(lb);
            AppendNumber(line, pa);
            line += kArrow;
            AppendNumber(line, pb);
            if (pa == pb) {
                line += " (level ";
                AppendNumber(line, la);
                line += kArrow;
                AppendNumber(line, lb);
                line += ")";
            }
            if (hardChange != 0)
                line += ", ";
        }
        if (hardChange == 1)
            line.append("tracked").append(kArrow).append("hard");
        else if (hardChange == 2)
            line.append("hard").append(kArrow).append("tracked");
        lines.push_back(std::move(line));
    }
}

// ---------------------------------------------------------------- cues

std::vector<std::string> CueSummary(const TCueRecord& cue)
{
    return {CueTypeText(cue.type) + " " + Quoted(cue.name.view()) + ", " + ChannelsSet(Nonzero(cue.levels))};
}

void DiffCue(std::vector<std::string>& lines, const TCueRecord& a, const TCueRecord& b)
{
    if (a.name != b.name) {
        const auto [x, y] = QuotedPair(a.name.view(), b.name.view());
        lines.push_back(Change("name", x, y));
    }
    if (a.type != b.type)
        lines.push_back(Change("type", CueTypeText(a.type), CueTypeText(b.type)));
    const std::tuple<const char*, std::uint16_t, std::uint16_t> times[] = {{"time up", a.timeUp, b.timeUp},
                                                                           {"time down", a.timeDown, b.timeDown},
                                                                           {"delay up", a.delayUp, b.delayUp},
                                                                           {"delay down", a.delayDown, b.delayDown}};
    for (const auto& [what, x, y] : times)
        if (x != y)
            lines.push_back(Change(what, Tenths(x), Tenths(y)));
    if (a.link != b.link)
        lines.push_back(Change("link", NoneOr(a.link, Tenths(a.link)), NoneOr(b.link, Tenths(b.link))));
    if (a.macro != b.macro)
        lines.push_back(Change("macro", NoneOr(a.macro, Number(a.macro)), NoneOr(b.macro, Number(b.macro))));
    // The mask bit of channel c: byte (c-1)/8, bit (c-1)%8.
    const auto hard = [](const TCueRecord& cue, int c) { return (cue.hardMask[(c - 1) >> 3] >> ((c - 1) & 7)) & 1; };
    LevelLines(lines, a.levels, b.levels, [&](int c) {
        const int ha = hard(a, c), hb = hard(b, c);
        return ha == hb ? 0 : (hb ? 1 : 2);
    });
}

void DiffCues(const TCueList& a, const TCueList& b, TShowDiff& diff)
{
    // Cues are matched by number (the n-th of a repeated number with the n-th).
    struct TKey {
        std::uint16_t number;
        int occurrence;
        int index;
        bool operator<(const TKey& o) const { return std::tie(number, occurrence) < std::tie(o.number, o.occurrence); }
    };
    const auto keys = [](const TCueList& list) {
        const int count = std::min<int>(list.count, kMaxCues);
        std::vector<TKey> k;
        k.reserve(count);
        for (int i = 1; i <= count; ++i)
            k.push_back({list.cue(i).number, 0, i});
        std::stable_sort(k.begin(), k.end(), [](const TKey& x, const TKey& y) { return x.number < y.number; });
        for (std::size_t i = 1; i < k.size(); ++i)
            if (k[i].number == k[i - 1].number)
                k[i].occurrence = k[i - 1].occurrence + 1;
        return k;
    };
    const std::vector<TKey> ka = keys(a), kb = keys(b);
    TGroupBuilder group(TDiffKind::Cues);
    std::size_t i = 0, j = 0;
    while (i < ka.size() || j < kb.size()) {
        if (j >= kb.size() || (i < ka.size() && ka[i] < kb[j])) {
            const TCueRecord& cue = a.cue(ka[i++].index);
            group.add(CueObjectName(cue.number), TDiffChange::Removed).lines = CueSummary(cue);
        } else if (i >= ka.size() || kb[j] < ka[i]) {
            const TCueRecord& cue = b.cue(kb[j++].index);
            group.add(CueObjectName(cue.number), TDiffChange::Added).lines = CueSummary(cue);
        } else {
            const TCueRecord& x = a.cue(ka[i++].index);
            const TCueRecord& y = b.cue(kb[j++].index);
            if (x == y)
                continue;
            DiffCue(group.add(CueObjectName(x.number), TDiffChange::Changed).lines, x, y);
        }
    }
    group.finish(diff);
}

// ---------------------------------------------------------------- subs

std::vector<std::string> SubSummary(const TSub& sub)
{
    return {SubTypeText(sub.SubType) + " " + Quoted(sub.Name.view()) + ", " + ChannelsSet(Nonzero(sub.Levels))};
}

void DiffSubs(const TSubPages& a, const TSubPages& b, TShowDiff& diff)
{
    TGroupBuilder group(TDiffKind::Subs);
    for (int page = 1; page <= kSubPages; ++page)
        for (int number = 1; number <= kSubsPerPage; ++number) {
            const TSub& x = a[page - 1][number - 1];
            const TSub& y = b[page - 1][number - 1];
            if (x == y)
                continue;
            const TDiffChange change = ChangeOf(x.SubType != kSubNone, y.SubType != kSubNone);
            TDiffEntry& entry = group.add(SubObjectName(page, number), change);
            if (change != TDiffChange::Changed) {
                entry.lines = SubSummary(change == TDiffChange::Added ? y : x);
                continue;
            }
            auto& lines = entry.lines;
            if (x.SubType != y.SubType)
                lines.push_back(Change("type", SubTypeText(x.SubType), SubTypeText(y.SubType)));
            if (x.Name != y.Name) {
                const auto [p, q] = QuotedPair(x.Name.view(), y.Name.view());
                lines.push_back(Change("name", p, q));
            }
            const std::tuple<const char*, std::uint16_t, std::uint16_t> times[] = {
                {"time up", x.TimeUp, y.TimeUp},
                {"time hold", x.TimeHold, y.TimeHold},
                {"time down", x.TimeDown, y.TimeDown}};
            for (const auto& [what, p, q] : times)
                if (p != q)
                    lines.push_back(Change(what, Tenths(p), Tenths(q)));
            LevelLines(lines, x.Levels, y.Levels, [](int) { return 0; });
        }
    group.finish(diff);
}

// ---------------------------------------------------------------- effects

bool EffectUsed(const TEffect& e)
{
    return IsDefinedEffect(e) ||
           std::any_of(e.Entries.begin(), e.Entries.end(), [](const TEffectEntry& x) { return x.EntryChannel != 0; });
}

std::vector<TEffectEntry> UsedEntries(const TEffect& e)
{
    std::vector<TEffectEntry> used;
    for (const TEffectEntry& x : e.Entries)
        if (x.EntryChannel != 0)
            used.push_back(x);
    std::stable_sort(used.begin(), used.end(), [](const TEffectEntry& p, const TEffectEntry& q) {
        return std::tie(p.EntryStep, p.EntryChannel) < std::tie(q.EntryStep, q.EntryChannel);
    });
    return used;
}

std::string StepChannel(const TEffectEntry& e)
{
    return "step " + Number(e.EntryStep) + ", ch " + Number(e.EntryChannel);
}

void DiffEffects(const TEffects& a, const TEffects& b, TShowDiff& diff)
{
    TGroupBuilder group(TDiffKind::Effects);
    for (int n = 1; n <= kEffects; ++n) {
        const TEffect& x = a[n - 1];
        const TEffect& y = b[n - 1];
        if (x == y)
            continue;
        const TDiffChange change = ChangeOf(EffectUsed(x), EffectUsed(y));
        TDiffEntry& entry = group.add("effect " + Number(n), change);
        if (change != TDiffChange::Changed) {
            const TEffect& e = change == TDiffChange::Added ? y : x;
            const long levels = static_cast<long>(UsedEntries(e).size());
            entry.lines.push_back(EffectTypeText(e.EffectType) + " " + Quoted(e.Name.view()) + ", " +
                                  Counted(e.StepCount, "step") + ", " + Counted(levels, "level"));
            continue;
        }
        auto& lines = entry.lines;
        if (x.Name != y.Name) {
            const auto [p, q] = QuotedPair(x.Name.view(), y.Name.view());
            lines.push_back(Change("name", p, q));
        }
        if (x.EffectType != y.EffectType)
            lines.push_back(Change("type", EffectTypeText(x.EffectType), EffectTypeText(y.EffectType)));
        if (x.EffectTime != y.EffectTime)
            lines.push_back(Change("time", Tenths(x.EffectTime), Tenths(y.EffectTime)));
        if (x.StepCount != y.StepCount)
            lines.push_back(Change("steps", Number(x.StepCount), Number(y.StepCount)));
        const auto ex = UsedEntries(x), ey = UsedEntries(y);
        const auto key = [](const TEffectEntry& e) { return std::make_pair(e.EntryStep, e.EntryChannel); };
        std::size_t i = 0, j = 0;
        const std::size_t before = lines.size();
        while (i < ex.size() || j < ey.size()) {
            if (j >= ey.size() || (i < ex.size() && key(ex[i]) < key(ey[j]))) {
                lines.push_back(StepChannel(ex[i]) + ": removed (was " + Number(LevelToPercent(ex[i].EntryLevel)) +
                                ")");
                ++i;
            } else if (i >= ex.size() || key(ey[j]) < key(ex[i])) {
                lines.push_back(StepChannel(ey[j]) + ": added at " + Number(LevelToPercent(ey[j].EntryLevel)));
                ++j;
            } else {
                if (ex[i].EntryLevel != ey[j].EntryLevel) {
                    const int p = LevelToPercent(ex[i].EntryLevel), q = LevelToPercent(ey[j].EntryLevel);
                    std::string to = Number(q);
                    if (p == q)
                        to += " (level " + Number(ex[i].EntryLevel) + std::string(kArrow) + Number(ey[j].EntryLevel) +
                              ")";
                    lines.push_back(Change(StepChannel(ex[i]), Number(p), to));
                }
                ++i, ++j;
            }
        }
        if (lines.size() == before && x.Entries != y.Entries)
            lines.push_back("the same levels, stored in another order");
    }
    group.finish(diff);
}

// ---------------------------------------------------------------- macros

std::string KeysText(const TMacro& macro)
{
    std::string text;
    for (const TKeystroke& k : ReadKeystrokes(macro, TKeyNameVariant::Editor))
        text += (text.empty() ? "" : ", ") + k.text;
    return text.empty() ? std::string("(no keys)") : text;
}

std::string BytesText(const TMacro& macro)
{
    std::string text;
    for (const std::uint8_t b : macro.Keys)
        text += (text.empty() ? "" : " ") + Number(b);
    return text;
}

void DiffMacros(const TMacros& a, const TMacros& b, TShowDiff& diff)
{
    TGroupBuilder group(TDiffKind::Macros);
    const auto used = [](const TMacro& m) {
        return std::any_of(m.Keys.begin(), m.Keys.end(), [](std::uint8_t k) { return k != 0; });
    };
    for (int n = 1; n <= kMacros; ++n) {
        const TMacro& x = a[n - 1];
        const TMacro& y = b[n - 1];
        if (x.Keys == y.Keys)
            continue; // the key count only tells empty from not empty: the bytes say that
        const TDiffChange change = ChangeOf(used(x), used(y));
        TDiffEntry& entry = group.add("macro " + Number(n), change);
        if (change == TDiffChange::Added) {
            entry.lines.push_back("keys: " + KeysText(y));
        } else if (change == TDiffChange::Removed) {
            entry.lines.push_back("keys: " + KeysText(x));
        } else {
            const std::string p = KeysText(x), q = KeysText(y);
            entry.lines.push_back(p != q ? Change("keys", p, q) : Change("bytes", BytesText(x), BytesText(y)));
        }
    }
    group.finish(diff);
}

// ---------------------------------------------------------------- patch and profiles

std::string ChannelText(const TPatchEntry& e)
{
    return e.Park ? std::string("parked") : NoneOr(e.Channel, Number(e.Channel));
}

void DiffPatch(const TPatches& a, const TPatches& b, TShowDiff& diff)
{
    TGroupBuilder group(TDiffKind::Patch);
    for (int page = 1; page <= kPatchPages; ++page)
        for (int d = 1; d <= kDimmers; ++d) {
            const TPatchEntry& x = a[page - 1].dimmer(d);
            const TPatchEntry& y = b[page - 1].dimmer(d);
            if (x == y)
                continue;
            std::vector<std::string> lines;
            if (x.Park != y.Park || x.Channel != y.Channel)
                lines.push_back(Change("channel", ChannelText(x), ChannelText(y)));
            if (x.Level != y.Level)
                lines.push_back(Change("level", Number(x.Level), Number(y.Level)));
            if (x.Profile != y.Profile)
                lines.push_back(Change("profile", Number(x.Profile + 1), Number(y.Profile + 1)));
            // A parked dimmer holds no non-dim switch of its own.
            if (x.Nondim != y.Nondim && !x.Park && !y.Park)
                lines.push_back(Change("non-dim", x.Nondim ? "yes" : "no", y.Nondim ? "yes" : "no"));
            if (lines.empty())
                continue;
            group.add(DimmerObjectName(page, d), TDiffChange::Changed).lines = std::move(lines);
        }
    group.finish(diff);
}

void DiffProfiles(const TProfiles& a, const TProfiles& b, bool names, TShowDiff& diff)
{
    TGroupBuilder group(TDiffKind::Profiles);
    for (int n = 1; n <= kProfiles; ++n) {
        const TProfile& x = a[n - 1];
        const TProfile& y = b[n - 1];
        std::vector<std::string> lines;
        if (names && x.name != y.name) {
            const auto [p, q] = QuotedPair(x.name.view(), y.name.view());
            lines.push_back(Change("name", p, q));
        }
        std::vector<int> inputs;
        for (int i = 0; i < 256; ++i)
            if (x.curve[i] != y.curve[i])
                inputs.push_back(i);
        if (!inputs.empty())
            lines.push_back((inputs.size() == 1 ? "curve: input " : "curve: inputs ") + Ranges(inputs) + " changed");
        if (!lines.empty())
            group.add("profile " + Number(n), TDiffChange::Changed).lines = std::move(lines);
    }
    group.finish(diff);
}

// ---------------------------------------------------------------- Quorvel

std::string SourceText(int index)
{
    if (index == 0)
        return "none";
    const std::string_view shown = QvSourceShownText(index);
    return shown.empty() ? "source " + Number(index) : std::string(shown);
}

std::string WidthText(int w)
{
    return w == 0 ? "8 Bit" : w == 1 ? "16 Bit" : "width " + Number(w);
}

std::string MasteringText(int m)
{
    return m == 0 ? "none" : m == 1 ? "Straight" : m == 2 ? "Inverted" : "mastering " + Number(m);
}

std::string TimeText(std::uint16_t t)
{
    return t == kQvNoTime ? std::string("none") : Tenths(t);
}

template <typename T> bool IsEmpty(const T& value)
{
    return value == T{};
}

void DiffQvTypes(const TQuorvel& a, const TQuorvel& b, TShowDiff& diff)
{
    TGroupBuilder group(TDiffKind::QvTypes);
    for (int t = 1; t <= kQvTypes; ++t) {
        const TQVType& x = a.types[t - 1];
        const TQVType& y = b.types[t - 1];
        if (x == y)
            continue;
        TDiffEntry& entry = group.add("QV type " + Number(t), ChangeOf(!IsEmpty(x), !IsEmpty(y)));
        auto& lines = entry.lines;
        if (x.name != y.name) {
            const auto [p, q] = QuotedPair(x.name.view(), y.name.view());
            lines.push_back(Change("name", p, q));
        }
        for (int k = 1; k <= kQvAttributes; ++k) {
            const std::string what = "attribute " + Number(k);
            if (x.attrNames[k - 1] != y.attrNames[k - 1]) {
                const auto [p, q] = QuotedPair(x.attrNames[k - 1].view(), y.attrNames[k - 1].view());
                lines.push_back(Change(what + " name", p, q));
            }
            if (x.source[k - 1] != y.source[k - 1])
                lines.push_back(Change(what + " source", SourceText(x.source[k - 1]), SourceText(y.source[k - 1])));
            if (x.width[k - 1] != y.width[k - 1])
                lines.push_back(Change(what + " width", WidthText(x.width[k - 1]), WidthText(y.width[k - 1])));
            if (x.mastering[k - 1] != y.mastering[k - 1])
                lines.push_back(
                    Change(what + " mastering", MasteringText(x.mastering[k - 1]), MasteringText(y.mastering[k - 1])));
        }
    }
    group.finish(diff);
}

void DiffQvDevices(const TQuorvel& a, const TQuorvel& b, TShowDiff& diff)
{
    TGroupBuilder group(TDiffKind::QvDevices);
    for (int d = 1; d <= kQvDevices; ++d) {
        const TQVDevice& x = a.devices[d - 1];
        const TQVDevice& y = b.devices[d - 1];
        if (x == y)
            continue;
        auto& lines = group.add("QV device " + Number(d), ChangeOf(!IsEmpty(x), !IsEmpty(y))).lines;
        if (x.name != y.name) {
            const auto [p, q] = QuotedPair(x.name.view(), y.name.view());
            lines.push_back(Change("name", p, q));
        }
        if (x.type != y.type)
            lines.push_back(Change("type", NoneOr(x.type, Number(x.type)), NoneOr(y.type, Number(y.type))));
        if (x.address != y.address)
            lines.push_back(
                Change("address", NoneOr(x.address, Number(x.address)), NoneOr(y.address, Number(y.address))));
        if (x.spare != y.spare)
            lines.push_back("spare values changed");
    }
    group.finish(diff);
}

void DiffQvActions(const TQuorvel& a, const TQuorvel& b, TShowDiff& diff)
{
    TGroupBuilder group(TDiffKind::QvActions);
    const auto loops = [](std::uint16_t l) { return l == kQvLoopsContinuous ? std::string("Continuous") : Number(l); };
    for (int n = 1; n <= kQvActions; ++n) {
        const TQVAction& x = a.actions[n - 1];
        const TQVAction& y = b.actions[n - 1];
        if (x == y)
            continue;
        auto& lines = group.add("QV action " + Number(n), ChangeOf(!IsEmpty(x), !IsEmpty(y))).lines;
        for (int s = 1; s <= kQvSteps; ++s) {
            const std::string step = "step " + Number(s);
            if (x.positions[s - 1] != y.positions[s - 1])
                lines.push_back(Change(step + " position", NoneOr(x.positions[s - 1], Number(x.positions[s - 1])),
                                       NoneOr(y.positions[s - 1], Number(y.positions[s - 1]))));
            if (x.times[s - 1] != y.times[s - 1])
                lines.push_back(Change(step + " time", Tenths(x.times[s - 1]), Tenths(y.times[s - 1])));
            if (x.delays[s - 1] != y.delays[s - 1])
                lines.push_back(Change(step + " delay", Tenths(x.delays[s - 1]), Tenths(y.delays[s - 1])));
        }
        if (x.singleStep != y.singleStep)
            lines.push_back(Change("single step", x.singleStep ? "Yes" : "No", y.singleStep ? "Yes" : "No"));
        if (x.loops != y.loops)
            lines.push_back(Change("loops", loops(x.loops), loops(y.loops)));
    }
    group.finish(diff);
}

void DiffQvPositions(const TQuorvel& a, const TQuorvel& b, TShowDiff& diff)
{
    TGroupBuilder group(TDiffKind::QvPositions);
    for (int n = 1; n <= kQvPositions; ++n) {
        const TQVPosition& x = a.positions[n - 1];
        const TQVPosition& y = b.positions[n - 1];
        if (x == y)
            continue;
        auto& lines = group.add("QV position " + Number(n), ChangeOf(!IsEmpty(x), !IsEmpty(y))).lines;
        for (int s = 1; s <= kQvSlots; ++s) {
            const std::string slot = "slot " + Number(s);
            if (x.slotDevices[s - 1] != y.slotDevices[s - 1])
                lines.push_back(Change(slot + " device", NoneOr(x.slotDevices[s - 1], Number(x.slotDevices[s - 1])),
                                       NoneOr(y.slotDevices[s - 1], Number(y.slotDevices[s - 1]))));
            if (x.slotMasters[s - 1] != y.slotMasters[s - 1])
                lines.push_back(Change(slot + " master", Number(x.slotMasters[s - 1]), Number(y.slotMasters[s - 1])));
        }
        for (int i = 0; i < kQvMapSize; ++i) {
            if (x.valueMap[i] != y.valueMap[i])
                lines.push_back(
                    Change("DMX " + Number(i + 1) + " value", Number(x.valueMap[i]), Number(y.valueMap[i])));
            if (x.widthMap[i] != y.widthMap[i])
                lines.push_back(
                    Change("width at " + Number(i + 1), WidthText(x.widthMap[i]), WidthText(y.widthMap[i])));
            if (x.timeMap[i] != y.timeMap[i])
                lines.push_back(Change("time at " + Number(i + 1), TimeText(x.timeMap[i]), TimeText(y.timeMap[i])));
        }
    }
    group.finish(diff);
}

// ---------------------------------------------------------------- notes

std::vector<std::string> SplitLines(std::string_view text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        start = end + 1;
    }
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

// The lines taken out ("- ") and put in ("+ "), by the longest common run of lines.
void DiffNotes(const std::string& a, const std::string& b, TShowDiff& diff)
{
    if (a == b)
        return;
    const auto la = SplitLines(a), lb = SplitLines(b);
    const std::size_t n = la.size(), m = lb.size();
    std::vector<std::vector<int>> common(n + 1, std::vector<int>(m + 1, 0));
    for (std::size_t i = n; i-- > 0;)
        for (std::size_t j = m; j-- > 0;)
            common[i][j] = la[i] == lb[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
    TGroupBuilder group(TDiffKind::Notes);
    auto& lines = group.add("notes", ChangeOf(!a.empty(), !b.empty())).lines;
    std::size_t i = 0, j = 0;
    while (i < n || j < m) {
        if (i < n && j < m && la[i] == lb[j]) {
            ++i, ++j;
        } else if (j >= m || (i < n && common[i + 1][j] >= common[i][j + 1])) {
            lines.push_back("- " + Utf8(la[i++]));
        } else {
            lines.push_back("+ " + Utf8(lb[j++]));
        }
    }
    if (lines.empty())
        lines.push_back("line ends changed");
    group.finish(diff);
}

} // namespace

TPresenceFlags ComparedSections(const TDiffSide& a, const TDiffSide& b, const TPresenceFlags& chosen)
{
    TPresenceFlags compared{};
    for (int i = 0; i < kSectionCount; ++i)
        compared[i] = a.sections[i] != 0 && b.sections[i] != 0 && chosen[i] != 0 ? 1 : 0;
    return compared;
}

std::size_t TShowDiff::entryCount() const
{
    std::size_t n = 0;
    for (const TDiffGroup& g : groups)
        n += g.entries.size();
    return n;
}

TShowDiff DiffShows(const TDiffSide& a, const TDiffSide& b, const TPresenceFlags& chosen)
{
    TShowDiff diff;
    const TPresenceFlags compared = ComparedSections(a, b, chosen);
    const auto on = [&](TSection s) { return compared[static_cast<std::size_t>(s)] != 0; };
    const TShow& x = *a.show;
    const TShow& y = *b.show;
    if (on(TSection::Cue))
        DiffCues(x.cueList, y.cueList, diff);
    if (on(TSection::Submaster))
        DiffSubs(x.subs, y.subs, diff);
    if (on(TSection::Effects))
        DiffEffects(x.effects, y.effects, diff);
    if (on(TSection::Macro))
        DiffMacros(x.macros, y.macros, diff);
    if (on(TSection::Patch))
        DiffPatch(x.patches, y.patches, diff);
    if (on(TSection::Profile))
        DiffProfiles(x.profiles, y.profiles, a.profileNames && b.profileNames, diff);
    if (on(TSection::Quorvel)) {
        DiffQvTypes(x.quorvel, y.quorvel, diff);
        DiffQvDevices(x.quorvel, y.quorvel, diff);
        DiffQvActions(x.quorvel, y.quorvel, diff);
        DiffQvPositions(x.quorvel, y.quorvel, diff);
    }
    const bool allChosen = std::all_of(chosen.begin(), chosen.end(), [](std::uint8_t f) { return f != 0; });
    if (allChosen && a.notesPresent && b.notesPresent && a.notes && b.notes)
        DiffNotes(*a.notes, *b.notes, diff);
    return diff;
}

std::string_view DiffKindTitle(TDiffKind kind)
{
    static constexpr std::string_view kTitles[kDiffKindCount] = {"Cues",       "Subs",         "Effects",  "Macros",
                                                                 "Patch",      "Profiles",     "QV Types", "QV Devices",
                                                                 "QV Actions", "QV Positions", "Notes"};
    return kTitles[static_cast<int>(kind)];
}

std::string_view DiffKindKey(TDiffKind kind)
{
    static constexpr std::string_view kKeys[kDiffKindCount] = {"cues",      "subs",        "effects", "macros",
                                                               "patch",     "profiles",    "qvTypes", "qvDevices",
                                                               "qvActions", "qvPositions", "notes"};
    return kKeys[static_cast<int>(kind)];
}

std::string_view DiffChangeName(TDiffChange c)
{
    switch (c) {
    case TDiffChange::Added: return "added";
    case TDiffChange::Removed: return "removed";
    case TDiffChange::Changed: break;
    }
    return "changed";
}

std::string FormatDiffText(const TShowDiff& diff)
{
    if (diff.same())
        return std::string(kDiffSame) + "\n";
    std::size_t size = 0;
    for (const TDiffGroup& g : diff.groups)
        for (const TDiffEntry& e : g.entries) {
            size += e.object.size() + 16;
            for (const std::string& line : e.lines)
                size += line.size() + 5;
        }
    std::string text;
    text.reserve(size + 64 * diff.groups.size());
    for (const TDiffGroup& g : diff.groups) {
        if (!text.empty())
            text += '\n';
        text.append(DiffKindTitle(g.kind))
            .append(" (")
            .append(Number(static_cast<long>(g.entries.size())))
            .append(")\n");
        for (const TDiffEntry& e : g.entries) {
            text += e.change == TDiffChange::Added ? "+ " : e.change == TDiffChange::Removed ? "- " : "~ ";
            text.append(e.object);
            if (e.change != TDiffChange::Changed)
                text.append(" (").append(DiffChangeName(e.change)).append(")");
            text += '\n';
            for (const std::string& line : e.lines)
                text.append("    ").append(line).append("\n");
        }
    }
    return text;
}

} // namespace lumora
