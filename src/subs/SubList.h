#pragma once

// The submaster list: one page of 24 subs as a table of their names, types and times, the
// twelve page buttons, Delete Sub. The rules live in TSubListSheet; this window draws its
// texts and hands it what the user does.
//
// The main window makes it once, hidden, and opens it with exec(); every opening shows
// page 1 from the show, so it follows Reset All Subs and Reset All by itself.
// "&Editor" closes it with kNavSubEditor.

#include "show/EditorState.h"
#include "subs/SubListSheet.h"
#include "widgets/EditWindow.h"

#include <array>
#include <functional>
#include <memory>

class QPushButton;

namespace lumora {

class TGrid;

class TfmSubList final : public TEditWindow {
    Q_OBJECT

public:
    explicit TfmSubList(TEditorState& state, QWidget* parent = nullptr);
    ~TfmSubList() override;

    // ---- Wiring from the main window
    // File > Print: the submaster list report for the page on show.
    void setPrint(std::function<void(int page)> print) { m_print = std::move(print); }

    // ---- Commands (menu and buttons)
    void deleteSub();
    void print();
    void selectPage(int page);
    void toSubEditor();

    const TSubListSheet& sheet() const { return m_sheet; }

protected:
    void showEvent(QShowEvent* event) override;
    bool queryClose() override;
    int closeResult() const override { return m_result; }

private:
    class TCells;

    void buildWidgets();
    void showPage();
    void closeWith(int result);

    TEditorState& m_state;
    TSubListSheet m_sheet;
    std::unique_ptr<TCells> m_cells;
    std::function<void(int)> m_print;
    int m_result = QDialog::Rejected;

    TGrid* m_grid = nullptr;
    std::array<QPushButton*, kSubPages> m_pageButtons{};
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_btnClose = nullptr;
};

} // namespace lumora
