#include "show/ShowCheck.h"

#include "macros/KeyNames.h"
#include "show/ValueHelpers.h"

#include <algorithm>
#include <array>
#include <bitset>

namespace lumora {

namespace {

using Severity = TCheckSeverity;
using Object = TCheckObject;

std::string Quoted(std::string_view text)
{
    return "\"" + Latin1ToUtf8(text) + "\"";
}

std::string Tenths(unsigned value)
{
    return FormatTenths(value / 10.0);
}

class TFindings {
public:
    void add(const char* kind, Severity severity, Object objectKind, std::string object, std::string text)
    {
        m_list.push_back({kind, severity, objectKind, std::move(object), std::move(text)});
    }
    std::vector<TCheckFinding> take() { return std::move(m_list); }

private:
    std::vector<TCheckFinding> m_list;
};

// ---------------------------------------------------------------- macros, as the console reads them

// Walks a macro's keystrokes as the macro editor reads them; specials too near the end
// are reported through `cut` and skipped byte by byte.
template <typename Stroke, typename Cut> void WalkMacro(const TMacro& macro, Stroke&& stroke, Cut&& cut)
{
    int i = 0;
    while (i < kMacroKeys) {
        const std::uint8_t code = macro.Keys[i];
        const int length = KeystrokeLength(code);
        if (code == 0 || code == kKeyEmptyEnd) {
            ++i;
            continue;
        }
        if (i + length > kMacroKeys) {
            cut(i + 1, code);
            ++i;
            continue;
        }
        stroke(i + 1, code, length > 1 ? macro.Keys[i + 1] : 0, length > 2 ? macro.Keys[i + 2] : 0);
        i += length;
    }
}

// Codes of the console's keys (the specials are read apart).
constexpr std::array<bool, 256> MakeKeyTable()
{
    std::array<bool, 256> keys{};
    for (const TConsoleKey& key : kConsoleKeys)
        keys[key.code] = true;
    return keys;
}
constexpr std::array<bool, 256> kIsKey = MakeKeyTable();

bool MacroRunsNothing(const TMacro& macro)
{
    bool any = false;
    WalkMacro(
        macro, [&](int, std::uint8_t, std::uint8_t, std::uint8_t) { any = true; }, [](int, std::uint8_t) {});
    return !any;
}

bool PositionHoldsNothing(const TQVPosition& position)
{
    return std::all_of(position.slotDevices.begin(), position.slotDevices.end(), [](std::uint8_t d) { return d == 0; });
}

bool ActionHoldsNothing(const TQVAction& action)
{
    return std::all_of(action.positions.begin(), action.positions.end(), [](std::uint16_t p) { return p == 0; });
}

std::string SpecialName(std::uint8_t code)
{
    switch (code) {
    case kKeyRunPosition: return "Run Position";
    case kKeyRunAction: return "Run Action";
    default: return "Load Sub Handle";
    }
}

// ---------------------------------------------------------------- cues

void CheckCues(const TShow& show, TFindings& out)
{
    const TCueList& list = show.cueList;
    const int count = std::min<int>(list.count, kMaxCues);
    std::bitset<65536> numbers; // every 16-bit number a loaded cue may hold
    for (int k = 1; k <= count; ++k)
        numbers.set(list.cue(k).number);

    std::bitset<65536> seen;
    for (int k = 1; k <= count; ++k) {
        const TCueRecord& cue = list.cue(k);
        const auto object = [&] { return CueObjectName(cue.number); };
        if (cue.type > kCueMultipart)
            out.add("cue-type-invalid", Severity::Error, Object::Cue, object(),
                    "Its type code " + std::to_string(cue.type) + " is no cue type, so the show cannot be saved.");
        if (cue.number == 0)
            out.add("cue-number-zero", Severity::Error, Object::Cue, object(),
                    "Its number is 0, which marks an unused record: saving the show drops it.");
        else if (seen.test(cue.number))
            out.add("cue-number-duplicate", Severity::Error, Object::Cue, object(),
                    "Another cue before it in the list has the same number.");
        else if (k > 1 && cue.number < list.cue(k - 1).number)
            out.add("cue-order", Severity::Error, Object::Cue, object(),
                    "It comes after " + CueObjectName(list.cue(k - 1).number) +
                        " in the list although its number is lower.");
        seen.set(cue.number);
        if (cue.link != 0 && !numbers.test(cue.link))
            out.add("cue-link-missing", Severity::Error, Object::Cue, object(),
                    "It links to cue " + Tenths(cue.link) + ", which does not exist.");
        if (cue.macro > kMacros)
            out.add("cue-macro-missing", Severity::Error, Object::Cue, object(),
                    "It runs macro " + std::to_string(cue.macro) + ", but macros go up to " + std::to_string(kMacros) +
                        ".");
        else if (cue.macro != 0 && MacroRunsNothing(show.macros[cue.macro - 1]))
            out.add("cue-macro-empty", Severity::Warning, Object::Cue, object(),
                    "It runs macro " + std::to_string(cue.macro) + ", which is empty.");
        const std::array<std::pair<const char*, std::uint16_t>, 4> times = {{{"fade up time", cue.timeUp},
                                                                             {"fade down time", cue.timeDown},
                                                                             {"up delay", cue.delayUp},
                                                                             {"down delay", cue.delayDown}}};
        for (const auto& [what, value] : times)
            if (value > 9999)
                out.add("cue-time-range", Severity::Warning, Object::Cue, object(),
                        std::string("Its ") + what + " of " + Tenths(value) + " s is beyond 999.9 s.");
    }
}

// ---------------------------------------------------------------- subs

void CheckSubs(const TShow& show, TFindings& out)
{
    for (int page = 1; page <= kSubPages; ++page)
        for (int number = 1; number <= kSubsPerPage; ++number) {
            const TSub& sub = show.subs[page - 1][number - 1];
            const auto object = [&] { return SubObjectName(page, number); };
            if (sub.SubType > kSubSolo)
                out.add("sub-type-invalid", Severity::Error, Object::Sub, object(),
                        "Its type code " + std::to_string(sub.SubType) +
                            " is no sub type, so the show cannot be saved.");
            else if (sub.SubType == kSubNone &&
                     std::any_of(sub.Levels.begin(), sub.Levels.end(), [](std::uint8_t l) { return l != 0; }))
                out.add("sub-levels-without-type", Severity::Warning, Object::Sub, object(),
                        "It holds levels but its type is None, so the console ignores it and the levels are lost "
                        "when the show is loaded again.");
        }
}

// ---------------------------------------------------------------- effects

void CheckEffects(const TShow& show, TFindings& out)
{
    for (int n = 1; n <= kEffects; ++n) {
        const TEffect& effect = show.effects[n - 1];
        const auto object = [&] { return "effect " + std::to_string(n); };
        if (effect.EffectType > kEffectRandom)
            out.add("effect-type-invalid", Severity::Error, Object::Effect, object(),
                    "Its type code " + std::to_string(effect.EffectType) +
                        " is no effect type, so the show cannot be saved.");
        if (effect.StepCount > kEffectSteps)
            out.add("effect-step-count-range", Severity::Error, Object::Effect, object(),
                    "It claims " + std::to_string(effect.StepCount) + " steps; an effect has at most 100.");

        // One finding per fault, naming its first entry and how many share it.
        struct TFault {
            int first = 0;
            int value = 0;
            int count = 0;
            void note(int entry, int v)
            {
                if (count++ == 0) {
                    first = entry;
                    value = v;
                }
            }
        } channelRange, stepRange, aboveCount;
        for (int k = 1; k <= kEffectEntries; ++k) {
            const TEffectEntry& entry = effect.Entries[k - 1];
            if (entry.EntryChannel == 0)
                continue; // a free entry
            if (entry.EntryChannel > kChannels)
                channelRange.note(k, entry.EntryChannel);
            if (entry.EntryStep < 1 || entry.EntryStep > kEffectSteps)
                stepRange.note(k, entry.EntryStep);
            else if (entry.EntryStep > effect.StepCount)
                aboveCount.note(k, entry.EntryStep);
        }
        const auto more = [](const TFault& f) {
            return f.count > 1 ? " (" + std::to_string(f.count) + " entries in all)" : std::string();
        };
        if (channelRange.count > 0)
            out.add("effect-channel-range", Severity::Error, Object::Effect, object(),
                    "Entry " + std::to_string(channelRange.first) + " sets channel " +
                        std::to_string(channelRange.value) + ", beyond the console's 512 channels" +
                        more(channelRange) + ".");
        if (stepRange.count > 0)
            out.add("effect-step-range", Severity::Error, Object::Effect, object(),
                    "Entry " + std::to_string(stepRange.first) + " is on step " + std::to_string(stepRange.value) +
                        "; steps go from 1 to 100" + more(stepRange) + ".");
        if (aboveCount.count > 0)
            out.add("effect-step-above-count", Severity::Error, Object::Effect, object(),
                    "Entry " + std::to_string(aboveCount.first) + " is on step " + std::to_string(aboveCount.value) +
                        ", but the effect has only " + std::to_string(effect.StepCount) +
                        (effect.StepCount == 1 ? " step" : " steps") + more(aboveCount) + ".");
    }
}

// ---------------------------------------------------------------- macros

void CheckMacros(const TShow& show, TFindings& out)
{
    const TQuorvel& qv = show.quorvel;
    for (int n = 1; n <= kMacros; ++n) {
        const TMacro& macro = show.macros[n - 1];
        const auto object = [&] { return "macro " + std::to_string(n); };
        const auto stroke = [&](int at, std::uint8_t code, std::uint8_t first, std::uint8_t second) {
            const auto where = [at] { return " at key " + std::to_string(at); };
            if (code == kKeyRunPosition) {
                if (first < 1 || first > kQvPositions)
                    out.add("macro-position-missing", Severity::Error, Object::Macro, object(),
                            "Run Position " + std::to_string(first) + where() + " names no QV position (1 to 100).");
                else if (PositionHoldsNothing(qv.positions[first - 1]))
                    out.add("macro-position-empty", Severity::Warning, Object::Macro, object(),
                            "Run Position " + std::to_string(first) + where() +
                                " runs a QV position that holds nothing.");
            } else if (code == kKeyRunAction) {
                if (first < 1 || first > kQvActions)
                    out.add("macro-action-missing", Severity::Error, Object::Macro, object(),
                            "Run Action " + std::to_string(first) + where() + " names no QV action (1 to 100).");
                else if (ActionHoldsNothing(qv.actions[first - 1]))
                    out.add("macro-action-empty", Severity::Warning, Object::Macro, object(),
                            "Run Action " + std::to_string(first) + where() + " runs a QV action that holds nothing.");
            } else if (code == kKeyLoadSubHandle) {
                const auto entry = [&] {
                    return "Load Sub Handle " + std::to_string(first) + " With " + std::to_string(second) + where();
                };
                if (second < 1 || second > kEffects)
                    out.add("macro-effect-missing", Severity::Error, Object::Macro, object(),
                            entry() + " names no effect (1 to 50).");
                else if (!IsDefinedEffect(show.effects[second - 1]))
                    out.add("macro-effect-undefined", Severity::Warning, Object::Macro, object(),
                            entry() + " loads an effect that is not defined.");
            } else if (!kIsKey[code]) {
                out.add("macro-key-undefined", Severity::Warning, Object::Macro, object(),
                        "Code " + std::to_string(code) + where() + " is no key of the console.");
            }
        };
        const auto cut = [&](int at, std::uint8_t code) {
            out.add("macro-special-cut", Severity::Warning, Object::Macro, object(),
                    "The " + SpecialName(code) + " entry at key " + std::to_string(at) +
                        " has no room for its numbers, so the console skips it.");
        };
        WalkMacro(macro, stroke, cut);
    }
}

// ---------------------------------------------------------------- patch

void CheckPatch(const TShow& show, TFindings& out)
{
    std::bitset<kChannels + 1> patched;
    for (int page = 1; page <= kPatchPages; ++page)
        for (int dimmer = 1; dimmer <= kDimmers; ++dimmer) {
            const TPatchEntry& e = show.patches[page - 1].dimmer(dimmer);
            const auto object = [&] { return DimmerObjectName(page, dimmer); };
            if (!e.Park && e.Channel >= 1 && e.Channel <= kChannels)
                patched.set(e.Channel);
            if (!e.Park && e.Channel > kChannels && e.Channel != kParkedChannel)
                out.add("patch-channel-range", Severity::Error, Object::Dimmer, object(),
                        "It is fed by channel " + std::to_string(e.Channel) +
                            ", which no cue can reach (channels go up to 512).");
            if (e.Level > 100)
                out.add("patch-level-range", Severity::Error, Object::Dimmer, object(),
                        "Its level of " + std::to_string(e.Level) + " % is above 100 %.");
            if (e.Profile >= kProfiles)
                out.add("patch-profile-range", Severity::Error, Object::Dimmer, object(),
                        "It uses profile " + std::to_string(e.Profile + 1) + ", but there are only 25.");
        }

    // Channels that cues set but no dimmer follows: the first cue that sets each.
    const TCueList& list = show.cueList;
    const int count = std::min<int>(list.count, kMaxCues);
    std::array<int, kChannels + 1> firstCue{};
    int missing = 0;
    for (int c = 1; c <= kChannels; ++c)
        missing += patched.test(c) ? 0 : 1;
    for (int k = 1; k <= count && missing > 0; ++k) {
        const auto& levels = list.cue(k).levels;
        for (int c = 1; c <= kChannels; ++c)
            if (levels[c - 1] != 0 && !patched.test(c) && firstCue[c] == 0) {
                firstCue[c] = k;
                --missing;
            }
    }
    for (int c = 1; c <= kChannels; ++c)
        if (firstCue[c] != 0)
            out.add("channel-unpatched", Severity::Warning, Object::Channel, "channel " + std::to_string(c),
                    "Cues set it (the first is " + CueObjectName(list.cue(firstCue[c]).number) +
                        "), but no dimmer is patched to it.");
}

// ---------------------------------------------------------------- Quorvel

// DMX channels a device of this type takes: its named attributes 1..25, as positions
// place them (a 16-bit one takes two).
int Footprint(const TQVType& type)
{
    int n = 0;
    for (int k = 0; k < 25; ++k)
        if (!type.attrNames[k].empty())
            n += type.width[k] != 0 ? 2 : 1;
    return n;
}

std::string DmxRange(int first, int last)
{
    return first == last ? std::to_string(first) : std::to_string(first) + "\u2013" + std::to_string(last);
}

void CheckQuorvel(const TShow& show, TFindings& out)
{
    const TQuorvel& qv = show.quorvel;

    // Types
    for (int t = 2; t <= kQvTypes; ++t) {
        const TQVType& type = qv.types[t - 1];
        if (type.name.empty())
            continue;
        for (int u = 1; u < t; ++u)
            if (qv.types[u - 1].name == type.name) {
                out.add("qv-type-name-duplicate", Severity::Warning, Object::QvType, "QV type " + std::to_string(t),
                        "It has the same name as QV type " + std::to_string(u) + " (" + Quoted(type.name.view()) +
                            ").");
                break;
            }
    }

    // Devices: their DMX channels, first and last (0 when the device drives none).
    struct TSpan {
        int first = 0, last = 0;
    };
    std::array<TSpan, kQvDevices> spans{};
    for (int d = 1; d <= kQvDevices; ++d) {
        const TQVDevice& device = qv.devices[d - 1];
        const auto object = [&] { return "QV device " + std::to_string(d); };
        if (device.type == 0)
            continue;
        if (device.type > kQvTypes) {
            out.add("qv-device-type-missing", Severity::Error, Object::QvDevice, object(),
                    "Its type " + std::to_string(device.type) + " does not exist (QV types go from 1 to 8).");
            continue;
        }
        const int width = Footprint(qv.types[device.type - 1]);
        if (width == 0) {
            out.add("qv-device-type-empty", Severity::Warning, Object::QvDevice, object(),
                    "Its type, QV type " + std::to_string(device.type) + ", has no attributes, so it drives nothing.");
            continue;
        }
        if (device.address == 0)
            continue;
        const int first = device.address;
        const int last = device.address + width - 1;
        if (last > kQvMapSize)
            out.add("qv-device-past-end", Severity::Error, Object::QvDevice, object(),
                    "Its DMX channels " + DmxRange(first, last) + " run past 1024.");
        spans[d - 1] = {first, std::min(last, kQvMapSize)};
        for (int e = 1; e < d; ++e) {
            const TSpan& other = spans[e - 1];
            if (other.first != 0 && first <= other.last && other.first <= last) {
                out.add("qv-device-overlap", Severity::Error, Object::QvDevice, object(),
                        "Its DMX channels " + DmxRange(first, last) + " overlap those of QV device " +
                            std::to_string(e) + " (" + DmxRange(other.first, other.last) + ").");
            }
        }
    }

    // Actions
    for (int a = 1; a <= kQvActions; ++a) {
        const TQVAction& action = qv.actions[a - 1];
        for (int s = 1; s <= kQvSteps; ++s)
            if (action.positions[s - 1] > kQvPositions) {
                out.add("qv-action-position-missing", Severity::Error, Object::QvAction,
                        "QV action " + std::to_string(a),
                        "Step " + std::to_string(s) + " runs QV position " + std::to_string(action.positions[s - 1]) +
                            ", which does not exist (1 to 100).");
            }
    }

    // Positions
    for (int p = 1; p <= kQvPositions; ++p) {
        const TQVPosition& position = qv.positions[p - 1];
        const auto object = [&] { return "QV position " + std::to_string(p); };
        for (int s = 1; s <= kQvSlots; ++s) {
            const int d = position.slotDevices[s - 1];
            if (d == 0)
                continue;
            const std::string slot = "Slot " + std::to_string(s) + " names QV device " + std::to_string(d);
            if (d > kQvDevices) {
                out.add("qv-position-device-missing", Severity::Error, Object::QvPosition, object(),
                        slot + ", which does not exist (1 to 40).");
                continue;
            }
            const TQVDevice& device = qv.devices[d - 1];
            if (device.type == 0 || device.address == 0)
                out.add("qv-position-device-incomplete", Severity::Error, Object::QvPosition, object(),
                        slot + ", which has no " +
                            (device.type == 0 && device.address == 0 ? "type and no address"
                             : device.type == 0                      ? "type"
                                                                     : "address") +
                            ".");
        }
    }
}

} // namespace

// ---------------------------------------------------------------- public

std::string Latin1ToUtf8(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80) {
            text += static_cast<char>(c);
        } else {
            text += static_cast<char>(0xC0 | (c >> 6));
            text += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return text;
}

std::string CueObjectName(std::uint16_t number)
{
    return "cue " + Tenths(number);
}

std::string SubObjectName(int page, int number)
{
    return "sub " + std::to_string(page) + "/" + std::to_string(number);
}

std::string DimmerObjectName(int page, int dimmer)
{
    return "dimmer " + std::to_string(page) + "/" + std::to_string(dimmer);
}

std::vector<TCheckFinding> CheckShow(const TShow& show)
{
    TFindings out;
    CheckCues(show, out);
    CheckSubs(show, out);
    CheckEffects(show, out);
    CheckMacros(show, out);
    CheckPatch(show, out);
    CheckQuorvel(show, out);
    return out.take();
}

std::string_view SeverityName(TCheckSeverity severity)
{
    return severity == TCheckSeverity::Error ? "error" : "warning";
}

std::string FormatFinding(const TCheckFinding& finding)
{
    return std::string(SeverityName(finding.severity)) + ": " + finding.object + ": " + finding.text;
}

bool HasErrors(const std::vector<TCheckFinding>& findings)
{
    return std::any_of(findings.begin(), findings.end(),
                       [](const TCheckFinding& f) { return f.severity == TCheckSeverity::Error; });
}

std::string CheckSummary(const std::vector<TCheckFinding>& findings)
{
    if (findings.empty())
        return kCheckClean;
    const auto errors = std::count_if(findings.begin(), findings.end(),
                                      [](const TCheckFinding& f) { return f.severity == TCheckSeverity::Error; });
    const auto warnings = static_cast<long>(findings.size()) - errors;
    const auto counted = [](long n, const char* what) { return std::to_string(n) + " " + what + (n == 1 ? "" : "s"); };
    if (errors == 0)
        return counted(warnings, "warning") + ".";
    if (warnings == 0)
        return counted(errors, "error") + ".";
    return counted(errors, "error") + " and " + counted(warnings, "warning") + ".";
}

} // namespace lumora
