// The editing screens and reports of the program, wired into the main window.
//
// A new screen is one line, for example:
//     windows.addScreen(TScreen::CueEditor, [](TShellContext& c, QWidget* p) { return new TfmCueEdit2(c.state,
//     c.dialogs, p); });
// A screen that must follow the Reset commands connects to TfmMain::cuesReset or
// TfmMain::effectsReset in its factory. Family screens close with done(kNav...) to
// hand over to a sibling.

#include "shell/WindowRegistry.h"

#include "shell/MainMenu.h"

#include "cues/CueEdit2.h"
#include "cues/CueList2.h"
#include "cues/Track.h"
#include "cues/printCueEditor.h"
#include "cues/printTrack.h"
#include "cues/rptCueList.h"

namespace lumora {

namespace {

// Points a screen's Help at the program's help window.
template <typename Screen> Screen* WithHelp(Screen* screen, TShellContext& context)
{
    if (IHelp* help = context.services.help)
        screen->setHelp([help](int topic) { help->showTopic(topic); });
    return screen;
}

} // namespace

TWindowRegistry EditorWindows()
{
    TWindowRegistry windows;

    // Cues
    windows.addScreen(TScreen::CueEditor, [](TShellContext& c, QWidget* p) {
        auto* editor = WithHelp(new TfmCueEdit2(c.state, c.dialogs, p), c);
        QObject::connect(&c.main, &TfmMain::cuesReset, editor, &TfmCueEdit2::clearCueEditDisplay);
        return editor;
    });
    windows.addScreen(TScreen::CueList,
                      [](TShellContext& c, QWidget* p) { return WithHelp(new TfmCueList2(c.state, c.dialogs, p), c); });
    windows.addScreen(TScreen::Track,
                      [](TShellContext& c, QWidget* p) { return WithHelp(new TfmTrack(c.state, c.dialogs, p), c); });

    // Reports
    windows.addReport(TReport::CueList, [](TShellContext& c, QWidget* p) { return new TprintCueList(c.state, p); });
    windows.addReport(TReport::CueLevels, [](TShellContext& c, QWidget* p) { return new TrptCueEditor(c.state, p); });
    windows.addReport(TReport::Track, [](TShellContext& c, QWidget* p) { return new TrptTrack(c.state, p); });

    return windows;
}

} // namespace lumora
