#pragma once

// A user interface for benchmarks: shows nothing and answers every question No, so a
// measured step never waits on a box.

#include "show/UserInterface.h"

namespace lumora::bench {

class TQuietUi final : public IUserInterface {
public:
    void error(std::string_view) override {}
    void warning(std::string_view) override {}
    void information(std::string_view) override {}
    bool askYesNo(std::string_view, Icon) override { return false; }
    Answer askYesNoCancel(std::string_view, Icon) override { return Answer::No; }
    void showStatus(std::string_view) override {}
    void hideStatus() override {}
    void setBusy(bool) override {}
};

} // namespace lumora::bench
