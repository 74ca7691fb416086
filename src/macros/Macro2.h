#pragma once

// The macro editor: the 2500 macros in a list, the key list of the macro on show, and an
// on-screen copy of the console keyboard whose buttons add keystrokes. The rules live in
// TMacroKeyList; this window shows the key list and hands it what the user does.
//
// The main window makes it once, hidden, and opens it with exec() (View > Macro, the
// toolbar button and the large button). Every opening starts at macro 1.

#include "macros/MacroKeyList.h"
#include "show/EditorState.h"
#include "widgets/EditWindow.h"

#include <QColor>

#include <functional>
#include <memory>

class QListView;
class QPushButton;
class QToolButton;

namespace lumora {

class TGrid;
class TfmMacroSp;

inline const QColor kMacroBackground{192, 208, 224};

class TfmMacro2 final : public TEditWindow {
    Q_OBJECT

public:
    explicit TfmMacro2(TEditorState& state, QWidget* parent = nullptr);
    ~TfmMacro2() override;

    // ---- Wiring from the main window
    // File > Print: the macro report for the macro on show.
    void setPrint(std::function<void(int macro)> print) { m_print = std::move(print); }

    // ---- Commands
    void keyClicked(std::uint8_t code);
    void special();
    void deleteKey();
    void clearMacro();
    void goFirst();
    void goLast();
    void goPrev();
    void goNext();
    void print();

    const TMacroKeyList& keyList() const { return m_keys; }
    TGrid& grid() const { return *m_grid; }
    TfmMacroSp& specialDialog() const { return *m_special; }

protected:
    bool queryClose() override;
    int closeResult() const override { return QDialog::Accepted; }
    void showEvent(QShowEvent* event) override;

private:
    class TMacroList;
    class TKeyCells;

    void buildWidgets();
    QWidget* buildKeyboard();
    void openMacro();
    void showKeys();
    void select(int macro);
    void listChanged(int row);
    void refreshListRow(int macro);

    TEditorState& m_state;
    TMacroKeyList m_keys;
    std::unique_ptr<TKeyCells> m_cells;
    std::function<void(int)> m_print;

    TMacroList* m_list = nullptr;
    QListView* m_lbxMacNum = nullptr;
    TGrid* m_grid = nullptr;
    TfmMacroSp* m_special = nullptr;
};

} // namespace lumora
