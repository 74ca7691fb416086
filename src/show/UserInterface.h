#pragma once

#include <string_view>

namespace lumora {

// The only way the core talks to the user. The editor implements it with message
// boxes and its status panel; tests implement it with scripted answers.
class IUserInterface {
public:
    enum class Icon { Warning, Error, Information, Confirmation };
    enum class Answer { Yes, No, Cancel };

    virtual ~IUserInterface() = default;

    // Boxes with an OK button.
    virtual void error(std::string_view text) = 0;
    virtual void warning(std::string_view text) = 0;
    virtual void information(std::string_view text) = 0;

    // Questions.
    virtual bool askYesNo(std::string_view text, Icon icon) = 0;
    virtual Answer askYesNoCancel(std::string_view text, Icon icon) = 0;

    // The status panel: show a text (and repaint at once), or hide it.
    virtual void showStatus(std::string_view text) = 0;
    virtual void hideStatus() = 0;

    // The hourglass cursor.
    virtual void setBusy(bool busy) = 0;
};

// Shows the hourglass for as long as it lives, and restores the cursor on every path.
class TBusyCursor final {
public:
    explicit TBusyCursor(IUserInterface& ui) : m_ui(ui) { m_ui.setBusy(true); }
    ~TBusyCursor() { m_ui.setBusy(false); }
    TBusyCursor(const TBusyCursor&) = delete;
    TBusyCursor& operator=(const TBusyCursor&) = delete;

private:
    IUserInterface& m_ui;
};

} // namespace lumora
