#pragma once

// The About box: product name, version and ownership lines, closed with OK.

#include <QDialog>

class QLabel;

namespace lumora {

inline constexpr const char* kVersionText = "V 0.1";

class TfmAbout final : public QDialog {
    Q_OBJECT

public:
    explicit TfmAbout(QWidget* parent = nullptr);

    QLabel* lblVersion() const { return m_lblVersion; }

private:
    QLabel* m_lblVersion;
};

} // namespace lumora
