#include "support/RandomShow.h"

#include <algorithm>
#include <random>
#include <string>

namespace lumora::test {

namespace {

class TRandom {
public:
    explicit TRandom(std::uint32_t seed) : m_rng(seed) {}
    int in(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(m_rng); }
    std::uint8_t byte() { return static_cast<std::uint8_t>(in(0, 255)); }
    std::uint16_t word() { return static_cast<std::uint16_t>(in(0, 65535)); }
    bool chance(int percent) { return in(1, 100) <= percent; }

    // A name that survives trimming: printable, no blank at either end.
    std::string name(int maxLength)
    {
        const int length = in(0, maxLength);
        std::string text;
        for (int i = 0; i < length; ++i)
            text += static_cast<char>(in(33, 126));
        if (length > 2)
            text[in(1, length - 2)] = ' ';
        return text;
    }
    // A name as stored in a fixed field without trimming: exactly `width` characters.
    std::string field(int width)
    {
        std::string text = name(width);
        text.resize(width, ' ');
        return text;
    }

private:
    std::mt19937 m_rng;
};

void FillCues(TCueList& list, TRandom& r, int count)
{
    list.Clear();
    // Ascending, distinct numbers spread over 0.1 .. 999.9.
    std::vector<int> numbers;
    for (int n = 1; n <= 9999; ++n)
        numbers.push_back(n);
    std::shuffle(numbers.begin(), numbers.end(), std::mt19937(r.in(0, 1 << 30)));
    numbers.resize(count);
    std::sort(numbers.begin(), numbers.end());
    for (int i = 0; i < count; ++i) {
        TCueRecord& cue = list.cue(i + 1);
        cue.number = static_cast<std::uint16_t>(numbers[i]);
        cue.type = static_cast<std::uint8_t>(r.in(0, 4));
        cue.name = r.name(16);
        cue.timeUp = static_cast<std::uint16_t>(r.in(0, 9999));
        cue.timeDown = static_cast<std::uint16_t>(r.in(0, 9999));
        cue.delayUp = static_cast<std::uint16_t>(r.in(0, 9999));
        cue.delayDown = static_cast<std::uint16_t>(r.in(0, 9999));
        cue.link = r.chance(20) ? static_cast<std::uint16_t>(r.in(1, 9999)) : 0;
        cue.macro = r.chance(20) ? static_cast<std::uint16_t>(r.in(1, 2500)) : 0;
        for (auto& level : cue.levels)
            level = r.chance(30) ? r.byte() : 0;
        for (auto& bits : cue.hardMask)
            bits = r.byte();
    }
    list.count = static_cast<std::uint16_t>(count);
    list.current = count > 0 ? 1 : 0;
    list.cueOnlyMode = false;
}

} // namespace

void FillRandomShow(TShow& show, std::uint32_t seed, const TRandomShowOptions& options)
{
    TRandom r(seed);
    show.ResetShow();
    FillCues(show.cueList, r, options.cues);

    for (auto& page : show.subs)
        for (auto& sub : page) {
            if (!options.everySub && r.chance(50))
                continue;
            sub.SubType = static_cast<std::uint8_t>(r.in(1, 3));
            sub.Name = r.field(16);
            sub.TimeUp = r.word();
            sub.TimeHold = r.word();
            sub.TimeDown = r.word();
            for (auto& level : sub.Levels)
                level = r.byte();
        }

    for (auto& page : show.patches)
        for (auto& entry : page.entries) {
            entry.Level = static_cast<std::uint8_t>(r.in(0, 100));
            entry.Profile = static_cast<std::uint8_t>(r.in(0, 24));
            if (r.chance(5)) {
                entry.Park = true;
                entry.Nondim = true;
                entry.Channel = 0xFFFF;
            } else {
                entry.Park = false;
                entry.Nondim = r.chance(10);
                entry.Channel = static_cast<std::uint16_t>(r.in(0, 512));
            }
        }

    for (auto& profile : show.profiles) {
        profile.name = r.name(16);
        for (auto& point : profile.curve)
            point = r.byte();
    }

    for (auto& effect : show.effects) {
        effect.Name = r.field(16);
        if (!options.everyEffect && r.chance(50))
            continue;
        effect.EffectType = static_cast<std::uint8_t>(r.in(0, 4));
        effect.EffectTime = static_cast<std::uint16_t>(r.in(0, 9999));
        const int used = options.everyEffect ? kEffectEntries : r.in(0, kEffectEntries);
        int step = 1;
        int channel = 0;
        for (int k = 0; k < used; ++k) {
            channel += r.in(1, 8);
            if (channel > 512) {
                channel = r.in(1, 8);
                ++step;
            }
            effect.Entries[k] = {static_cast<std::uint16_t>(channel), r.byte(), static_cast<std::uint8_t>(step)};
        }
        effect.StepCount = used > 0 ? static_cast<std::uint8_t>(step) : 0;
    }

    for (auto& macro : show.macros) {
        if (r.chance(50))
            continue;
        macro.KeyCount = 0;
        for (auto& key : macro.Keys) {
            key = r.chance(70) ? r.byte() : 0;
            macro.KeyCount += key != 0;
        }
    }

    auto& qv = show.quorvel;
    for (auto& type : qv.types) {
        type.name = r.name(16);
        for (int a = 0; a < kQvAttributes; ++a) {
            type.attrNames[a] = r.name(8);
            type.source[a] = static_cast<std::uint8_t>(r.in(0, 26));
            type.width[a] = static_cast<std::uint8_t>(r.in(0, 1));
            type.mastering[a] = static_cast<std::uint8_t>(r.in(0, 2));
        }
    }
    for (auto& device : qv.devices) {
        device.name = r.name(16);
        device.type = static_cast<std::uint16_t>(r.in(0, 8));
        device.address = static_cast<std::uint16_t>(r.in(0, 1023));
        // The spare values are carried from the image, never compiled: they stay zero here.
    }
    for (auto& action : qv.actions) {
        for (int s = 0; s < kQvSteps; ++s) {
            action.times[s] = static_cast<std::uint16_t>(r.in(0, 9999));
            action.delays[s] = static_cast<std::uint16_t>(r.in(0, 9999));
            action.positions[s] = static_cast<std::uint16_t>(r.in(0, 100));
        }
        action.singleStep = static_cast<std::uint16_t>(r.in(0, 1));
        action.loops = r.chance(20) ? kQvLoopsContinuous : static_cast<std::uint16_t>(r.in(0, 65534));
    }
    for (auto& position : qv.positions) {
        for (int i = 0; i < kQvMapSize; ++i) {
            position.valueMap[i] = r.byte();
            position.widthMap[i] = static_cast<std::uint8_t>(r.in(0, 1));
            position.timeMap[i] = r.chance(50) ? kQvNoTime : static_cast<std::uint16_t>(r.in(0, 9999));
        }
        for (int s = 0; s < kQvSlots; ++s) {
            position.slotDevices[s] = static_cast<std::uint8_t>(r.in(0, 40));
            position.slotMasters[s] = r.byte();
        }
    }
}

void FillFullShow(TShow& show, std::uint32_t seed)
{
    FillRandomShow(show, seed, {.cues = 1000, .everySub = true, .everyEffect = true});
}

} // namespace lumora::test
