#pragma once

// The Copy Range dialog of the cue list screen: the number at which the copied cues
// start. It only collects and checks; the caller copies.

#include "show/UserInterface.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace lumora {

inline constexpr const char kCopyRangeCaption[] = "Copy Range";
inline constexpr const char kMsgCueNumberRange[] = "The Cue number must be a valid number from 0.1 to 999.9";

class TfmCopyRange final : public QDialog {
    Q_OBJECT

public:
    explicit TfmCopyRange(IUserInterface& ui, QWidget* parent = nullptr);

    // ---- Result: act only when accepted() after the dialog closed with OK
    int cueNumber() const { return m_number; } // tenths 1..9999; -1 when none
    bool accepted() const { return m_accepted; }

    // ---- Events
    // A click on OK closes with OK even when the number is refused (after the message):
    // accepted() then stays false.
    void okClick();
    // Enter: the same check, but a refused number keeps the dialog open.
    void enterPressed();
    void reject() override; // Cancel or Esc: no number

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool take(); // the check; true when the number was accepted

    IUserInterface& m_ui;
    QLineEdit* m_edit1;
    QPushButton* m_btnOK;
    QPushButton* m_btnCancel;
    int m_number = -1;
    bool m_accepted = false;
};

} // namespace lumora
