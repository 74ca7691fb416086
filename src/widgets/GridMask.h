#pragma once

// Entry masks: what a grid cell accepts while the user types into it. A key that would
// make the text impossible to complete is refused as it is typed; a text that is only a
// beginning ("12." for a time) is let through, and the window's own check judges it when
// the cell is left. Masks are plain patterns, so a point is the decimal separator
// whatever the locale.

#include <QRegularExpression>
#include <QString>
#include <QValidator>

namespace lumora {

struct TGridMask {
    QString pattern;   // a regular expression the whole text must match; empty: anything
    int maxLength = 0; // 0: no limit

    bool isNull() const { return pattern.isEmpty() && maxLength == 0; }
    friend bool operator==(const TGridMask&, const TGridMask&) = default;
};

// ---- The masks the editing windows use (each also accepts an empty cell)

TGridMask MaskLevel();   // "0", 1..99 or "100"
TGridMask MaskChannel(); // 0..512
TGridMask MaskTime();    // "#[#[#]][.#]": up to three digits, a point and one digit
TGridMask MaskMacro();   // 0..2500
TGridMask MaskText(int maxLength);

// Refuses what cannot become a text of the mask; lets beginnings through.
class TGridMaskValidator final : public QValidator {
    Q_OBJECT

public:
    explicit TGridMaskValidator(const TGridMask& mask, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;

private:
    TGridMask m_mask;
    QRegularExpression m_whole;
};

} // namespace lumora
