#include "show/KeepChanges.h"

namespace lumora {

bool AskKeepChanges(IUserInterface& ui, bool pending, std::string_view question, const std::function<bool()>& keep)
{
    if (!pending)
        return true;
    switch (ui.askYesNoCancel(question, IUserInterface::Icon::Confirmation)) {
    case IUserInterface::Answer::Yes: return keep();
    case IUserInterface::Answer::No: return true;
    case IUserInterface::Answer::Cancel: return false;
    }
    return false;
}

} // namespace lumora
