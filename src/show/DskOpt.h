#pragma once

// The Show Options dialog: which sections a diskette transfer or an Import takes part in.
// It is made once and reused, so its boxes keep their state from one use to the next.

#include "show/EditorState.h"
#include "show/ShowDisk.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace lumora {

inline constexpr const char* kShowOptionsCaption = "Lumora Show Options";

class TfmDskOpt final : public QDialog {
    Q_OBJECT

public:
    explicit TfmDskOpt(TEditorState& state, QWidget* parent = nullptr);

    // ---- The boxes
    TShowOptions options() const;
    void setOptions(const TShowOptions& options);

    // ---- Events
    // "&All" clicked: all seven boxes follow it, and are locked while it is checked.
    void chkAllClick();
    // OK: the presence flags from the boxes, then close with OK. Cancel leaves them alone.
    void accept() override;

private:
    TEditorState& m_state;
    QCheckBox* m_chkCues;
    QCheckBox* m_chkSubMasters;
    QCheckBox* m_chkPatches;
    QCheckBox* m_chkProfiles;
    QCheckBox* m_chkEffects;
    QCheckBox* m_chkMacros;
    QCheckBox* m_chkQuorvel;
    QCheckBox* m_chkAll;
    QPushButton* m_btnOK;
    QPushButton* m_btnCancel;
};

} // namespace lumora
