#pragma once

// "Add Special Macro": the three special entries of a macro, Load Sub Handle (a handle
// and an effect), Run Action and Run Position, each number 0..255. The macro editor
// makes it once and adds the entry the dialog returns.

#include "macros/MacroKeyList.h"
#include "show/UserInterface.h"

#include <QDialog>

#include <cstdint>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lumora {

inline constexpr const char kMacroSpCaption[] = "Add Special Macro";

class TfmMacroSp final : public QDialog {
    Q_OBJECT

public:
    explicit TfmMacroSp(IUserInterface& ui, QWidget* parent = nullptr);

    // Load Sub Handle chosen, every entry emptied.
    int exec() override;

    // ---- The result (after OK)
    TSpecialKind kind() const { return m_kind; }
    std::uint8_t first() const { return m_first; }
    std::uint8_t second() const { return m_second; }

    // ---- Events
    void btnOkClick();

private:
    void follow();

    IUserInterface& m_ui;
    QRadioButton* m_rbSub;
    QRadioButton* m_rbAction;
    QRadioButton* m_rbPosition;
    QLineEdit* m_edtSubX;
    QLineEdit* m_edtSubY;
    QLineEdit* m_edtAction;
    QLineEdit* m_edtPosition;
    QPushButton* m_btnOk;
    QPushButton* m_btnCancel;
    TSpecialKind m_kind = TSpecialKind::LoadSubHandle;
    std::uint8_t m_first = 0;
    std::uint8_t m_second = 0;
};

} // namespace lumora
