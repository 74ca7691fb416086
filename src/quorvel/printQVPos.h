#pragma once

// The QV position report dialog ("QV Position"): one position by number.

#include "print/ReportDialog.h"
#include "quorvel/QVReportLayouts.h"

class QLineEdit;

namespace lumora {

inline constexpr const char kQvPositionPrompt[] = "Please enter a Position # (1-100)";

class TrptQVPos final : public TReportDialog {
    Q_OBJECT

public:
    explicit TrptQVPos(TEditorState& state, QWidget* parent = nullptr, IReportFolder* folder = nullptr);
    TReportOutcome btnPrintClick() override;

private:
    QLineEdit* m_edtFrom;
};

} // namespace lumora
