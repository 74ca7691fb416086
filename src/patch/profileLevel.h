#pragma once

// "Enter Profile Level": one level 0..255 for a range of the profile editor's table.

#include "show/UserInterface.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace lumora {

class TfmProfileLevel final : public QDialog {
    Q_OBJECT

public:
    explicit TfmProfileLevel(IUserInterface& ui, QWidget* parent = nullptr);

    // The level entered; valid after OK.
    int level() const { return m_level; }
    QLineEdit* edtLevel() const { return m_edtLevel; }

    void accept() override; // OK: a whole number 0..255, else its message and the dialog stays

protected:
    void showEvent(QShowEvent* event) override;

private:
    IUserInterface& m_ui;
    QLineEdit* m_edtLevel = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;
    int m_level = 0;
};

} // namespace lumora
