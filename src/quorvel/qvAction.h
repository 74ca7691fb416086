#pragma once

// The QV action editor: the 100 QV actions in a list (loops and Single Step) and the 20
// steps of the current action beside it. The rules live in TQVActionSheet; this window
// shows its texts and hands it what the user does.

#include "quorvel/QVActionSheet.h"
#include "quorvel/QVWindow.h"

#include <functional>
#include <memory>

class QLabel;
class QPushButton;

namespace lumora {

class TGrid;

class TfmQVAction final : public TQvWindow {
    Q_OBJECT

public:
    explicit TfmQVAction(TEditorState& state, QWidget* parent = nullptr);
    ~TfmQVAction() override;

    // ---- Wiring from the main window: File > Print opens the action report for an action
    void setPrint(std::function<void(int action)> print) { m_print = std::move(print); }
    void print();

    const TQVActionSheet& sheet() const { return m_sheet; }
    TGrid& list() const { return *m_list; }
    TGrid& steps() const { return *m_steps; }

protected:
    bool queryClose() override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    class TListCells;
    class TStepCells;

    void buildWidgets();
    void showAction();
    void listRowChanged(int row);

    TEditorState& m_state;
    TQVActionSheet m_sheet;
    std::unique_ptr<TListCells> m_listCells;
    std::unique_ptr<TStepCells> m_stepCells;
    std::function<void(int)> m_print;

    TGrid* m_list = nullptr;
    TGrid* m_steps = nullptr;
    QLabel* m_lblAction = nullptr;
    QPushButton* m_btnClose = nullptr;
};

} // namespace lumora
