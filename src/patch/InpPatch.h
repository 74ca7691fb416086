#pragma once

// The "Set Patch" dialog: a row of values (Channel, Level, Nondim, Profile, Park), a row
// of boxes saying which of them are applied, and "Increment Channel #'s?". The patch
// editor writes the applied values into its selected rows after OK. The rules of both
// rows live in TSetPatchValues; the values stay from one use to the next.

#include "patch/PatchSheet.h"
#include "show/UserInterface.h"

#include <QDialog>

#include <memory>

class QCheckBox;
class QPushButton;

namespace lumora {

class TGrid;

inline constexpr const char kSetPatchValuesLabel[] = "Enter values for the selected Patch(s):";
inline constexpr const char kSetPatchApplyLabel[] = "Checked fields will be applied:";
inline constexpr const char kSetPatchIncrement[] = "Increment Channel #'s?";

class TfmInputPatch final : public QDialog {
    Q_OBJECT

public:
    TfmInputPatch(IUserInterface& ui, QWidget* parent = nullptr);
    ~TfmInputPatch() override;

    // True only after OK.
    bool result() const { return m_result; }
    const TSetPatchValues& values() const { return m_values; }

    TGrid& valueGrid() const { return *m_grid1; }
    TGrid& applyGrid() const { return *m_grid2; }

    void accept() override; // OK: checks the applied values first

protected:
    void showEvent(QShowEvent* event) override;

private:
    class TValueCells;
    class TApplyCells;

    IUserInterface& m_ui;
    TSetPatchValues m_values;
    std::unique_ptr<TValueCells> m_valueCells;
    std::unique_ptr<TApplyCells> m_applyCells;
    TGrid* m_grid1 = nullptr;
    TGrid* m_grid2 = nullptr;
    QCheckBox* m_incCheckBox = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;
    bool m_result = false;
};

} // namespace lumora
