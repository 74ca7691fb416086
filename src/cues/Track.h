#pragma once

// The tracking editor: the whole show as one sheet, a row per cue and a column per
// channel after the cue number and type, which stay in view when the sheet scrolls
// sideways. The rules live in TTrackSheet; this window draws the sheet and hands it what
// the user does, redrawing only what a change can have touched (one channel from the
// changed cue down, one row, or everything after an insert or delete).
//
// The main window makes it once, hidden, and opens it with exec() (View > Track, the
// toolbar button and the large button). It shows "Loading Track Screen - Please Wait ..."
// before exec(); the window hides that line through the user interface once the sheet is
// filled.

#include "cues/TrackSheet.h"
#include "show/EditorState.h"
#include "widgets/EditWindow.h"

#include <QColor>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QPushButton;

namespace lumora {

class TCueDialogs;
class TGrid;
class TfmInputLevel2;
class TfmInsertQ;

inline const QColor kTrackLevelColour{192, 208, 224};
inline const QColor kTrackSelectedColour{80, 112, 160};

class TfmTrack final : public TEditWindow {
    Q_OBJECT

public:
    TfmTrack(TEditorState& state, TCueDialogs& dialogs, QWidget* parent = nullptr);
    ~TfmTrack() override;

    // ---- Wiring from the main window
    // The system beep (tests count them).
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    // ---- Commands (menu and buttons)
    void insertCue();
    void deleteCue();

    const TTrackSheet& sheet() const { return m_sheet; }
    TGrid& grid() const { return *m_grid; }

protected:
    // Close button, File > Close, the close box and Esc: asks about pending changes.
    bool queryClose() override;
    // Every opening fills the sheet from the show's cue list.
    void showEvent(QShowEvent* event) override;

private:
    class TCells;
    class TLevelPainter;

    void buildWidgets();
    void openSheet();
    void fillSheet();
    void showEnabled();
    void beep();

    void levelEdited(int row, int column, const QString& text);
    void typeChosen(int row, int column, int item, const QString& text);
    void gridClicked(int row, int column, Qt::KeyboardModifiers modifiers);
    void gridRightReleased();
    // Redraws the cells of one cue's channels start..end (a highlight that came or went).
    void redrawRange(int cue, int start, int end);

    TEditorState& m_state;
    TTrackSheet m_sheet;
    std::unique_ptr<TCells> m_cells;
    std::function<void()> m_beep;

    TGrid* m_grid = nullptr;
    QCheckBox* m_cueCheckBox = nullptr;
    QPushButton* m_insertButton = nullptr;
    QPushButton* m_btnDelete = nullptr;
    QPushButton* m_btnClose = nullptr;
    QAction* m_mnuInsert = nullptr;
    QAction* m_mnuDelete = nullptr;
    TfmInsertQ& m_insertQ;
    TfmInputLevel2& m_inputLevel;
};

} // namespace lumora
