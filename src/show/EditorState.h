#pragma once

// The program-wide state that every screen and command shares: the show, its image,
// and the flags and texts around them. The program creates one and hands it on;
// tests create a fresh one each.

#include "show/Show.h"
#include "show/ShowImage.h"
#include "show/UserInterface.h"

#include <cstdint>
#include <memory>
#include <string>

namespace lumora {

inline constexpr std::size_t kMaxNotesLength = 1024;

struct TShowGlobals {
    std::uint8_t showChanged = 0; // 1 = changes not yet saved
    std::string fileName;         // full path of the show file; empty = untitled
    std::string notes;            // at most 1024 characters
    char driveLetter = 'A';       // the show diskette's drive
    std::string programFolder;    // with a trailing separator
    std::uint8_t loadedFromFile = 0;
    std::uint8_t loadedFromDiskette = 0;
    std::uint8_t newShow = 1;
    TPresenceFlags presence{};  // which sections take part in the next load or save
    std::uint8_t importing = 0; // 1 while an Import runs: notes are left alone
};

class TEditorState final {
public:
    explicit TEditorState(IUserInterface& ui)
        : m_ui(ui), m_show(std::make_unique<TShow>()), m_image(std::make_unique<TShowImage>())
    {
        m_show->ResetShow();
    }

    IUserInterface& ui() { return m_ui; }
    TShow& show() { return *m_show; }
    TShowImage& image() { return *m_image; }

    TShowGlobals globals;

    void setAllPresent() { globals.presence.fill(1); }

private:
    IUserInterface& m_ui;
    std::unique_ptr<TShow> m_show;
    std::unique_ptr<TShowImage> m_image;
};

} // namespace lumora
