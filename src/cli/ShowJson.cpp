#include "cli/ShowJson.h"

#include "show/Bytes.h"
#include "show/EditorState.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <initializer_list>
#include <limits>

namespace lumora::cli {

namespace {

constexpr std::uint64_t kByteMax = 0xFF;
constexpr std::uint64_t kWordMax = 0xFFFF;

// The patch stores a channel in 12 bits; a parked dimmer keeps the unpack's 0xFFFF.
constexpr std::uint64_t kPatchChannelMax = 0x0FFF;

std::string Ordinal(const char* what, int number)
{
    return std::string(what) + " " + std::to_string(number);
}

// ---------------------------------------------------------------- model -> JSON

TJson Text(std::string_view bytes)
{
    return BytesToJsonText(bytes);
}

template <typename T, std::size_t N> TJson Numbers(const std::array<T, N>& values)
{
    TJson list = TJson::array();
    list.get_ref<TJson::array_t&>().reserve(N);
    for (const T v : values)
        list.push_back(static_cast<std::uint64_t>(v));
    return list;
}

TJson CuesToJson(const TCueList& cues)
{
    TJson list = TJson::array();
    const int count = std::min<int>(cues.count, kMaxCues);
    for (int k = 1; k <= count; ++k) {
        const TCueRecord& cue = cues.cue(k);
        TJson hard = TJson::array();
        for (int channel = 1; channel <= kChannels; ++channel)
            if (TCueList::IsHard(cue, channel))
                hard.push_back(channel);
        TJson j = TJson::object();
        j["number"] = cue.number;
        j["type"] = cue.type;
        j["name"] = Text(cue.name.view());
        j["timeUp"] = cue.timeUp;
        j["timeDown"] = cue.timeDown;
        j["delayUp"] = cue.delayUp;
        j["delayDown"] = cue.delayDown;
        j["link"] = cue.link;
        j["macro"] = cue.macro;
        j["levels"] = Numbers(cue.levels);
        j["hard"] = std::move(hard);
        list.push_back(std::move(j));
    }
    TJson j = TJson::object();
    j["cueOnlyMode"] = cues.cueOnlyMode;
    j["current"] = cues.current;
    j["list"] = std::move(list);
    return j;
}

TJson SubsToJson(const TSubPages& subs)
{
    TJson list = TJson::array();
    for (int page = 1; page <= kSubPages; ++page)
        for (int number = 1; number <= kSubsPerPage; ++number) {
            const TSub& sub = subs[page - 1][number - 1];
            TJson j = TJson::object();
            j["page"] = page;
            j["sub"] = number;
            j["type"] = sub.SubType;
            j["name"] = Text(sub.Name.view());
            j["timeUp"] = sub.TimeUp;
            j["timeHold"] = sub.TimeHold;
            j["timeDown"] = sub.TimeDown;
            j["levels"] = Numbers(sub.Levels);
            list.push_back(std::move(j));
        }
    return list;
}

TJson PatchesToJson(const TPatches& patches)
{
    TJson pages = TJson::array();
    for (const TPatch& patch : patches) {
        TJson page = TJson::array();
        for (int d = 1; d <= kDimmers; ++d) {
            const TPatchEntry& entry = patch.dimmer(d);
            TJson j = TJson::object();
            j["dimmer"] = d;
            j["channel"] = entry.Channel;
            j["level"] = entry.Level;
            j["profile"] = entry.Profile;
            j["park"] = entry.Park;
            j["nondim"] = entry.Nondim;
            page.push_back(std::move(j));
        }
        pages.push_back(std::move(page));
    }
    return pages;
}

TJson ProfilesToJson(const TProfiles& profiles)
{
    TJson list = TJson::array();
    for (int n = 1; n <= kProfiles; ++n) {
        const TProfile& profile = profiles[n - 1];
        TJson j = TJson::object();
        j["profile"] = n;
        j["name"] = Text(profile.name.view());
        j["curve"] = Numbers(profile.curve);
        list.push_back(std::move(j));
    }
    return list;
}

TJson EffectsToJson(const TEffects& effects)
{
    TJson list = TJson::array();
    for (int n = 1; n <= kEffects; ++n) {
        const TEffect& effect = effects[n - 1];
        TJson entries = TJson::array();
        for (const TEffectEntry& e : effect.Entries)
            entries.push_back(TJson::array({e.EntryStep, e.EntryChannel, e.EntryLevel}));
        TJson j = TJson::object();
        j["effect"] = n;
        j["type"] = effect.EffectType;
        j["name"] = Text(effect.Name.view());
        j["stepCount"] = effect.StepCount;
        j["time"] = effect.EffectTime;
        j["entries"] = std::move(entries);
        list.push_back(std::move(j));
    }
    return list;
}

TJson MacrosToJson(const TMacros& macros)
{
    TJson list = TJson::array();
    for (int n = 1; n <= kMacros; ++n) {
        const TMacro& macro = macros[n - 1];
        TJson j = TJson::object();
        j["macro"] = n;
        j["keyCount"] = macro.KeyCount;
        j["keys"] = Numbers(macro.Keys);
        list.push_back(std::move(j));
    }
    return list;
}

TJson QuorvelToJson(const TQuorvel& qv)
{
    TJson types = TJson::array();
    for (int n = 1; n <= kQvTypes; ++n) {
        const TQVType& type = qv.types[n - 1];
        TJson attributes = TJson::array();
        for (int a = 0; a < kQvAttributes; ++a) {
            TJson attribute = TJson::object();
            attribute["name"] = Text(type.attrNames[a].view());
            attribute["source"] = type.source[a];
            attribute["width"] = type.width[a];
            attribute["mastering"] = type.mastering[a];
            attributes.push_back(std::move(attribute));
        }
        TJson j = TJson::object();
        j["type"] = n;
        j["name"] = Text(type.name.view());
        j["attributes"] = std::move(attributes);
        types.push_back(std::move(j));
    }
    TJson devices = TJson::array();
    for (int n = 1; n <= kQvDevices; ++n) {
        const TQVDevice& device = qv.devices[n - 1];
        TJson j = TJson::object();
        j["device"] = n;
        j["name"] = Text(device.name.view());
        j["type"] = device.type;
        j["address"] = device.address;
        j["spare"] = Numbers(device.spare);
        devices.push_back(std::move(j));
    }
    TJson actions = TJson::array();
    for (int n = 1; n <= kQvActions; ++n) {
        const TQVAction& action = qv.actions[n - 1];
        TJson j = TJson::object();
        j["action"] = n;
        j["times"] = Numbers(action.times);
        j["delays"] = Numbers(action.delays);
        j["positions"] = Numbers(action.positions);
        j["singleStep"] = action.singleStep;
        j["loops"] = action.loops;
        actions.push_back(std::move(j));
    }
    TJson positions = TJson::array();
    for (int n = 1; n <= kQvPositions; ++n) {
        const TQVPosition& position = qv.positions[n - 1];
        TJson j = TJson::object();
        j["position"] = n;
        j["values"] = Numbers(position.valueMap);
        j["widths"] = Numbers(position.widthMap);
        j["times"] = Numbers(position.timeMap);
        j["slotDevices"] = Numbers(position.slotDevices);
        j["slotMasters"] = Numbers(position.slotMasters);
        positions.push_back(std::move(j));
    }
    TJson j = TJson::object();
    j["types"] = std::move(types);
    j["devices"] = std::move(devices);
    j["actions"] = std::move(actions);
    j["positions"] = std::move(positions);
    return j;
}

// ---------------------------------------------------------------- JSON -> model

// One JSON object that must hold exactly the given keys. Every fault is reported as
// "<where>: <what>", where names the object as the user knows it ("cue 3").
class TFields final {
public:
    TFields(const TJson& json, std::string where, std::initializer_list<const char*> keys)
        : m_json(json), m_where(std::move(where))
    {
        if (!json.is_object())
            fail("must be an object");
        for (const char* key : keys)
            if (!json.contains(key))
                fail(std::string("missing key \"") + key + "\"");
        for (const auto& item : json.items())
            if (std::none_of(keys.begin(), keys.end(), [&](const char* key) { return item.key() == key; }))
                fail("unknown key \"" + item.key() + "\"");
    }

    const std::string& where() const { return m_where; }

    [[noreturn]] void fail(const std::string& what) const { throw EShowJsonError(m_where + ": " + what); }

    const TJson& at(const char* key) const { return m_json.find(key).value(); }

    std::uint64_t number(const char* key, std::uint64_t lo, std::uint64_t hi) const
    {
        return checked(at(key), key, lo, hi);
    }

    bool flag(const char* key) const
    {
        const TJson& v = at(key);
        if (!v.is_boolean())
            fail(std::string(key) + " must be true or false");
        return v.get<bool>();
    }

    // A name or the notes: at most maxChars characters of U+0000..U+00FF.
    std::string text(const char* key, std::size_t maxChars) const
    {
        const TJson& v = at(key);
        if (!v.is_string())
            fail(std::string(key) + " must be text");
        std::string bytes;
        if (!JsonTextToBytes(v.get_ref<const std::string&>(), bytes))
            fail(std::string(key) + " may hold only the characters U+0000..U+00FF");
        if (bytes.size() > maxChars)
            fail(std::string(key) + " must be at most " + std::to_string(maxChars) + " characters");
        return bytes;
    }

    // An array of exactly `count` elements.
    const TJson& list(const char* key, std::size_t count, const char* ofWhat = "values") const
    {
        const TJson& v = at(key);
        if (!v.is_array() || v.size() != count)
            fail(std::string(key) + " must be an array of " + std::to_string(count) + " " + ofWhat);
        return v;
    }

    template <typename T, std::size_t N>
    void numbers(const char* key, std::array<T, N>& out, std::uint64_t hi = std::numeric_limits<T>::max()) const
    {
        const TJson& v = list(key, N);
        for (std::size_t i = 0; i < N; ++i)
            out[i] = static_cast<T>(checked(v[i], std::string(key) + "[" + std::to_string(i) + "]", 0, hi));
    }

    // The object's own number ("page", "sub", "effect", ...) must say where it stands.
    void identity(const char* key, int expected) const
    {
        const TJson& v = at(key);
        if (!v.is_number_integer() || v != expected)
            fail(std::string(key) + " must be " + std::to_string(expected));
    }

    std::uint64_t checked(const TJson& v, const std::string& name, std::uint64_t lo, std::uint64_t hi) const
    {
        const std::string range = std::to_string(lo) + ".." + std::to_string(hi);
        if (!v.is_number_integer())
            fail(name + " must be a whole number " + range);
        if (v.is_number_unsigned()) {
            const auto u = v.get<std::uint64_t>();
            if (u >= lo && u <= hi)
                return u;
        } else {
            const auto s = v.get<std::int64_t>();
            if (s >= 0 && static_cast<std::uint64_t>(s) >= lo && static_cast<std::uint64_t>(s) <= hi)
                return static_cast<std::uint64_t>(s);
        }
        fail(name + " must be " + range);
    }

private:
    const TJson& m_json;
    std::string m_where;
};

// One record of each list, read as it stands at its place in the list.
void CueFromJson(const TJson& json, int k, TCueRecord& cue);
void SubFromJson(const TJson& json, int page, int number, TSub& sub);
void PatchEntryFromJson(const TJson& json, int p, int d, TPatchEntry& entry);
void ProfileFromJson(const TJson& json, int n, TProfile& profile);
void EffectFromJson(const TJson& json, int n, TEffect& effect);
void MacroFromJson(const TJson& json, int n, TMacro& macro);

void CuesFromJson(const TJson& json, TCueList& cues)
{
    const TFields f(json, "cues", {"cueOnlyMode", "current", "list"});
    const TJson& list = f.at("list");
    if (!list.is_array())
        f.fail("list must be an array of cues");
    if (list.size() > static_cast<std::size_t>(kMaxCues))
        f.fail("list must hold at most " + std::to_string(kMaxCues) + " cues");

    cues.Clear();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const int k = static_cast<int>(i) + 1;
        CueFromJson(list[i], k, cues.cue(k));
        cues.count = static_cast<std::uint16_t>(k);
    }
    cues.cueOnlyMode = f.flag("cueOnlyMode");
    cues.current = static_cast<std::uint16_t>(f.number("current", 0, cues.count));
}

void CueFromJson(const TJson& json, int k, TCueRecord& cue)
{
    const TFields c(
        json, Ordinal("cue", k),
        {"number", "type", "name", "timeUp", "timeDown", "delayUp", "delayDown", "link", "macro", "levels", "hard"});
    cue = TCueList::MakeEmptyCue();
    // Number 0 marks an unused record: such a cue would vanish from the saved show.
    cue.number = static_cast<std::uint16_t>(c.number("number", 1, kWordMax));
    cue.type = static_cast<std::uint8_t>(c.number("type", kCuePreset, kCueMultipart));
    cue.name = c.text("name", decltype(cue.name)::kCapacity);
    cue.timeUp = static_cast<std::uint16_t>(c.number("timeUp", 0, kWordMax));
    cue.timeDown = static_cast<std::uint16_t>(c.number("timeDown", 0, kWordMax));
    cue.delayUp = static_cast<std::uint16_t>(c.number("delayUp", 0, kWordMax));
    cue.delayDown = static_cast<std::uint16_t>(c.number("delayDown", 0, kWordMax));
    cue.link = static_cast<std::uint16_t>(c.number("link", 0, kWordMax));
    cue.macro = static_cast<std::uint16_t>(c.number("macro", 0, kWordMax));
    c.numbers("levels", cue.levels);

    const TJson& hard = c.at("hard");
    if (!hard.is_array())
        c.fail("hard must be an array of channel numbers");
    cue.hardMask.fill(0);
    std::uint64_t previous = 0;
    for (std::size_t h = 0; h < hard.size(); ++h) {
        const std::string name = "hard[" + std::to_string(h) + "]";
        const std::uint64_t channel = c.checked(hard[h], name, 1, kChannels);
        if (channel <= previous)
            c.fail(name + " must be above " + std::to_string(previous) + " (channels in ascending order)");
        TCueList::SetHard(cue, static_cast<int>(channel), true);
        previous = channel;
    }
}

void SubsFromJson(const TJson& json, TSubPages& subs)
{
    if (!json.is_array() || json.size() != static_cast<std::size_t>(kSubPages * kSubsPerPage))
        throw EShowJsonError("subs: must be an array of " + std::to_string(kSubPages * kSubsPerPage) + " subs");
    for (int page = 1; page <= kSubPages; ++page)
        for (int number = 1; number <= kSubsPerPage; ++number)
            SubFromJson(json[static_cast<std::size_t>((page - 1) * kSubsPerPage + number - 1)], page, number,
                        subs[page - 1][number - 1]);
}

void SubFromJson(const TJson& json, int page, int number, TSub& sub)
{
    const TFields s(json, "page " + std::to_string(page) + " sub " + std::to_string(number),
                    {"page", "sub", "type", "name", "timeUp", "timeHold", "timeDown", "levels"});
    s.identity("page", page);
    s.identity("sub", number);
    sub.SubType = static_cast<std::uint8_t>(s.number("type", kSubNone, kSubSolo));
    sub.Name = s.text("name", decltype(sub.Name)::kCapacity);
    sub.TimeUp = static_cast<std::uint16_t>(s.number("timeUp", 0, kWordMax));
    sub.TimeHold = static_cast<std::uint16_t>(s.number("timeHold", 0, kWordMax));
    sub.TimeDown = static_cast<std::uint16_t>(s.number("timeDown", 0, kWordMax));
    s.numbers("levels", sub.Levels);
}

void PatchesFromJson(const TJson& json, TPatches& patches)
{
    if (!json.is_array() || json.size() != static_cast<std::size_t>(kPatchPages))
        throw EShowJsonError("patches: must be an array of " + std::to_string(kPatchPages) + " pages");
    for (int p = 1; p <= kPatchPages; ++p) {
        const TJson& page = json[static_cast<std::size_t>(p - 1)];
        if (!page.is_array() || page.size() != static_cast<std::size_t>(kDimmers))
            throw EShowJsonError("patch page " + std::to_string(p) + ": must be an array of " +
                                 std::to_string(kDimmers) + " dimmers");
        for (int d = 1; d <= kDimmers; ++d)
            PatchEntryFromJson(page[static_cast<std::size_t>(d - 1)], p, d, patches[p - 1].dimmer(d));
    }
}

void PatchEntryFromJson(const TJson& json, int p, int d, TPatchEntry& entry)
{
    const TFields e(json, "patch page " + std::to_string(p) + " dimmer " + std::to_string(d),
                    {"dimmer", "channel", "level", "profile", "park", "nondim"});
    e.identity("dimmer", d);
    entry.Park = e.flag("park");
    entry.Nondim = e.flag("nondim");
    // A parked dimmer stores no channel; the unpack leaves 0xFFFF in its place.
    const TJson& channel = e.at("channel");
    if (entry.Park && channel.is_number_integer() && channel == kParkedChannel)
        entry.Channel = kParkedChannel;
    else if (entry.Park && !(channel.is_number_integer() && channel >= 0 && channel <= kPatchChannelMax))
        e.fail("channel must be 0.." + std::to_string(kPatchChannelMax) + " or " + std::to_string(kParkedChannel));
    else
        entry.Channel = static_cast<std::uint16_t>(e.checked(channel, "channel", 0, kPatchChannelMax));
    entry.Level = static_cast<std::uint8_t>(e.number("level", 0, kByteMax));
    entry.Profile = static_cast<std::uint8_t>(e.number("profile", 0, kByteMax));
}

void ProfilesFromJson(const TJson& json, TProfiles& profiles)
{
    if (!json.is_array() || json.size() != static_cast<std::size_t>(kProfiles))
        throw EShowJsonError("profiles: must be an array of " + std::to_string(kProfiles) + " profiles");
    for (int n = 1; n <= kProfiles; ++n)
        ProfileFromJson(json[static_cast<std::size_t>(n - 1)], n, profiles[n - 1]);
}

void ProfileFromJson(const TJson& json, int n, TProfile& profile)
{
    const TFields f(json, Ordinal("profile", n), {"profile", "name", "curve"});
    f.identity("profile", n);
    profile.name = f.text("name", decltype(profile.name)::kCapacity);
    f.numbers("curve", profile.curve);
}

void EffectsFromJson(const TJson& json, TEffects& effects)
{
    if (!json.is_array() || json.size() != static_cast<std::size_t>(kEffects))
        throw EShowJsonError("effects: must be an array of " + std::to_string(kEffects) + " effects");
    for (int n = 1; n <= kEffects; ++n)
        EffectFromJson(json[static_cast<std::size_t>(n - 1)], n, effects[n - 1]);
}

void EffectFromJson(const TJson& json, int n, TEffect& effect)
{
    const TFields f(json, Ordinal("effect", n), {"effect", "type", "name", "stepCount", "time", "entries"});
    f.identity("effect", n);
    effect.EffectType = static_cast<std::uint8_t>(f.number("type", kEffectForward, kEffectRandom));
    effect.Name = f.text("name", decltype(effect.Name)::kCapacity);
    effect.StepCount = static_cast<std::uint8_t>(f.number("stepCount", 0, kByteMax));
    effect.EffectTime = static_cast<std::uint16_t>(f.number("time", 0, kWordMax));
    const TJson& entries = f.list("entries", kEffectEntries, "[step, channel, level] entries");
    for (std::size_t k = 0; k < entries.size(); ++k) {
        const std::string name = "entries[" + std::to_string(k) + "]";
        const TJson& e = entries[k];
        if (!e.is_array() || e.size() != 3)
            f.fail(name + " must be an array [step, channel, level]");
        TEffectEntry& entry = effect.Entries[k];
        entry.EntryStep = static_cast<std::uint8_t>(f.checked(e[0], name + "[0]", 0, kByteMax));
        entry.EntryChannel = static_cast<std::uint16_t>(f.checked(e[1], name + "[1]", 0, kWordMax));
        entry.EntryLevel = static_cast<std::uint8_t>(f.checked(e[2], name + "[2]", 0, kByteMax));
    }
}

void MacrosFromJson(const TJson& json, TMacros& macros)
{
    if (!json.is_array() || json.size() != static_cast<std::size_t>(kMacros))
        throw EShowJsonError("macros: must be an array of " + std::to_string(kMacros) + " macros");
    for (int n = 1; n <= kMacros; ++n)
        MacroFromJson(json[static_cast<std::size_t>(n - 1)], n, macros[n - 1]);
}

void MacroFromJson(const TJson& json, int n, TMacro& macro)
{
    const TFields f(json, Ordinal("macro", n), {"macro", "keyCount", "keys"});
    f.identity("macro", n);
    macro.KeyCount = static_cast<std::uint8_t>(f.number("keyCount", 0, kMacroKeys));
    f.numbers("keys", macro.Keys);
}

void QvTypeFromJson(const TJson& json, int n, TQVType& type)
{
    const TFields t(json, Ordinal("QV type", n), {"type", "name", "attributes"});
    t.identity("type", n);
    type.name = t.text("name", decltype(type.name)::kCapacity);
    const TJson& attributes = t.list("attributes", kQvAttributes, "attributes");
    for (int a = 0; a < kQvAttributes; ++a) {
        const TFields at(attributes[static_cast<std::size_t>(a)], t.where() + " attribute " + std::to_string(a + 1),
                         {"name", "source", "width", "mastering"});
        type.attrNames[a] = at.text("name", TShortString<8>::kCapacity);
        type.source[a] = static_cast<std::uint8_t>(at.number("source", 0, kByteMax));
        type.width[a] = static_cast<std::uint8_t>(at.number("width", 0, kByteMax));
        type.mastering[a] = static_cast<std::uint8_t>(at.number("mastering", 0, kByteMax));
    }
}

void QvDeviceFromJson(const TJson& json, int n, TQVDevice& device)
{
    const TFields d(json, Ordinal("QV device", n), {"device", "name", "type", "address", "spare"});
    d.identity("device", n);
    device.name = d.text("name", decltype(device.name)::kCapacity);
    device.type = static_cast<std::uint16_t>(d.number("type", 0, kWordMax));
    device.address = static_cast<std::uint16_t>(d.number("address", 0, kWordMax));
    d.numbers("spare", device.spare);
}

void QvActionFromJson(const TJson& json, int n, TQVAction& action)
{
    const TFields a(json, Ordinal("QV action", n), {"action", "times", "delays", "positions", "singleStep", "loops"});
    a.identity("action", n);
    a.numbers("times", action.times);
    a.numbers("delays", action.delays);
    a.numbers("positions", action.positions);
    action.singleStep = static_cast<std::uint16_t>(a.number("singleStep", 0, kWordMax));
    action.loops = static_cast<std::uint16_t>(a.number("loops", 0, kWordMax));
}

void QvPositionFromJson(const TJson& json, int n, TQVPosition& position)
{
    const TFields p(json, Ordinal("QV position", n),
                    {"position", "values", "widths", "times", "slotDevices", "slotMasters"});
    p.identity("position", n);
    p.numbers("values", position.valueMap);
    p.numbers("widths", position.widthMap);
    p.numbers("times", position.timeMap);
    p.numbers("slotDevices", position.slotDevices);
    p.numbers("slotMasters", position.slotMasters);
}

void QuorvelFromJson(const TJson& json, TQuorvel& qv)
{
    const TFields f(json, "quorvel", {"types", "devices", "actions", "positions"});
    const TJson& types = f.list("types", kQvTypes, "types");
    for (int n = 1; n <= kQvTypes; ++n)
        QvTypeFromJson(types[static_cast<std::size_t>(n - 1)], n, qv.types[n - 1]);
    const TJson& devices = f.list("devices", kQvDevices, "devices");
    for (int n = 1; n <= kQvDevices; ++n)
        QvDeviceFromJson(devices[static_cast<std::size_t>(n - 1)], n, qv.devices[n - 1]);
    const TJson& actions = f.list("actions", kQvActions, "actions");
    for (int n = 1; n <= kQvActions; ++n)
        QvActionFromJson(actions[static_cast<std::size_t>(n - 1)], n, qv.actions[n - 1]);
    const TJson& positions = f.list("positions", kQvPositions, "positions");
    for (int n = 1; n <= kQvPositions; ++n)
        QvPositionFromJson(positions[static_cast<std::size_t>(n - 1)], n, qv.positions[n - 1]);
}

// ---------------------------------------------------------------- text form

bool IsPlain(const TJson& v)
{
    return !v.is_structured();
}

bool HoldsOnlyPlainValues(const TJson& v)
{
    return std::all_of(v.begin(), v.end(), [](const TJson& item) { return IsPlain(item); });
}

void AppendPlain(std::string& out, const TJson& v)
{
    if (v.is_number_unsigned() || v.is_number_integer()) {
        char buffer[24];
        const auto end = v.is_number_unsigned()
                             ? std::to_chars(buffer, buffer + sizeof buffer, v.get<std::uint64_t>()).ptr
                             : std::to_chars(buffer, buffer + sizeof buffer, v.get<std::int64_t>()).ptr;
        out.append(buffer, end);
    } else if (v.is_boolean()) {
        out += v.get<bool>() ? "true" : "false";
    } else {
        out += v.dump();
    }
}

void Append(std::string& out, const TJson& v, int indent)
{
    if (IsPlain(v)) {
        AppendPlain(out, v);
        return;
    }
    const bool object = v.is_object();
    const char open = object ? '{' : '[';
    const char close = object ? '}' : ']';
    if (v.empty()) {
        out += open;
        out += close;
        return;
    }
    auto key = [&](const std::string& name) {
        out += TJson(name).dump();
        out += ": ";
    };
    if (HoldsOnlyPlainValues(v)) {
        out += open;
        bool first = true;
        for (auto it = v.begin(); it != v.end(); ++it) {
            if (!first)
                out += ", ";
            first = false;
            if (object)
                key(it.key());
            AppendPlain(out, *it);
        }
        out += close;
        return;
    }
    out += open;
    out += '\n';
    bool first = true;
    for (auto it = v.begin(); it != v.end(); ++it) {
        if (!first)
            out += ",\n";
        first = false;
        out.append(static_cast<std::size_t>(indent + 2), ' ');
        if (object)
            key(it.key());
        Append(out, *it, indent + 2);
    }
    out += '\n';
    out.append(static_cast<std::size_t>(indent), ' ');
    out += close;
}

} // namespace

// ---------------------------------------------------------------- public

TJson ShowToJson(const TShow& show, const std::string& notes)
{
    TJson j = TJson::object();
    j["format"] = kShowJsonFormat;
    j["version"] = kShowJsonVersion;
    j["notes"] = Text(notes);
    j["cues"] = CuesToJson(show.cueList);
    j["subs"] = SubsToJson(show.subs);
    j["patches"] = PatchesToJson(show.patches);
    j["profiles"] = ProfilesToJson(show.profiles);
    j["effects"] = EffectsToJson(show.effects);
    j["macros"] = MacrosToJson(show.macros);
    j["quorvel"] = QuorvelToJson(show.quorvel);
    return j;
}

void ShowFromJson(const TJson& json, TShow& show, std::string& notes)
{
    const TFields f(
        json, "show",
        {"format", "version", "notes", "cues", "subs", "patches", "profiles", "effects", "macros", "quorvel"});
    if (f.at("format") != kShowJsonFormat)
        f.fail(std::string("format must be \"") + kShowJsonFormat + "\"");
    if (!f.at("version").is_number_integer() || f.at("version") != kShowJsonVersion)
        f.fail("version must be " + std::to_string(kShowJsonVersion) + " (the only version this program reads)");
    std::string text = f.text("notes", kMaxNotesLength);
    // The notes block ends at its first zero byte: a zero inside would cut the notes short.
    if (text.find('\0') != std::string::npos)
        f.fail("notes must not hold the character U+0000");

    show.ResetShow();
    CuesFromJson(json.find("cues").value(), show.cueList);
    SubsFromJson(json.find("subs").value(), show.subs);
    PatchesFromJson(json.find("patches").value(), show.patches);
    ProfilesFromJson(json.find("profiles").value(), show.profiles);
    EffectsFromJson(json.find("effects").value(), show.effects);
    MacrosFromJson(json.find("macros").value(), show.macros);
    QuorvelFromJson(json.find("quorvel").value(), show.quorvel);
    notes = std::move(text);
}

void RecordFromJson(TJsonRecord kind, const TJson& json, TShow& show)
{
    switch (kind) {
    case TJsonRecord::Cue: CueFromJson(json, 1, show.cueList.cue(1)); break;
    case TJsonRecord::Sub: SubFromJson(json, 1, 1, show.sub(1, 1)); break;
    case TJsonRecord::PatchEntry: PatchEntryFromJson(json, 1, 1, show.patch(1).dimmer(1)); break;
    case TJsonRecord::Profile: ProfileFromJson(json, 1, show.profile(1)); break;
    case TJsonRecord::Effect: EffectFromJson(json, 1, show.effect(1)); break;
    case TJsonRecord::Macro: MacroFromJson(json, 1, show.macro(1)); break;
    case TJsonRecord::QvType: QvTypeFromJson(json, 1, show.quorvel.type(1)); break;
    case TJsonRecord::QvDevice: QvDeviceFromJson(json, 1, show.quorvel.device(1)); break;
    case TJsonRecord::QvAction: QvActionFromJson(json, 1, show.quorvel.action(1)); break;
    case TJsonRecord::QvPosition: QvPositionFromJson(json, 1, show.quorvel.position(1)); break;
    }
}

std::string FormatJson(const TJson& json)
{
    std::string out;
    Append(out, json, 0);
    out += '\n';
    return out;
}

std::string BytesToJsonText(std::string_view bytes)
{
    std::string text;
    text.reserve(bytes.size());
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            text += ch;
        } else {
            text += static_cast<char>(0xC0 | (b >> 6));
            text += static_cast<char>(0x80 | (b & 0x3F));
        }
    }
    return text;
}

bool JsonTextToBytes(std::string_view text, std::string& bytes)
{
    bytes.clear();
    bytes.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            bytes += static_cast<char>(b);
            continue;
        }
        // U+0080..U+00FF are the two-byte sequences C2 80 .. C3 BF; anything else is too
        // high for a single byte (or not UTF-8 at all).
        if ((b != 0xC2 && b != 0xC3) || i + 1 >= text.size())
            return false;
        const auto next = static_cast<unsigned char>(text[i + 1]);
        if ((next & 0xC0) != 0x80)
            return false;
        bytes += static_cast<char>(((b & 0x03) << 6) | (next & 0x3F));
        ++i;
    }
    return true;
}

} // namespace lumora::cli
