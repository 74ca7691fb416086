// Fuzzes the JSON reader of `lumora-cli build` one record at a time: the first byte picks
// the kind of record (or the whole show), the rest is JSON text. Whatever the text, the
// reader either takes it or refuses it with EShowJsonError, as `build` expects; any
// other exception escapes and counts as a crash.

#include "cli/ShowJson.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using namespace lumora;
    using namespace lumora::cli;
    if (size < 1)
        return 0;
    static const auto show = std::make_unique<TShow>();
    const int selector = data[0] % (kJsonRecordKinds + 1);
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    TJson json;
    try {
        json = TJson::parse(text);
    } catch (const TJson::exception&) {
        return 0; // what `build` reports as not valid JSON (syntax, or a number out of range)
    }
    try {
        if (selector == kJsonRecordKinds) {
            std::string notes;
            ShowFromJson(json, *show, notes);
        } else {
            RecordFromJson(static_cast<TJsonRecord>(selector), json, *show);
        }
    } catch (const EShowJsonError&) {
        return 0;
    }
    return 0;
}
