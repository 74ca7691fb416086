#pragma once

// The cue editor: one cue at a time, its 512 levels in a 16 x 64 grid laid out like the
// console's channel display, its name, type, times, link and macro below, the list of
// cues beside it. The rules live in TCueEditSession; this window draws the session and
// hands it what the user does.
//
// The main window makes it once, hidden, and opens it with exec() (View > Cue Editor,
// the toolbar button and the large button); after Reset Cues and Reset All it calls
// clearCueEditDisplay().

#include "cues/CueEditSession.h"
#include "show/EditorState.h"
#include "widgets/EditWindow.h"

#include <QColor>

#include <array>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace lumora {

class TCueDialogs;
class TGrid;
class TfmInputLevel2;
class TfmInsertQ;

inline constexpr const char kCueEditorCaption[] = "Cue Editor";
inline constexpr int kCueEditorHelpTopic = 10;

inline const QColor kChannelRowColour{32, 192, 192};
inline const QColor kLevelRowColour{192, 208, 224};
inline const QColor kSelectedChannelColour{80, 112, 160};

class TfmCueEdit2 final : public TEditWindow {
    Q_OBJECT

public:
    TfmCueEdit2(TEditorState& state, TCueDialogs& dialogs, QWidget* parent = nullptr);
    ~TfmCueEdit2() override;

    // ---- Wiring from the main window
    // Empties the edit boxes and every level cell; the next opening fills them again.
    void clearCueEditDisplay();
    // The system beep (tests count them).
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    // ---- Commands (menu, buttons, keys)
    void insertCue();
    void deleteCue();
    void copyLevels();
    void pasteLevels();
    void previousCue();
    void nextCue();

    const TCueEditSession& session() const { return m_session; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Asks about pending changes; a refused keep stays on the cue.
    bool queryClose() override;
    int closeResult() const override { return QDialog::Accepted; }

private:
    class TLevelCells;

    void buildWidgets();
    void openEditor();
    void askInsertWhileEmpty();
    void runInsert();
    void showCue(); // everything from the session
    void showFields();
    void showEnabled();
    void showCueList();
    void beep();

    void levelTyping(int row, int column, const QString& text);
    void levelEdited(int row, int column, const QString& text);
    void gridClicked(int row, int column, Qt::KeyboardModifiers modifiers);
    void gridRightReleased();
    void listPicked(int row);
    void typeChosen(const QString& text);
    QLineEdit* fieldEdit(TCueField field) const { return m_fieldEdits[static_cast<int>(field)]; }

    TEditorState& m_state;
    TCueEditSession m_session;
    std::unique_ptr<TLevelCells> m_cells;
    std::function<void()> m_beep;
    bool m_checkingField = false;

    TGrid* m_grid = nullptr;
    std::array<QLineEdit*, kCueFieldCount> m_fieldEdits{};
    QComboBox* m_typeCombo = nullptr;
    QListWidget* m_listBox = nullptr;
    QLabel* m_cueLabel = nullptr;
    QPushButton* m_leftButton = nullptr;
    QPushButton* m_rightButton = nullptr;
    QCheckBox* m_cueCheckBox = nullptr;
    QPushButton* m_btnClose = nullptr;
    QAction* m_mnuInsert = nullptr;
    QAction* m_mnuDelete = nullptr;
    QAction* m_mnuCopy = nullptr;
    QAction* m_mnuPaste = nullptr;
    TfmInsertQ& m_insertQ;
    TfmInputLevel2& m_inputLevel;
};

} // namespace lumora
