#include "widgets/GridMask.h"

#include <QRegularExpression>

namespace lumora {

TGridMask MaskLevel()
{
    return {QStringLiteral("0|[1-9][0-9]?|100"), 3};
}
TGridMask MaskChannel()
{
    return {QStringLiteral("0|[1-9][0-9]?|[1-4][0-9][0-9]|50[0-9]|51[0-2]"), 3};
}
TGridMask MaskTime()
{
    return {QStringLiteral("[0-9]{1,3}(\\.[0-9])?"), 5};
}
TGridMask MaskMacro()
{
    return {QStringLiteral("0|[1-9][0-9]{0,2}|1[0-9]{3}|2[0-4][0-9]{2}|2500"), 4};
}
TGridMask MaskText(int maxLength)
{
    return {QString(), maxLength};
}

TGridMaskValidator::TGridMaskValidator(const TGridMask& mask, QObject* parent)
    : QValidator(parent), m_mask(mask),
      m_whole(mask.pattern.isEmpty() ? QRegularExpression()
                                     : QRegularExpression(QRegularExpression::anchoredPattern(mask.pattern)))
{
}

QValidator::State TGridMaskValidator::validate(QString& input, int&) const
{
    if (m_mask.maxLength > 0 && input.size() > m_mask.maxLength)
        return Invalid;
    if (input.isEmpty() || m_mask.pattern.isEmpty())
        return Acceptable;
    const auto match = m_whole.match(input, 0, QRegularExpression::PartialPreferCompleteMatch);
    // A beginning counts as acceptable so that leaving the cell hands it on to the window.
    return match.hasMatch() || match.hasPartialMatch() ? Acceptable : Invalid;
}

} // namespace lumora
