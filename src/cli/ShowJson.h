#pragma once

// The show as JSON text (format "lumora-show", version 1): the whole model in raw model
// units, so a show can live under version control and be built back byte for byte.

#include "show/Show.h"
#include "show/ShowImage.h"

#include <nlohmann/json.hpp>

#include <span>
#include <stdexcept>
#include <string>
#include <string_view>

namespace lumora::cli {

// Keys keep the order they were added in: the dump's order is part of the format.
using TJson = nlohmann::ordered_json;

inline constexpr const char* kShowJsonFormat = "lumora-show";
inline constexpr int kShowJsonVersion = 1;

// A value of the JSON that cannot go into the model. The message names the object and
// the field, e.g. "cue 3: levels[7] must be 0..255".
class EShowJsonError final : public std::runtime_error {
public:
    explicit EShowJsonError(const std::string& message) : std::runtime_error(message) {}
};

// ---- Model <-> JSON

TJson ShowToJson(const TShow& show, const std::string& notes);

// Fills every field of show and notes from json. Every key must be there, no other key
// may be, and every value must fit its field; the first fault raises EShowJsonError.
void ShowFromJson(const TJson& json, TShow& show, std::string& notes);

// ---- One record at a time

// The records of the show's lists, each read by the code ShowFromJson reads it with, as
// the first of its list (cue 1, page 1 sub 1, patch page 1 dimmer 1, profile 1, ...), into
// that place of show. Raises EShowJsonError as ShowFromJson would.
enum class TJsonRecord { Cue, Sub, PatchEntry, Profile, Effect, Macro, QvType, QvDevice, QvAction, QvPosition };
inline constexpr int kJsonRecordKinds = 10;
void RecordFromJson(TJsonRecord kind, const TJson& json, TShow& show);

// ---- The text form the dump prints

// Objects and arrays one member per line, indented by two; arrays and objects that hold
// only plain values on one line. Ends with a line break.
std::string FormatJson(const TJson& json);

// ---- Names and notes

// The model's texts are single bytes; in JSON byte b is the character U+00bb of the same
// number (so every byte the console may hold survives the trip).
std::string BytesToJsonText(std::string_view bytes);
// The reverse; false when the text holds a character above U+00FF or is not UTF-8.
bool JsonTextToBytes(std::string_view text, std::string& bytes);

} // namespace lumora::cli
