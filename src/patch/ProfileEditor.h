#pragma once

// The profile editor: one of the 25 profiles as a chart and as a 256-row table. The user
// draws on the chart with the left button, smooths with a right-button release, types
// Out values, sets a range of Out cells to one level (click, Shift+click, right button),
// renames and resets the profile, and moves between profiles with the tabs. The rules
// live in TProfileSheet; this window draws them and hands it what the user does.
//
// The main window makes it once, hidden, and opens it with exec(); every opening shows
// profile 1 fresh from the show.

#include "patch/ProfileSheet.h"
#include "show/EditorState.h"
#include "widgets/EditWindow.h"

#include <functional>
#include <memory>

class QPushButton;
class QTabBar;

namespace lumora {

class TGrid;
class TProfileChart;
class TfmGetProfName;
class TfmProfileLevel;

class TfmProfile final : public TEditWindow {
    Q_OBJECT

public:
    explicit TfmProfile(TEditorState& state, QWidget* parent = nullptr);
    ~TfmProfile() override;

    // ---- Wiring from the main window: File > Print opens the profile report for a profile.
    void setPrint(std::function<void(int profile)> print) { m_print = std::move(print); }

    // ---- Commands (menu and buttons)
    void renameClick();
    void resetClick();
    void printClick();

    const TProfileSheet& sheet() const { return m_sheet; }
    TProfileChart& chart() const { return *m_chart; }
    TGrid& grid() const { return *m_grid; }
    QTabBar& tabs() const { return *m_tabs; }
    TfmProfileLevel& levelDialog() const { return *m_level; }
    TfmGetProfName& renameDialog() const { return *m_rename; }

protected:
    bool queryClose() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TCells;

    void buildWidgets();
    void showProfile();
    void showChart();
    void showRange(std::optional<std::pair<int, int>> before);
    void tabChosen(int index);
    void chartPressed(Qt::MouseButton button);
    void chartMoved(QPointF position);
    void chartReleased(Qt::MouseButton button);
    void tableReleased(QMouseEvent* event);
    void askRangeLevel();

    TEditorState& m_state;
    TProfileSheet m_sheet;
    std::unique_ptr<TCells> m_cells;
    std::function<void(int)> m_print;

    QTabBar* m_tabs = nullptr;
    TProfileChart* m_chart = nullptr;
    TGrid* m_grid = nullptr;
    QPushButton* m_btnRename = nullptr;
    QPushButton* m_btnReset = nullptr;
    QPushButton* m_btnClose = nullptr;
    QPushButton* m_btnHelp = nullptr;
    TfmProfileLevel* m_level = nullptr;
    TfmGetProfName* m_rename = nullptr;
};

} // namespace lumora
