#pragma once

// The QV position editor: the 20 slots of one QV position on the left, the attributes of
// the selected slot's device on the right, with their values and fade times. The rules
// live in TQVPositionSheet; this window shows its texts and hands it what the user does.

#include "quorvel/QVPositionSheet.h"
#include "quorvel/QVWindow.h"

#include <memory>

class QLabel;
class QPushButton;
class QToolButton;

namespace lumora {

class TGrid;
class TfrmSelectQVpos;

class TfmQVPosition final : public TQvWindow {
    Q_OBJECT

public:
    explicit TfmQVPosition(TEditorState& state, QWidget* parent = nullptr);
    ~TfmQVPosition() override;

    // ---- Commands
    void goToPosition(); // the picker, then the chosen position
    void move(int delta);

    const TQVPositionSheet& sheet() const { return m_sheet; }
    TGrid& slotGrid() const { return *m_slots; }
    TGrid& attributeGrid() const { return *m_attrs; }
    TfrmSelectQVpos& picker() const { return *m_picker; }

protected:
    bool queryClose() override;
    void showEvent(QShowEvent* event) override;

private:
    class TSlotCells;
    class TAttrCells;

    void buildWidgets();
    void showPosition();
    void showAttributes();
    void slotRowChanged(int row);

    TEditorState& m_state;
    TQVPositionSheet m_sheet;
    std::unique_ptr<TSlotCells> m_slotCells;
    std::unique_ptr<TAttrCells> m_attrCells;

    TGrid* m_slots = nullptr;
    TGrid* m_attrs = nullptr;
    QLabel* m_numLabel = nullptr;
    QLabel* m_lblQVType = nullptr;
    QToolButton* m_btnLeft = nullptr;
    QToolButton* m_btnRight = nullptr;
    QPushButton* m_btnClose = nullptr;
    TfrmSelectQVpos* m_picker = nullptr;
    bool m_reverting = false;
};

} // namespace lumora
