#include "print/ReportChoice.h"

#include <charconv>

namespace lumora {

std::optional<int> ReadWholeNumber(std::string_view text)
{
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::string FromToOrderMessage(std::string_view noun)
{
    std::string message = "The \"To\" ";
    message.append(noun).append(" number needs to be same or larger than the \"From\" ");
    message.append(noun).append(" number.");
    return message;
}

std::optional<std::pair<int, int>> ReadFromTo(std::string_view from, std::string_view to, int lowest, int highest,
                                              std::string_view noun, IUserInterface& ui)
{
    const auto first = ReadWholeNumber(from);
    const auto last = ReadWholeNumber(to);
    if (!first || !last) {
        ui.error(kMsgUnreadableRange);
        return std::nullopt;
    }
    if (*last < *first) {
        ui.error(FromToOrderMessage(noun));
        return std::nullopt;
    }
    if (*last > highest) {
        ui.error(kMsgRangeTooLarge);
        return std::nullopt;
    }
    if (*first < lowest) {
        ui.error(kMsgRangeTooSmall);
        return std::nullopt;
    }
    return std::pair{*first, *last};
}

} // namespace lumora
