#include "macros/KeyNames.h"

#include <algorithm>

namespace lumora {

namespace {
static_assert(std::is_sorted(kConsoleKeys.begin(), kConsoleKeys.end(),
                             [](const TConsoleKey& a, const TConsoleKey& b) { return a.code < b.code; }));
} // namespace

const TConsoleKey* FindConsoleKey(std::uint8_t code)
{
    const auto it = std::lower_bound(kConsoleKeys.begin(), kConsoleKeys.end(), code,
                                     [](const TConsoleKey& key, std::uint8_t c) { return key.code < c; });
    if (it == kConsoleKeys.end() || it->code != code)
        return nullptr;
    return &*it;
}

std::string KeyName(std::uint8_t code, TKeyNameVariant variant)
{
    if (code == 0)
        return {};
    if (code == kKeyEmptyEnd)
        return std::string(kEmptyEndKeyName);
    if (const TConsoleKey* key = FindConsoleKey(code))
        return std::string(key->name);
    return std::string(variant == TKeyNameVariant::Editor ? kUndefinedKeyEditor : kUndefinedKeyReport);
}

std::string KeystrokeText(std::uint8_t code, std::uint8_t first, std::uint8_t second, TKeyNameVariant variant)
{
    switch (code) {
    case kKeyRunPosition: return "Run Position " + std::to_string(first);
    case kKeyRunAction: return "Run Action " + std::to_string(first);
    case kKeyLoadSubHandle: return "Load Sub Handle " + std::to_string(first) + " With " + std::to_string(second);
    default: return KeyName(code, variant);
    }
}

int KeystrokeLength(std::uint8_t code)
{
    switch (code) {
    case kKeyRunPosition:
    case kKeyRunAction: return 2;
    case kKeyLoadSubHandle: return 3;
    default: return 1;
    }
}

std::vector<TKeystroke> ReadKeystrokes(const TMacro& macro, TKeyNameVariant variant)
{
    std::vector<TKeystroke> strokes;
    int i = 0; // 0-based index into Keys
    while (i < kMacroKeys) {
        const std::uint8_t code = macro.Keys[i];
        const int length = KeystrokeLength(code);
        // A special entry whose numbers would run past position 20 is no keystroke; the
        // bytes after it are read on their own. Zeros and the end mark give nothing.
        if (code == 0 || code == kKeyEmptyEnd || i + length > kMacroKeys) {
            ++i;
            continue;
        }
        const std::uint8_t first = length > 1 ? macro.Keys[i + 1] : 0;
        const std::uint8_t second = length > 2 ? macro.Keys[i + 2] : 0;
        strokes.push_back({i + 1, length, KeystrokeText(code, first, second, variant)});
        i += length;
    }
    return strokes;
}

} // namespace lumora
