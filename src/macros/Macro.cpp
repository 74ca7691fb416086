#include "macros/Macro.h"

#include <algorithm>

namespace lumora {

namespace {
// Macro n is the 20 bytes at (n - 1) * 20, byte i holding key position i + 1. The
// console keeps its own bytes in the 176 after the last macro; we never touch them.
constexpr std::size_t kMacroRecordSize = kMacroKeys;
static_assert(kMacros * kMacroRecordSize <= kMacroSectionSize);
} // namespace

void ResetMacro(TMacro& macro)
{
    macro = TMacro{};
}

void ResetAllMacros(TMacros& macros)
{
    for (auto& macro : macros)
        ResetMacro(macro);
}

void UnpackMacros(TMacros& macros, std::span<const std::uint8_t, kMacroSectionSize> section)
{
    ResetAllMacros(macros);
    for (int index = 0; index < kMacros; ++index) {
        TMacro& macro = macros[index];
        const auto record = section.subspan(static_cast<std::size_t>(index) * kMacroRecordSize, kMacroRecordSize);
        std::copy(record.begin(), record.end(), macro.Keys.begin());
        // Only "empty or not" matters to the editor and the report; the parameters of
        // special entries are counted too, except where they are 0.
        macro.KeyCount = static_cast<std::uint8_t>(
            std::count_if(record.begin(), record.end(), [](std::uint8_t b) { return b != 0; }));
    }
}

void CompileMacros(const TMacros& macros, std::span<std::uint8_t, kMacroSectionSize> section)
{
    for (int index = 0; index < kMacros; ++index) {
        const TMacro& macro = macros[index];
        std::copy(macro.Keys.begin(), macro.Keys.end(),
                  section.begin() + static_cast<std::ptrdiff_t>(index) * kMacroRecordSize);
    }
}

} // namespace lumora
