#include "support/RecordingUi.h"

#include <gtest/gtest.h>

namespace lumora::test {

std::vector<std::string> TRecordingUi::messages() const
{
    std::vector<std::string> texts;
    for (const auto& s : m_shown)
        if (s.kind != "status" && s.kind != "hide")
            texts.push_back(s.text);
    return texts;
}

std::vector<std::string> TRecordingUi::statusTexts() const
{
    std::vector<std::string> texts;
    for (const auto& s : m_shown)
        if (s.kind == "status")
            texts.push_back(s.text);
    return texts;
}

void TRecordingUi::error(std::string_view text)
{
    m_shown.push_back({"error", std::string(text), Icon::Error});
}
void TRecordingUi::warning(std::string_view text)
{
    m_shown.push_back({"warning", std::string(text), Icon::Warning});
}
void TRecordingUi::information(std::string_view text)
{
    m_shown.push_back({"information", std::string(text), Icon::Information});
}

TRecordingUi::Answer TRecordingUi::next(std::string_view text)
{
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text;
        return Answer::Cancel;
    }
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

bool TRecordingUi::askYesNo(std::string_view text, Icon icon)
{
    m_shown.push_back({"yesno", std::string(text), icon});
    return next(text) == Answer::Yes;
}

TRecordingUi::Answer TRecordingUi::askYesNoCancel(std::string_view text, Icon icon)
{
    m_shown.push_back({"yesnocancel", std::string(text), icon});
    return next(text);
}

void TRecordingUi::showStatus(std::string_view text)
{
    m_shown.push_back({"status", std::string(text)});
}
void TRecordingUi::hideStatus()
{
    m_shown.push_back({"hide", {}});
}
void TRecordingUi::setBusy(bool busy)
{
    m_busyDepth += busy ? 1 : -1;
}

} // namespace lumora::test
