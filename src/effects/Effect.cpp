#include "effects/Effect.h"

#include "show/Bytes.h"
#include "show/LumoraError.h"

#include <algorithm>

namespace lumora {

namespace {

constexpr char kInvalidEffectType[] = "Invalid effect type.";

// Type names, indexed by type code; the editor's type list and the reports use them.
constexpr std::array<std::string_view, 5> kTypeNames = {"Forward", "Bounce", "Reverse", "Single", "Random"};

// One effect record as the console stores it.
constexpr std::size_t kStepCountAt = 0;
constexpr std::size_t kTypeAt = 1;
constexpr std::size_t kTimeAt = 2;
constexpr std::size_t kEntriesAt = 4;
constexpr std::size_t kEntrySize = 4;
// Inside an entry the console puts step and level before the 2-byte channel.
constexpr std::size_t kEntryStepAt = 0;
constexpr std::size_t kEntryLevelAt = 1;
constexpr std::size_t kEntryChannelAt = 2;
constexpr std::size_t kNameAt = 1988;
constexpr std::size_t kNameWidth = 16;

static_assert(kEntriesAt + kEffectEntries * kEntrySize == kNameAt);
static_assert(kNameAt + kNameWidth == kEffectRecordSize);
static_assert(kEffects * kEffectRecordSize <= kEffectsSectionSize);

constexpr std::size_t RecordOffset(int index)
{
    return static_cast<std::size_t>(index) * kEffectRecordSize;
}
constexpr std::size_t EntryOffset(int index)
{
    return kEntriesAt + static_cast<std::size_t>(index) * kEntrySize;
}

} // namespace

void ResetEffect(TEffect& effect)
{
    effect = TEffect{};
    effect.Name.assign("Linear");
}

void ResetAllEffects(TEffects& effects)
{
    for (auto& effect : effects)
        ResetEffect(effect);
}

bool IsDefinedEffect(const TEffect& effect)
{
    return effect.StepCount != 0 || effect.EffectTime != 0;
}

std::uint8_t EffectTypeFromCode(std::uint8_t code)
{
    if (code > kEffectRandom)
        throw ELumoraError(kInvalidEffectType);
    return code;
}

// Every type above Random is refused, the high bit included: a stray 0x80 must not
// slip through as a valid type and be saved as something the user never chose.
std::uint8_t EffectTypeToCode(std::uint8_t type)
{
    if (type > kEffectRandom)
        throw ELumoraError(kInvalidEffectType);
    return type;
}

std::uint8_t EffectTypeFromName(std::string_view name)
{
    const auto it = std::find(kTypeNames.begin(), kTypeNames.end(), name);
    if (it == kTypeNames.end())
        throw ELumoraError(kInvalidEffectType);
    return static_cast<std::uint8_t>(it - kTypeNames.begin());
}

std::string EffectTypeName(std::uint8_t type)
{
    if (type > kEffectRandom)
        throw ELumoraError(kInvalidEffectType);
    return std::string(kTypeNames[type]);
}

void UnpackEffects(TEffects& effects, std::span<const std::uint8_t, kEffectsSectionSize> section)
{
    ResetAllEffects(effects);
    for (int index = 0; index < kEffects; ++index) {
        const ConstByteSpan record = section.subspan(RecordOffset(index), kEffectRecordSize);
        TEffect& effect = effects[index];
        // Every record is taken, empty or not, and every entry as stored: channels and
        // steps out of range stay in the model for whoever reads them to check.
        // The type is checked first, so a record with a bad type leaves its effect reset.
        effect.EffectType = EffectTypeFromCode(record[kTypeAt]);
        effect.StepCount = record[kStepCountAt];
        effect.EffectTime = GetLE16(record, kTimeAt);
        for (int k = 0; k < kEffectEntries; ++k) {
            const ConstByteSpan entry = record.subspan(EntryOffset(k), kEntrySize);
            TEffectEntry& e = effect.Entries[k];
            e.EntryStep = entry[kEntryStepAt];
            e.EntryLevel = entry[kEntryLevelAt];
            e.EntryChannel = GetLE16(entry, kEntryChannelAt);
        }
        effect.Name = GetText(record, kNameAt, kNameWidth);
    }
}

void CompileEffects(const TEffects& effects, std::span<std::uint8_t, kEffectsSectionSize> section)
{
    // Check every type before writing, so a model that cannot be saved leaves the
    // image as it was rather than half compiled.
    for (const auto& effect : effects)
        (void)EffectTypeToCode(effect.EffectType);

    for (int index = 0; index < kEffects; ++index) {
        const TEffect& effect = effects[index];
        const ByteSpan record = section.subspan(RecordOffset(index), kEffectRecordSize);
        record[kStepCountAt] = effect.StepCount;
        record[kTypeAt] = EffectTypeToCode(effect.EffectType);
        PutLE16(record, kTimeAt, effect.EffectTime);
        for (int k = 0; k < kEffectEntries; ++k) {
            const ByteSpan entry = record.subspan(EntryOffset(k), kEntrySize);
            const TEffectEntry& e = effect.Entries[k];
            entry[kEntryStepAt] = e.EntryStep;
            entry[kEntryLevelAt] = e.EntryLevel;
            PutLE16(entry, kEntryChannelAt, e.EntryChannel);
        }
        std::fill_n(record.begin() + kNameAt, kNameWidth, static_cast<std::uint8_t>(' '));
        PutText(record, kNameAt, kNameWidth, effect.Name.view());
    }
}

} // namespace lumora
