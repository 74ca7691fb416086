#pragma once

// The keep-changes question every editing window asks before it closes or moves to
// another item: nothing pending goes on at once; Yes keeps the changes when the window's
// checks pass, No drops them, Cancel stays.

#include "show/UserInterface.h"

#include <functional>
#include <string_view>

namespace lumora {

// True when the window may go on. keep stores the changes and is false when a check
// failed (its message shown): the window then stays where it is.
bool AskKeepChanges(IUserInterface& ui, bool pending, std::string_view question, const std::function<bool()>& keep);

} // namespace lumora
