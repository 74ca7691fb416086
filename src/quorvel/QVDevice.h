#pragma once

// The QV device editor: the 40 QV devices in one grid, each with a name, a DMX start
// address and a QV type (typed, or chosen from the type menu on a right-click). The
// rules live in TQVDeviceSheet; this window shows its texts and hands it what the user
// does.

#include "quorvel/QVDeviceSheet.h"
#include "quorvel/QVWindow.h"

#include <functional>
#include <memory>

class QMenu;
class QPushButton;

namespace lumora {

class TGrid;

class TfmQVDevice final : public TQvWindow {
    Q_OBJECT

public:
    explicit TfmQVDevice(TEditorState& state, QWidget* parent = nullptr);
    ~TfmQVDevice() override;

    // ---- Wiring from the main window: File > Print starts the device report
    void setPrint(std::function<void()> print) { m_print = std::move(print); }
    void print();

    const TQVDeviceSheet& sheet() const { return m_sheet; }
    TGrid& grid() const { return *m_grid; }
    QMenu* typeMenu() const { return m_mnuTypes; }

protected:
    bool queryClose() override;
    void showEvent(QShowEvent* event) override;

private:
    class TCells;

    void buildWidgets();
    void refreshTypeMenu();

    TEditorState& m_state;
    TQVDeviceSheet m_sheet;
    std::unique_ptr<TCells> m_cells;
    std::function<void()> m_print;

    TGrid* m_grid = nullptr;
    QPushButton* m_btnClose = nullptr;
    QMenu* m_mnuTypes = nullptr;
};

} // namespace lumora
