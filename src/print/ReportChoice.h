#pragma once

// Reading what a report dialog's entries hold: whole numbers and From/To ranges, with
// the messages the report dialogs share.

#include "show/UserInterface.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace lumora {

inline constexpr const char* kMsgUnreadableRange = "Unable to read From/To range numbers.";
inline constexpr const char* kMsgRangeTooLarge = "The From/To range number(s) are too large.";
inline constexpr const char* kMsgRangeTooSmall = "The From/To range number(s) are too small.";

// The number a text holds when it is a whole decimal number (an optional sign, digits,
// nothing else, within int); nothing otherwise.
std::optional<int> ReadWholeNumber(std::string_view text);

// The "To" < "From" message with the report's noun: The "To" <noun> number needs to be
// same or larger than the "From" <noun> number.
std::string FromToOrderMessage(std::string_view noun);

// A From/To range of numbers lowest..highest: both entries whole numbers, To not below
// From, neither above highest nor below lowest. Each refusal shows its error box and
// gives nothing.
std::optional<std::pair<int, int>> ReadFromTo(std::string_view from, std::string_view to, int lowest, int highest,
                                              std::string_view noun, IUserInterface& ui);

} // namespace lumora
