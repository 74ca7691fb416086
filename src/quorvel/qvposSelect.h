#pragma once

// The position picker: asks for a QV position number 1..100 to go to.

#include "show/EditorState.h"

#include <QDialog>

class QLineEdit;

namespace lumora {

class TfrmSelectQVpos final : public QDialog {
    Q_OBJECT

public:
    explicit TfrmSelectQVpos(IUserInterface& ui, QWidget* parent = nullptr);

    // The number OK closed with.
    int position() const { return m_position; }
    // OK: a number 1..100 closes the picker; anything else says so and stays.
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    IUserInterface& m_ui;
    QLineEdit* m_edtPos;
    int m_position = 0;
};

} // namespace lumora
