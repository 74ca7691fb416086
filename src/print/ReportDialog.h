#pragma once

// What every report dialog of the program has in common: it is made once by the main
// window and opened from the Print menu with its default selection; its choices (choice
// buttons, number entries, the channel limit) are checked by the report's own rules in
// the core; Print writes the report's data file and previews the report, Close closes.
// The dialog adds its own controls and rules.

#include "print/ReportFiles.h"
#include "show/EditorState.h"
#include "widgets/ReportData.h"
#include "widgets/ReportLayout.h"

#include <QDialog>

#include <functional>
#include <string>

class QButtonGroup;
class QCheckBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lumora {

// "Print channels up through" with its check box and number box, in one line; the box
// and its label are usable only while the check box is checked.
struct TChannelChoice {
    QCheckBox* cbChan;
    QLabel* lblChan;
    QLineEdit* edtChan;
    QHBoxLayout* line;
};

class TReportDialog : public QDialog {
    Q_OBJECT

public:
    // The Print menu's entry: the default selection, then the dialog, modally.
    int exec() override;

    // ---- Events
    // Checks the choices, writes the data file and previews the report.
    virtual TReportOutcome btnPrintClick() = 0;

protected:
    // folder: where the data file goes (the editor's report folder when nullptr).
    TReportDialog(TEditorState& state, QWidget* parent, IReportFolder* folder, const char* objectName,
                  const char* title);

    // Sets the controls to the selection the dialog starts from on every opening.
    virtual void setDefaultSelection() {}

    // ---- Parts
    // A choice button of the dialog's one group of choices.
    QRadioButton* addChoice(const char* name, const QString& text);
    // A number entry; label, when given, is its caption and names it for a screen reader.
    QLineEdit* addEntry(const char* name, QLabel* label = nullptr, int width = 60);
    // The channel limit: checked and channels as it starts.
    TChannelChoice addChannelChoice(bool checked, const QString& channels);
    // Print (the default) and Close, in one line: Print calls btnPrintClick, Close
    // closes.
    QHBoxLayout* addButtons();

    // ---- The write-then-preview step
    // write makes the data file at path (an empty path when the report folder cannot be
    // had: the write then fails); a refusal or a failed write stops, a written file is
    // read, laid out with layout and previewed. An error the write raises is shown as the
    // general error handler shows it, and counts as a refusal.
    TReportOutcome writeThenPreview(const char* fileName,
                                    const std::function<TReportOutcome(const std::string&)>& write,
                                    TReportDataSource source, const TReportLayout& layout, const QString& title);

    TEditorState& m_state;
    IReportFolder* m_folder;
    QButtonGroup* m_choices = nullptr;
    QPushButton* m_btnPrint = nullptr;
    QPushButton* m_btnClose = nullptr;
};

} // namespace lumora
