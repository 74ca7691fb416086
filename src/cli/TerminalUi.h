#pragma once

// The core's user interface on a terminal: no boxes and nobody to ask. Error boxes are
// held back so the command can put them into its one failure line; questions are
// answered at once (Yes, or No when strict) and the answer is reported on standard error.

#include "show/UserInterface.h"

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::cli {

inline constexpr const char* kProgramName = "lumora-cli";

class TTerminalUi final : public IUserInterface {
public:
    explicit TTerminalUi(std::ostream& err, bool strict = false) : m_err(err), m_strict(strict) {}

    void setStrict(bool strict) { m_strict = strict; }

    // The error boxes shown since the last call, oldest first, each on one line.
    std::vector<std::string> takeErrors();

    // Boxes
    void error(std::string_view text) override;
    void warning(std::string_view text) override;
    void information(std::string_view text) override;

    // Questions
    bool askYesNo(std::string_view text, Icon icon) override;
    Answer askYesNoCancel(std::string_view text, Icon icon) override;

    // Nothing to show on a terminal: the status panel and the cursor. The last status
    // text is kept, to say where a transfer stopped.
    void showStatus(std::string_view text) override { m_lastStatus = text; }
    const std::string& lastStatus() const { return m_lastStatus; }
    void hideStatus() override {}
    void setBusy(bool) override {}

private:
    void report(std::string_view text);

    std::ostream& m_err;
    bool m_strict;
    std::vector<std::string> m_errors;
    std::string m_lastStatus;
};

// A message box's text on one line: each line break becomes one space.
std::string OneLine(std::string_view text);

} // namespace lumora::cli
