#pragma once

// The submaster editor: one sub at a time, its 512 levels in a 16 x 64 grid laid out like
// the console's channel display, its name, type and times below, the page and sub
// entries and the arrows that skip empty subs. The rules live in TSubEditSession; this
// window draws the session and hands it what the user does.
//
// The main window makes it once, hidden, and opens it with exec(); it always opens on
// page 1, sub 1, so it follows Reset All Subs and Reset All by itself. The
// "&Submaster Setup" menu closes it with kNavSubList.

#include "show/EditorState.h"
#include "subs/SubEditSession.h"
#include "widgets/EditWindow.h"

#include <functional>
#include <memory>

class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;

namespace lumora {

class TCueDialogs;
class TGrid;
class TfmInputLevel2;

class TfmSubEdit final : public TEditWindow {
    Q_OBJECT

public:
    TfmSubEdit(TEditorState& state, TCueDialogs& dialogs, QWidget* parent = nullptr);
    ~TfmSubEdit() override;

    // ---- Wiring from the main window
    // The system beep (tests count them).
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }
    // File > Print: the submaster report for the sub on display (page, sub).
    void setPrint(std::function<void(int page, int sub)> print) { m_print = std::move(print); }

    // ---- Commands (menu, buttons, keys)
    void previousSub();
    void nextSub();
    void deleteSub();
    void copyLevels();
    void pasteLevels();
    void print();
    // Opening the "&Submaster Setup" menu hands over to the Submaster list.
    void toSubList();

    const TSubEditSession& session() const { return m_session; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool queryClose() override;
    int closeResult() const override { return m_result; }

private:
    class TLevelCells;

    void buildWidgets();
    QWidget* buildFields();
    void showSub(); // everything from the session
    void showFields();
    void beep();
    bool pageSubKey(QKeyEvent* key);

    void levelEdited(int row, int column, const QString& text);
    void gridClicked(int row, int column, Qt::KeyboardModifiers modifiers);
    void gridRightReleased();
    void timeLeft(QLineEdit* edit);

    TEditorState& m_state;
    TSubEditSession m_session;
    std::unique_ptr<TLevelCells> m_cells;
    std::function<void()> m_beep;
    std::function<void(int, int)> m_print;
    int m_result = QDialog::Accepted;
    bool m_checkingTime = false;

    TGrid* m_grid = nullptr;
    QLabel* m_subLabel = nullptr;
    QLineEdit* m_pageEdit = nullptr;
    QLineEdit* m_subEdit = nullptr;
    QPushButton* m_leftButton = nullptr;
    QPushButton* m_rightButton = nullptr;
    QLineEdit* m_nameEdit = nullptr;
    QComboBox* m_typeCombo = nullptr;
    QLineEdit* m_timeEdits[3] = {};
    QPushButton* m_btnClose = nullptr;
    QMenu* m_setupMenu = nullptr;
    TfmInputLevel2& m_inputLevel;
};

} // namespace lumora
