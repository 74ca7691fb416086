#pragma once

// The general error handler: a command's error reaches the user in an error box once
// the command's own clean-up (cursor, status panel, import state: its scope guards) has
// run, and the program goes on.

#include "show/UserInterface.h"

#include <functional>

namespace lumora {

inline constexpr const char* kMsgUnexpectedError = "An unexpected error occurred.";

// Runs command; an ELumoraError is shown with its own message, any other exception
// with kMsgUnexpectedError (and the system's reason when it has one). True when the
// command ran through.
bool RunCommand(IUserInterface& ui, const std::function<void()>& command);

// The error box for an exception being handled (call inside a catch block).
void ShowCurrentException(IUserInterface& ui);

} // namespace lumora
