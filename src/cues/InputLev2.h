#pragma once

// The Set Channel Levels dialog: one level, or none, for a range of channels. Used by
// the cue editor and the tracking editor, and by the submaster and effect editors. It
// only collects and checks; the caller sets the channels. Made once and reused: the
// choice between a level and "Null Channels" is kept.

#include "show/UserInterface.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lumora {

inline constexpr const char kSetChannelLevelsCaption[] = "Set Channel Levels";
inline constexpr const char kMsgLevelRange[] = "The level must be a number between 0 and 100";

class TfmInputLevel2 final : public QDialog {
    Q_OBJECT

public:
    explicit TfmInputLevel2(IUserInterface& ui, QWidget* parent = nullptr);

    // ---- Result, after the dialog closed with OK
    int level() const { return m_level; } // percent 0..100, or -1: empty the channels

    // ---- Events
    // Apply or Enter: with "Level (0..100)" a whole number 0..100, else the level-range
    // message and the dialog stays open; with "Null Channels" always -1.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    IUserInterface& m_ui;
    QRadioButton* m_rbLevel;
    QRadioButton* m_rbNull;
    QLineEdit* m_edit1;
    QPushButton* m_btnApply;
    QPushButton* m_btnCancel;
    int m_level = -1;
};

} // namespace lumora
