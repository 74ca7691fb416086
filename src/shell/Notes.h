#pragma once

// The Notes window: free text kept with the show (the show file's notes block).

#include "show/EditorState.h"

#include <QDialog>

class QPlainTextEdit;
class QPushButton;

namespace lumora {

inline constexpr const char* kMsgKeepChanges = "Do you want to keep the changes you have made?";

class TfmNotes final : public QDialog {
    Q_OBJECT

public:
    explicit TfmNotes(TEditorState& state, QWidget* parent = nullptr);

    // ---- State
    bool changed() const { return m_changed; }

    // ---- Closing (Close button, close box, Escape): a changed text asks first
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void memoChanged();

    TEditorState& m_state;
    QPlainTextEdit* m_memo;
    QPushButton* m_btnClose;
    bool m_changed = false;
    bool m_loading = false;
};

// ---- The notes text between the show (lines end in CR LF, one byte a character, at
// most 1,024 bytes, as the console's notes block holds them) and the text box.
QString NotesToText(const std::string& notes);
std::string TextToNotes(const QString& text);
// Bytes a text takes as notes.
qsizetype NotesLength(const QString& text);

} // namespace lumora
