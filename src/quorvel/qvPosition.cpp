#include "quorvel/qvPosition.h"

#include "quorvel/qvposSelect.h"
#include "shell/WindowRegistry.h"
#include "widgets/Grid.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPalette>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumora {

namespace {

using SC = TQvSlotColumn;
using AC = TQvAttrColumn;

constexpr int C(SC column)
{
    return static_cast<int>(column);
}
constexpr int C(AC column)
{
    return static_cast<int>(column);
}

} // namespace

class TfmQVPosition::TSlotCells final : public IGridSource {
public:
    explicit TSlotCells(const TQVPositionSheet& sheet) : m_sheet(sheet) {}
    QString cellText(int row, int column) const override
    {
        return QvToQt(m_sheet.slotText(row + 1, static_cast<SC>(column)));
    }
    // The selected slot, whose device's attributes are on show, stands out.
    QColor cellBackground(int row, int) const override
    {
        return row + 1 == m_sheet.slotRow() ? QColor(221, 232, 248) : QColor();
    }

private:
    const TQVPositionSheet& m_sheet;
};

// Rows of attributes that are not shown take no entry and are drawn in the light 3-D colour.
class TfmQVPosition::TAttrCells final : public IGridSource {
public:
    explicit TAttrCells(const TQVPositionSheet& sheet) : m_sheet(sheet) {}
    QString cellText(int row, int column) const override
    {
        return QvToQt(m_sheet.attributeText(row + 1, static_cast<AC>(column)));
    }
    QColor cellBackground(int row, int) const override
    {
        if (m_sheet.typeCaption().empty() || m_sheet.attributeShown(row + 1))
            return {};
        return QApplication::palette().color(QPalette::Midlight);
    }
    bool cellReadOnly(int row, int column) const override
    {
        return !m_sheet.attributeEditable(row + 1, static_cast<AC>(column));
    }

private:
    const TQVPositionSheet& m_sheet;
};

TfmQVPosition::TfmQVPosition(TEditorState& state, QWidget* parent)
    : TQvWindow(parent, "fmQVPosition", kQvPositionCaption, kQvPositionHelpTopic, false), m_state(state),
      m_sheet(state), m_slotCells(std::make_unique<TSlotCells>(m_sheet)),
      m_attrCells(std::make_unique<TAttrCells>(m_sheet))
{
    QMenu* setup = makeQvSetupMenu();
    QAction* go = setup->addAction(tr(kQvGoToPosition));
    go->setObjectName(QStringLiteral("mnuGoTo"));
    connect(go, &QAction::triggered, this, &TfmQVPosition::goToPosition);
    setup->addSeparator();
    addQvSetupMenu(kNavQvPosition, setup);
    finishMenus(tr("&Close"));
    m_picker = new TfrmSelectQVpos(state.ui(), this);
    buildWidgets();
    resize(900, 620);
}

TfmQVPosition::~TfmQVPosition()
{
    m_slots->setSource(nullptr);
    m_attrs->setSource(nullptr);
}

void TfmQVPosition::buildWidgets()
{
    m_slots = new TGrid(this);
    m_slots->setObjectName(QStringLiteral("tsGrid1"));
    m_slots->setAccessibleName(tr("Slots"));
    m_slots->setSource(m_slotCells.get());
    m_slots->setDimensions(kQvSlots, kQvSlotColumnCount);
    m_slots->setHeadings(Qt::Horizontal, {tr("Device"), tr("Device Name"), tr("Master"), tr("QV Type")});
    QStringList slotNumbers;
    for (int i = 1; i <= kQvSlots; ++i)
        slotNumbers << QString::number(i);
    m_slots->setHeadings(Qt::Vertical, slotNumbers);
    m_slots->setDefaultAlignment(Qt::AlignCenter);
    m_slots->setColumnAlignment(C(SC::DeviceName), Qt::AlignLeft | Qt::AlignVCenter);
    m_slots->setColumnReadOnly(C(SC::DeviceName));
    m_slots->setColumnReadOnly(C(SC::Type));
    // The masks take digits; the ranges are checked, with their warnings, on leaving.
    m_slots->setColumnMask(C(SC::Device), {QStringLiteral("[0-9]{1,2}"), 2});
    m_slots->setColumnMask(C(SC::Master), {QStringLiteral("[0-9]{1,3}"), 3});
    const int slotWidths[kQvSlotColumnCount] = {56, 140, 56, 60};
    for (int column = 0; column < kQvSlotColumnCount; ++column)
        m_slots->setColumnWidth(column, slotWidths[column]);
    connect(m_slots, &TGrid::cellEdited, this, [this](int row, int column, const QString& text) {
        m_sheet.editSlot(row + 1, static_cast<SC>(column), QvFromQt(text));
        m_slots->refreshRow(row);
        if (column == C(SC::Device))
            showAttributes();
    });
    connect(m_slots, &TGrid::currentCellChanged, this, [this](int row, int) { slotRowChanged(row); });

    m_btnLeft = new QToolButton(this);
    m_btnLeft->setObjectName(QStringLiteral("btnLeft"));
    m_btnLeft->setArrowType(Qt::LeftArrow);
    m_btnLeft->setAccessibleName(tr("Previous position"));
    m_btnLeft->setToolTip(tr("Previous position"));
    connect(m_btnLeft, &QToolButton::clicked, this, [this] { move(-1); });
    m_btnRight = new QToolButton(this);
    m_btnRight->setObjectName(QStringLiteral("btnRight"));
    m_btnRight->setArrowType(Qt::RightArrow);
    m_btnRight->setAccessibleName(tr("Next position"));
    m_btnRight->setToolTip(tr("Next position"));
    connect(m_btnRight, &QToolButton::clicked, this, [this] { move(+1); });
    m_numLabel = new QLabel(this);
    m_numLabel->setObjectName(QStringLiteral("NumLabel"));
    QFont big = m_numLabel->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    m_numLabel->setFont(big);

    m_lblQVType = new QLabel(this);
    m_lblQVType->setObjectName(QStringLiteral("lblQVType"));
    m_lblQVType->setFont(big);
    m_attrs = new TGrid(this);
    m_attrs->setObjectName(QStringLiteral("tsGrid2"));
    m_attrs->setAccessibleName(tr("Attributes"));
    m_attrs->setSource(m_attrCells.get());
    m_attrs->setDimensions(kQvShownAttributes, kQvAttrColumnCount);
    m_attrs->setHeadings(Qt::Horizontal,
                         {tr("#"), tr("Attr. Name"), tr("Source"), tr("Width"), tr("Value"), tr("Time")});
    m_attrs->setHeadings(Qt::Vertical, {});
    m_attrs->setDefaultAlignment(Qt::AlignCenter);
    m_attrs->setColumnAlignment(C(AC::Name), Qt::AlignLeft | Qt::AlignVCenter);
    for (AC column : {AC::Number, AC::Name, AC::Source, AC::Width})
        m_attrs->setColumnReadOnly(C(column));
    m_attrs->setColumnMask(C(AC::Value), {QStringLiteral("[0-9]{1,5}"), 5});
    m_attrs->setColumnMask(C(AC::Time), MaskTime());
    const int attrWidths[kQvAttrColumnCount] = {30, 90, 70, 60, 70, 60};
    for (int column = 0; column < kQvAttrColumnCount; ++column)
        m_attrs->setColumnWidth(column, attrWidths[column]);
    connect(m_attrs, &TGrid::cellEdited, this, [this](int row, int column, const QString& text) {
        m_sheet.editAttribute(row + 1, static_cast<AC>(column), QvFromQt(text));
        m_attrs->refreshRow(row);
    });

    m_btnClose = new QPushButton(tr("Close"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setAutoDefault(false);
    connect(m_btnClose, &QPushButton::clicked, this, &TfmQVPosition::reject);

    auto* panel = new QHBoxLayout;
    panel->addWidget(m_btnLeft);
    panel->addWidget(m_numLabel);
    panel->addWidget(m_btnRight);
    panel->addStretch();
    auto* left = new QVBoxLayout;
    left->addWidget(m_slots, 1);
    left->addLayout(panel);
    auto* right = new QVBoxLayout;
    right->addWidget(m_lblQVType);
    right->addWidget(m_attrs, 1);
    auto* grids = new QHBoxLayout;
    grids->addLayout(left, 1);
    grids->addLayout(right, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar());
    layout->addLayout(grids, 1);
    layout->addLayout(bottom);
}

// ---- Showing

void TfmQVPosition::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_sheet.open();
        showPosition();
        m_slots->scrollToTop();
        m_attrs->scrollToTop();
    }
    QDialog::showEvent(event);
}

void TfmQVPosition::showPosition()
{
    m_numLabel->setText(QvToQt(m_sheet.caption()));
    m_btnLeft->setEnabled(m_sheet.canGoLeft());
    m_btnRight->setEnabled(m_sheet.canGoRight());
    {
        const QSignalBlocker quiet(m_slots->selectionModel());
        const int column = std::max(m_slots->currentIndex().column(), 0);
        m_slots->setCurrentIndex(m_slots->gridModel().index(m_sheet.slotRow() - 1, column));
    }
    m_slots->refreshAll();
    showAttributes();
}

void TfmQVPosition::showAttributes()
{
    m_lblQVType->setText(QvToQt(m_sheet.typeCaption()));
    m_attrs->refreshAll();
}

void TfmQVPosition::slotRowChanged(int row)
{
    if (m_reverting || row < 0 || row + 1 == m_sheet.slotRow())
        return;
    m_attrs->commitEdit();
    const int left = m_sheet.slotRow() - 1;
    if (!m_sheet.selectSlotRow(row + 1)) {
        // The attribute edits could not be kept: the selected slot stays.
        m_reverting = true;
        m_slots->setCurrentIndex(m_slots->gridModel().index(m_sheet.slotRow() - 1, m_slots->currentIndex().column()));
        m_reverting = false;
        return;
    }
    m_slots->refreshRow(left);
    m_slots->refreshRow(row);
    showAttributes();
}

// ---- Commands

void TfmQVPosition::goToPosition()
{
    m_slots->commitEdit();
    m_attrs->commitEdit();
    if (m_picker->exec() != QDialog::Accepted)
        return;
    if (m_sheet.goToPosition(m_picker->position()))
        showPosition();
}

void TfmQVPosition::move(int delta)
{
    m_slots->commitEdit();
    m_attrs->commitEdit();
    if (!m_sheet.goToPosition(m_sheet.position() + delta))
        return;
    showPosition();
    m_slots->scrollToTop();
}

bool TfmQVPosition::queryClose()
{
    m_slots->commitEdit();
    m_attrs->commitEdit();
    return m_sheet.queryClose();
}

} // namespace lumora
