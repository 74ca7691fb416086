#pragma once

// The patch editor: the 1024 dimmers of one patch page in a grid (channel, level,
// non-dim, profile, park), the page choice, Unity and Clear, and the Set Patch dialog
// for many selected rows at once (right button over the grid). The rules live in
// TPatchSheet; this window draws its rows and hands it what the user does.
//
// The main window makes it once, hidden, and opens it with exec(); every opening shows
// page 1 fresh from the show.

#include "patch/PatchSheet.h"
#include "show/EditorState.h"
#include "widgets/EditWindow.h"

#include <memory>

class QButtonGroup;
class QPushButton;
class QRadioButton;

namespace lumora {

class TGrid;
class TfmInputPatch;

class TfmPatch final : public TEditWindow {
    Q_OBJECT

public:
    explicit TfmPatch(TEditorState& state, QWidget* parent = nullptr);
    ~TfmPatch() override;

    // ---- Commands (menu and buttons)
    void unityClick();
    void clearClick();
    // The Set Patch dialog over the selected rows (a beep when none is selected).
    void setPatch();

    const TPatchSheet& sheet() const { return m_sheet; }
    TGrid& grid() const { return *m_grid; }
    TfmInputPatch& inputPatch() const { return *m_inputPatch; }

protected:
    bool queryClose() override;
    void showEvent(QShowEvent* event) override;

private:
    class TCells;

    void buildWidgets();
    void showPage();
    void pageClicked(int page);

    TEditorState& m_state;
    TPatchSheet m_sheet;
    std::unique_ptr<TCells> m_cells;

    TGrid* m_grid = nullptr;
    QButtonGroup* m_pages = nullptr;
    QRadioButton* m_rbPage1 = nullptr;
    QRadioButton* m_rbPage2 = nullptr;
    QPushButton* m_unityButton = nullptr;
    QPushButton* m_clearButton = nullptr;
    QPushButton* m_bitBtn1 = nullptr;
    TfmInputPatch* m_inputPatch = nullptr;
};

} // namespace lumora
