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

#include <QDialog>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QPushButton;

namespace lumora {

class TGrid;
class TfmCopyRange;
class TfmInsertQ;

class TfmCueList2 final : public QDialog {
    Q_OBJECT

public:
    explicit TfmCueList2(TEditorState& state, QWidget* parent = nullptr);
    ~TfmCueList2() override;

    // ---- Wiring from the main window
    // Help > topic 110; without it the Help command does nothing.
    void setHelp(std::function<void(int topic)> help) { m_help = std::move(help); }

    // ---- Commands (menu and buttons)
    void insertCue();
    void deleteCue();
    void copyRange();
    // Close button, File > Close, the close box and Esc: asks about pending changes.
    void reject() override;

    const TCueListSheet& sheet() const { return m_sheet; }
    TGrid& grid() const { return *m_grid; }

protected:
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
    std::function<void(int)> m_help;

    TGrid* m_grid = nullptr;
    QCheckBox* m_cbCueOnly = nullptr;
    QPushButton* m_btnInsert = nullptr;
    QPushButton* m_btnDelete = nullptr;
    QPushButton* m_btnCopyRange = nullptr;
    QPushButton* m_btnClose = nullptr;
    QAction* m_mnuDelete = nullptr;
    QAction* m_mnuCopyRange = nullptr;
    TfmInsertQ* m_insertQ = nullptr;
    TfmCopyRange* m_copyRange = nullptr;
};

} // namespace lumora
