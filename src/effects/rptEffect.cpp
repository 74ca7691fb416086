#include "effects/rptEffect.h"

#include <QDialog>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lumora {

namespace {

constexpr qreal kWidth = 215.9 - 2 * 12.7;
constexpr qreal kRowHeight = 4.6;
constexpr int kColumns = 3;
constexpr qreal kGap = 8;
constexpr qreal kColumnWidth = (kWidth - (kColumns - 1) * kGap) / kColumns;

const char* const kFields[kEffectReportFields] = {"EffectNo", "EffectName", "Type", "Time", "step", "channel", "level"};

QString F(int n)
{
    return QString::fromLatin1(kFields[n]);
}

} // namespace

TReportDataSource EffectDataSource()
{
    QList<TReportColumn> columns;
    for (int n = 0; n < kEffectReportFields; ++n)
        columns.push_back({F(n), n});
    return TReportDataSource(columns);
}

TReportLayout EffectLayout()
{
    TReportLayout layout;
    layout.columns = kColumns;
    layout.columnGap = kGap;

    TReportBand& header = layout.pageHeader;
    header.texts.push_back(LiteralText(QStringLiteral("Effects"), QRectF(0, 0, kWidth, 9), true, 16, Qt::AlignCenter));
    header.texts.push_back({TReportTextKind::PrintDateTime, QStringLiteral("Printed "), QRectF(0, 2, 80, 5), false, 8,
                            Qt::AlignLeft | Qt::AlignVCenter});
    header.rules.push_back(QLineF(0, 11, kWidth, 11));
    const qreal top = 13;
    const auto labelled = [&](qreal x, const char* label, int field, qreal width) {
        header.texts.push_back(LiteralText(QString::fromLatin1(label), QRectF(x, top, 18, 6), true, 10));
        header.texts.push_back(FieldText(F(field), QRectF(x + 18, top, width, 6), false, 10));
    };
    labelled(0, "Effect #", 0, 14);
    labelled(34, "Name:", 1, 50);
    labelled(104, "Type:", 2, 26);
    labelled(150, "Time:", 3, 22);
    header.rules.push_back(QLineF(0, 21, kWidth, 21));
    for (int c = 0; c < kColumns; ++c) {
        const qreal x = c * (kColumnWidth + kGap);
        const qreal third = kColumnWidth / 3;
        header.texts.push_back(LiteralText(QStringLiteral("Step"), QRectF(x, 23, third, 5), true, 9, Qt::AlignCenter));
        header.texts.push_back(
            LiteralText(QStringLiteral("Channel"), QRectF(x + third, 23, third, 5), true, 9, Qt::AlignCenter));
        header.texts.push_back(
            LiteralText(QStringLiteral("Level"), QRectF(x + 2 * third, 23, third, 5), true, 9, Qt::AlignCenter));
        header.rules.push_back(QLineF(x, 29, x + kColumnWidth, 29));
    }
    header.height = 31;

    // A new page for each effect.
    layout.hasGroup = true;
    layout.group.field = F(0);
    layout.group.newPage = true;

    TDetailBand line;
    line.band.height = kRowHeight;
    const qreal third = kColumnWidth / 3;
    for (int k = 0; k < 3; ++k)
        line.band.texts.push_back(
            FieldText(F(4 + k), QRectF(k * third, 0, third, kRowHeight), false, 9, Qt::AlignCenter));
    layout.detail = {line};
    return layout;
}

TrptEffect::TrptEffect(TEditorState& state, QWidget* parent, IReportFolder* folder)
    : TReportDialog(state, parent, folder, "rptEffect", kEffectDialogTitle),
      m_rbCurrent(addChoice("rbCurrent", tr("Current Effect"))), m_rbAll(addChoice("rbAll", tr("All Effects")))
{
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_rbCurrent);
    layout->addWidget(m_rbAll);
    layout->addSpacing(8);
    layout->addLayout(addButtons());
    layout->setSizeConstraint(QLayout::SetFixedSize);
    setMode(false);
}

void TrptEffect::setMode(bool current)
{
    m_currentMode = current;
    m_rbCurrent->setEnabled(current);
    (current ? m_rbCurrent : m_rbAll)->setChecked(true);
}

void TrptEffect::setDefaultSelection()
{
    setMode(false);
}

int TrptEffect::openForCurrent(int effect)
{
    m_current = effect;
    setMode(true);
    return QDialog::exec();
}

TReportOutcome TrptEffect::btnPrintClick()
{
    const TEffectReportChoice choice{m_currentMode && m_rbCurrent->isChecked(), m_current};
    return writeThenPreview(
        kEffectReportFile,
        [&](const std::string& path) { return PrintEffectReport(m_state.show().effects, choice, m_state.ui(), path); },
        EffectDataSource(), EffectLayout(), QString::fromLatin1(kEffectReportTitle));
}

} // namespace lumora
