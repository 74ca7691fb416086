#include "patch/InpPatch.h"

#include "widgets/Grid.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace lumora {

namespace {

using F = TSetPatchField;

constexpr const char* kHeadings[kSetPatchFieldCount] = {"Channel", "Level", "Nondim", "Profile", "Park"};

bool IsCheck(int column)
{
    return column == static_cast<int>(F::Nondim) || column == static_cast<int>(F::Park);
}

TGrid* MakeRowGrid(QWidget* parent, const char* name, const IGridSource* source, const QString& accessibleName)
{
    auto* grid = new TGrid(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setAccessibleName(accessibleName);
    grid->setSource(source);
    grid->setDimensions(1, kSetPatchFieldCount);
    QStringList headings;
    for (const char* h : kHeadings)
        headings << QString::fromLatin1(h);
    grid->setHeadings(Qt::Horizontal, headings);
    grid->setHeadings(Qt::Vertical, {});
    grid->setDefaultAlignment(Qt::AlignCenter);
    grid->setCellSize(72, 24);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFixedSize(72 * kSetPatchFieldCount + 4, 24 + grid->horizontalHeader()->sizeHint().height() + 4);
    return grid;
}

} // namespace

class TfmInputPatch::TValueCells final : public IGridSource {
public:
    explicit TValueCells(const TSetPatchValues& v) : m_v(v) {}
    QString cellText(int, int column) const override
    {
        const TPatchRow& r = m_v.values();
        switch (static_cast<F>(column)) {
        case F::Channel: return QString::fromStdString(r.channel);
        case F::Level: return QString::fromStdString(r.level);
        case F::Profile: return QString::fromStdString(r.profile);
        default: return {};
        }
    }
    bool cellChecked(int, int column) const override
    {
        return column == static_cast<int>(F::Nondim) ? m_v.values().nondim : m_v.values().park;
    }

private:
    const TSetPatchValues& m_v;
};

class TfmInputPatch::TApplyCells final : public IGridSource {
public:
    explicit TApplyCells(const TSetPatchValues& v) : m_v(v) {}
    QString cellText(int, int) const override { return {}; }
    bool cellChecked(int, int column) const override { return m_v.applied(static_cast<F>(column)); }

private:
    const TSetPatchValues& m_v;
};

TfmInputPatch::TfmInputPatch(IUserInterface& ui, QWidget* parent)
    : QDialog(parent), m_ui(ui), m_valueCells(std::make_unique<TValueCells>(m_values)),
      m_applyCells(std::make_unique<TApplyCells>(m_values))
{
    setObjectName(QStringLiteral("fmInputPatch"));
    setWindowTitle(QString::fromLatin1(kSetPatchCaption));

    auto* lblValues = new QLabel(tr(kSetPatchValuesLabel), this);
    m_grid1 = MakeRowGrid(this, "tsGrid1", m_valueCells.get(), tr("Values"));
    m_grid1->setColumnMask(static_cast<int>(F::Channel), MaskChannel());
    m_grid1->setColumnMask(static_cast<int>(F::Level), MaskLevel());
    m_grid1->setColumnMask(static_cast<int>(F::Profile), {QStringLiteral("[1-9]|1[0-9]|2[0-5]"), 2});
    lblValues->setBuddy(m_grid1);
    auto* lblApply = new QLabel(tr(kSetPatchApplyLabel), this);
    m_grid2 = MakeRowGrid(this, "tsGrid2", m_applyCells.get(), tr("Applied fields"));
    lblApply->setBuddy(m_grid2);
    for (int column = 0; column < kSetPatchFieldCount; ++column) {
        m_grid2->setColumnCheckBoxes(column);
        if (IsCheck(column))
            m_grid1->setColumnCheckBoxes(column);
    }

    connect(m_grid1, &TGrid::cellEdited, this, [this](int, int column, const QString& text) {
        m_values.editText(static_cast<F>(column), text.toStdString());
        m_grid1->refreshAll();
        m_grid2->refreshAll();
    });
    connect(m_grid1, &TGrid::checkToggled, this, [this](int, int column, bool checked) {
        m_values.editCheck(static_cast<F>(column), checked);
        m_grid1->refreshAll();
        m_grid2->refreshAll();
    });
    connect(m_grid2, &TGrid::checkToggled, this, [this](int, int column, bool checked) {
        m_values.setApplied(static_cast<F>(column), checked);
        m_grid2->refreshAll();
    });

    m_incCheckBox = new QCheckBox(tr(kSetPatchIncrement), this);
    m_incCheckBox->setObjectName(QStringLiteral("IncCheckBox"));
    connect(m_incCheckBox, &QCheckBox::toggled, this, [this](bool on) { m_values.setIncrement(on); });

    m_btnOK = new QPushButton(tr("OK"), this);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    m_btnCancel = new QPushButton(tr("Cancel"), this);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(m_btnOK, &QPushButton::clicked, this, &TfmInputPatch::accept);
    connect(m_btnCancel, &QPushButton::clicked, this, &TfmInputPatch::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_incCheckBox);
    buttons->addStretch();
    buttons->addWidget(m_btnOK);
    buttons->addWidget(m_btnCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblValues);
    layout->addWidget(m_grid1);
    layout->addWidget(lblApply);
    layout->addWidget(m_grid2);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

TfmInputPatch::~TfmInputPatch()
{
    m_grid1->setSource(nullptr);
    m_grid2->setSource(nullptr);
}

void TfmInputPatch::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_result = false;
        m_values.show();
        const QSignalBlocker quiet(m_incCheckBox);
        m_incCheckBox->setChecked(false);
        m_grid1->refreshAll();
        m_grid2->refreshAll();
        m_grid1->setFocus();
        m_grid1->setCurrentIndex(m_grid1->gridModel().index(0, 0));
    }
    QDialog::showEvent(event);
}

void TfmInputPatch::accept()
{
    m_grid1->commitEdit();
    if (!m_values.check(m_ui))
        return;
    m_result = true;
    QDialog::accept();
}

} // namespace lumora
