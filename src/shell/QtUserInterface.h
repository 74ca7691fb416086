#pragma once

// The core's user interface on the desktop: questions and notices through the message
// presenter, the status panel of the main window, and the hourglass cursor.

#include "shell/Platform.h"
#include "show/UserInterface.h"

#include <QLabel>
#include <QPointer>

namespace lumora {

class TQtUserInterface final : public IUserInterface {
public:
    explicit TQtUserInterface(IMessagePresenter& presenter) : m_presenter(presenter) {}
    ~TQtUserInterface() override;

    // The panel that showStatus fills; without one status texts go nowhere.
    void setStatusPanel(QLabel* panel) { m_statusPanel = panel; }

    // ---- Boxes with an OK button
    void error(std::string_view text) override;
    void warning(std::string_view text) override;
    void information(std::string_view text) override;

    // ---- Questions
    bool askYesNo(std::string_view text, Icon icon) override;
    Answer askYesNoCancel(std::string_view text, Icon icon) override;
    // Yes, No or Later (given as Cancel; closing the box counts as Later).
    Answer askYesNoLater(std::string_view text, Icon icon);

    // ---- Status panel and cursor
    void showStatus(std::string_view text) override;
    void hideStatus() override;
    void setBusy(bool busy) override;
    bool busy() const { return m_busyDepth > 0; }

private:
    IMessagePresenter::Reply present(Icon icon, std::string_view text, IMessagePresenter::Buttons buttons);

    IMessagePresenter& m_presenter;
    QPointer<QLabel> m_statusPanel;
    int m_busyDepth = 0;
};

// Texts cross between the core (UTF-8 std::string) and Qt here.
QString ToQString(std::string_view text);

} // namespace lumora
