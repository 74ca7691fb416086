#pragma once

// The cue list screen: every cue as a row of its fields (number, name, type, the four
// times, link and macro), so that many cues can be edited at once; Insert, Delete and
// Copy Range. The rules live in TCueListSheet; this window draws its texts and hands it
// what the user does.
//
// The main window makes it once, hidden, and opens it with exec() (View > Cue List, the
// toolbar button and the large button). Made once, it keeps Cue Only Mode from one
// opening to the next.

#include "cues/CueListSheet.h"
#include "show/EditorState.h"
#include "widgets/EditWindow.h"

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QPushButton;

namespace lumora {

class TCueDialogs;
class TGrid;
class TfmCopyRange;
class TfmInsertQ;

class TfmCueList2 final : public TEditWindow {
    Q_OBJECT

public:
    TfmCueList2(TEditorState& state, TCueDialogs& dialogs, QWidget* parent = nullptr);
    ~TfmCueList2() override;

    // ---- Wiring from the main window

    // ---- Commands (menu and buttons)
    void insertCue();
    void deleteCue();
    void copyRange();

    const TCueListSheet& sheet() const { return m_sheet; }
    TGrid& grid() const { return *m_grid; }

protected:
    // Close button, File > Close, the close box and Esc: asks about pending changes.
    bool queryClose() override;
    // Every opening fills the grid from the show's cue list.
    void showEvent(QShowEvent* event) override;

private:
    class TCells;

    void buildWidgets();
    void fillGrid();
    void showEnabled();
    void showCurrentRow();

    void cellTyping(int row, int column);
    void cellEdited(int row, int column, const QString& text);
    void typeChosen(int row, int column, int item, const QString& text);

    TEditorState& m_state;
    TCueListSheet m_sheet;
    std::unique_ptr<TCells> m_cells;

    TGrid* m_grid = nullptr;
    QCheckBox* m_cbCueOnly = nullptr;
    QPushButton* m_btnInsert = nullptr;
    QPushButton* m_btnDelete = nullptr;
    QPushButton* m_btnCopyRange = nullptr;
    QPushButton* m_btnClose = nullptr;
    QAction* m_mnuDelete = nullptr;
    QAction* m_mnuCopyRange = nullptr;
    TfmInsertQ& m_insertQ;
    TfmCopyRange& m_copyRange;
};

} // namespace lumora
