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
#include "effects/EffectWindow.h"
#include "effects/rptEffect.h"
#include "macros/Macro2.h"
#include "macros/printMacros4.h"
#include "patch/PatchEditor.h"
#include "patch/ProfileEditor.h"
#include "patch/printPatch.h"
#include "patch/printProfiles.h"
#include "subs/SubEdit.h"
#include "subs/SubList.h"
#include "subs/rptSubList.h"
#include "subs/rptSubs.h"
#include "quorvel/QVDevice.h"
#include "quorvel/QVType.h"
#include "quorvel/printQVPos.h"
#include "quorvel/qvAction.h"
#include "quorvel/qvPosition.h"
#include "quorvel/rptAction.h"
#include "quorvel/rptQvType.h"

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

    // Effects and macros: their Print opens the report on the item on show.
    windows.addScreen(TScreen::Effect, [](TShellContext& c, QWidget* p) {
        auto* editor = WithHelp(new TfmEffect(c.state, c.dialogs, p), c);
        editor->setPrint([&main = c.main](int effect) {
            if (auto* report = qobject_cast<TrptEffect*>(main.report(TReport::Effects)))
                report->openForCurrent(effect);
        });
        QObject::connect(&c.main, &TfmMain::effectsReset, editor, &TfmEffect::effectsReset);
        return editor;
    });
    windows.addScreen(TScreen::Macro, [](TShellContext& c, QWidget* p) {
        auto* editor = WithHelp(new TfmMacro2(c.state, p), c);
        editor->setPrint([&main = c.main](int macro) {
            if (auto* report = qobject_cast<TprintMacros4*>(main.report(TReport::Macros)))
                report->openForCurrent(macro);
        });
        return editor;
    });
    // Patch and profiles
    windows.addScreen(TScreen::Patch,
                      [](TShellContext& c, QWidget* p) { return WithHelp(new TfmPatch(c.state, p), c); });
    windows.addScreen(TScreen::Profile, [](TShellContext& c, QWidget* p) {
        auto* editor = WithHelp(new TfmProfile(c.state, p), c);
        editor->setPrint([main = &c.main](int profile) {
            if (auto* report = qobject_cast<TrptProfiles*>(main->report(TReport::Profiles)))
                report->openForCurrent(profile);
        });
        return editor;
    });
    windows.addReport(TReport::Patches, [](TShellContext& c, QWidget* p) { return new TprintPatchesfrm(c.state, p); });
    windows.addReport(TReport::Profiles, [](TShellContext& c, QWidget* p) { return new TrptProfiles(c.state, p); });

    // Submasters: the editor and the list hand over to each other; their Print opens the
    // report dialog for the sub or page on show.
    windows.addScreen(TScreen::SubEditor, [](TShellContext& c, QWidget* p) {
        auto* editor = WithHelp(new TfmSubEdit(c.state, c.dialogs, p), c);
        editor->setPrint([&main = c.main](int page, int sub) {
            if (auto* report = qobject_cast<TrptSubs*>(main.report(TReport::Subs)))
                report->openForCurrent(page, sub);
        });
        return editor;
    });
    windows.addScreen(TScreen::SubList, [](TShellContext& c, QWidget* p) {
        auto* list = WithHelp(new TfmSubList(c.state, p), c);
        list->setPrint([&main = c.main](int page) {
            if (auto* report = qobject_cast<TrptSubList*>(main.report(TReport::SubList)))
                report->openForCurrent(page);
        });
        return list;
    });

    // Quorvel: the editors' File > Print reach their report through the main window.
    windows.addScreen(TScreen::QvType, [](TShellContext& c, QWidget* p) {
        auto* w = WithHelp(new TfmQVType(c.state, c.services.dialogs, c.services.showsFolder, p), c);
        w->setPrint([&c](int type) {
            if (auto* r = qobject_cast<TprintQvType*>(c.main.report(TReport::QvType)))
                r->openForCurrent(type);
        });
        return w;
    });
    windows.addScreen(TScreen::QvDevice, [](TShellContext& c, QWidget* p) {
        auto* w = WithHelp(new TfmQVDevice(c.state, p), c);
        w->setPrint([&c] { c.main.printReport(TReport::QvDevice); });
        return w;
    });
    windows.addScreen(TScreen::QvAction, [](TShellContext& c, QWidget* p) {
        auto* w = WithHelp(new TfmQVAction(c.state, p), c);
        w->setPrint([&c](int action) {
            if (auto* r = qobject_cast<TprintQVAction*>(c.main.report(TReport::QvAction)))
                r->openForCurrent(action);
        });
        return w;
    });
    windows.addScreen(TScreen::QvPosition,
                      [](TShellContext& c, QWidget* p) { return WithHelp(new TfmQVPosition(c.state, p), c); });

    // Reports
    windows.addReport(TReport::CueList, [](TShellContext& c, QWidget* p) { return new TprintCueList(c.state, p); });
    windows.addReport(TReport::CueLevels, [](TShellContext& c, QWidget* p) { return new TrptCueEditor(c.state, p); });
    windows.addReport(TReport::Track, [](TShellContext& c, QWidget* p) { return new TrptTrack(c.state, p); });
    windows.addReport(TReport::Effects, [](TShellContext& c, QWidget* p) { return new TrptEffect(c.state, p); });
    windows.addReport(TReport::Macros, [](TShellContext& c, QWidget* p) { return new TprintMacros4(c.state, p); });
    windows.addReport(TReport::Subs, [](TShellContext& c, QWidget* p) { return new TrptSubs(c.state, p); });
    windows.addReport(TReport::SubList, [](TShellContext& c, QWidget* p) { return new TrptSubList(c.state, p); });

    windows.addReport(TReport::QvType, [](TShellContext& c, QWidget* p) { return new TprintQvType(c.state, p); });
    windows.addReport(TReport::QvDevice, [](TShellContext& c, QWidget* p) { return new TprintQVDevice(c.state, p); });
    windows.addReport(TReport::QvAction, [](TShellContext& c, QWidget* p) { return new TprintQVAction(c.state, p); });
    windows.addReport(TReport::QvPosition, [](TShellContext& c, QWidget* p) { return new TrptQVPos(c.state, p); });

    return windows;
}

} // namespace lumora
