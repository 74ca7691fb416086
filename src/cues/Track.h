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

#include <QColor>
#include <QDialog>

#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QPushButton;

namespace lumora {

class TGrid;
class TfmInputLevel2;
class TfmInsertQ;

inline const QColor kTrackLevelColour{192, 208, 224};
inline const QColor kTrackSelectedColour{80, 112, 160};

class TfmTrack final : public QDialog {
    Q_OBJECT

public:
    explicit TfmTrack(TEditorState& state, QWidget* parent = nullptr);
    ~TfmTrack() override;

    // ---- Wiring from the main window
    // Help > topic 140; without it the Help command does nothing.
    void setHelp(std::function<void(int topic)> help) { m_help = std::move(help); }
    // The system beep (tests count them).
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    // ---- Commands (menu and buttons)
    void insertCue();
    void deleteCue();
    // Close button, File > Close, the close box and Esc: asks about pending changes.
    void reject() override;

    const TTrackSheet& sheet() const { return m_sheet; }
    TGrid& grid() const { return *m_grid; }

protected:
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
    std::function<void(int)> m_help;
    std::function<void()> m_beep;

    TGrid* m_grid = nullptr;
    QCheckBox* m_cueCheckBox = nullptr;
    QPushButton* m_insertButton = nullptr;
    QPushButton* m_btnDelete = nullptr;
    QPushButton* m_btnClose = nullptr;
    QAction* m_mnuInsert = nullptr;
    QAction* m_mnuDelete = nullptr;
    TfmInsertQ* m_insertQ = nullptr;
    TfmInputLevel2* m_inputLevel = nullptr;
};

} // namespace lumora
