#pragma once

// A user interface for tests: answers questions from a script and records every text
// shown, so a test can check each message byte for byte. A question with no scripted
// answer fails the test.

#include "show/UserInterface.h"

#include <deque>
#include <string>
#include <vector>

namespace lumora::test {

class TRecordingUi final : public IUserInterface {
public:
    struct TShown {
        std::string kind; // "error", "warning", "information", "yesno", "yesnocancel", "status", "hide"
        std::string text;
        Icon icon = Icon::Information;
    };

    // Answers for the next questions, in order.
    void answer(Answer a) { m_answers.push_back(a); }
    void answerYes() { answer(Answer::Yes); }
    void answerNo() { answer(Answer::No); }

    const std::vector<TShown>& shown() const { return m_shown; }
    // Texts of boxes and questions only (no status lines).
    std::vector<std::string> messages() const;
    std::vector<std::string> statusTexts() const;
    bool allAnswered() const { return m_answers.empty(); }
    bool busy() const { return m_busyDepth > 0; }
    void clear() { m_shown.clear(); }

    void error(std::string_view text) override;
    void warning(std::string_view text) override;
    void information(std::string_view text) override;
    bool askYesNo(std::string_view text, Icon icon) override;
    Answer askYesNoCancel(std::string_view text, Icon icon) override;
    void showStatus(std::string_view text) override;
    void hideStatus() override;
    void setBusy(bool busy) override;

private:
    Answer next(std::string_view text);

    std::deque<Answer> m_answers;
    std::vector<TShown> m_shown;
    int m_busyDepth = 0;
};

} // namespace lumora::test
