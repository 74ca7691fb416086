#pragma once

// The Insert Cue dialog: the number and type of a new cue, for the cue editor, the cue
// list screen and the tracking editor. It only collects and checks; the caller inserts.
// Made once and reused: the type box keeps its last choice.

#include "show/UserInterface.h"

#include <QDialog>

#include <cstdint>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace lumora {

inline constexpr const char kInsertCueCaption[] = "Insert Cue";
inline constexpr const char kMsgCueRange[] = "Please enter a Cue between 0.1 and 999.9";

class TfmInsertQ final : public QDialog {
    Q_OBJECT

public:
    explicit TfmInsertQ(IUserInterface& ui, QWidget* parent = nullptr);

    // ---- Result, after the dialog closed with OK
    int cueNumber() const { return m_number; } // tenths 1..9999; -1 until a number is accepted
    std::uint8_t cueType() const { return m_type; }

    // ---- Events
    // OK or Enter: a number 0.1 .. 999.9 with at most one decimal, else the cue-range
    // message and the dialog stays open.
    void accept() override;

protected:
    // Every opening starts with an empty, focused number box.
    void showEvent(QShowEvent* event) override;

private:
    IUserInterface& m_ui;
    QLineEdit* m_edtCueNo;
    QComboBox* m_comboBox1;
    QPushButton* m_btnOK;
    QPushButton* m_btnCancel;
    int m_number = -1;
    std::uint8_t m_type = 0;
};

} // namespace lumora
