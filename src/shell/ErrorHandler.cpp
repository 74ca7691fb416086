#include "shell/ErrorHandler.h"

#include "show/LumoraError.h"

#include <exception>
#include <string>

namespace lumora {

void ShowCurrentException(IUserInterface& ui)
{
    try {
        throw;
    } catch (const ELumoraError& e) {
        ui.error(e.what());
    } catch (const std::exception& e) {
        const std::string why = e.what();
        ui.error(why.empty() ? std::string(kMsgUnexpectedError) : std::string(kMsgUnexpectedError) + "\n" + why);
    } catch (...) {
        ui.error(kMsgUnexpectedError);
    }
}

bool RunCommand(IUserInterface& ui, const std::function<void()>& command)
{
    try {
        command();
        return true;
    } catch (...) {
        ShowCurrentException(ui);
        return false;
    }
}

} // namespace lumora
