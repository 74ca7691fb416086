#pragma once

// "Rename Profile": a new name of at most 16 characters (it may be empty).

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace lumora {

class TfmGetProfName final : public QDialog {
    Q_OBJECT

public:
    explicit TfmGetProfName(QWidget* parent = nullptr);

    // True only after OK.
    bool result() const { return m_result; }
    QString name() const;
    QLineEdit* edit1() const { return m_edit1; }

    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* m_edit1 = nullptr;
    QPushButton* m_btOK = nullptr;
    QPushButton* m_btnCancel = nullptr;
    bool m_result = false;
};

} // namespace lumora
