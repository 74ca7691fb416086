#include "quorvel/QVDevice.h"

#include "shell/WindowRegistry.h"
#include "widgets/Grid.h"

#include <QCursor>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace lumora {

namespace {

using Col = TQvDeviceColumn;

constexpr int C(Col column)
{
    return static_cast<int>(column);
}

struct TColumnLook {
    const char* heading;
    int width;
};
constexpr TColumnLook kColumns[kQvDeviceColumnCount] = {
    {"Device", 56}, {"Name", 150}, {"Address", 70}, {"Type # *", 64}, {"Type Name", 150}};

// Up to three digits, or 1000 to 1023.
TGridMask MaskAddress()
{
    return {QStringLiteral("0|[1-9][0-9]{0,2}|10[01][0-9]|102[0-3]"), 4};
}

} // namespace

class TfmQVDevice::TCells final : public IGridSource {
public:
    explicit TCells(const TQVDeviceSheet& sheet) : m_sheet(sheet) {}
    QString cellText(int row, int column) const override
    {
        return QvToQt(m_sheet.cellText(row + 1, static_cast<Col>(column)));
    }

private:
    const TQVDeviceSheet& m_sheet;
};

TfmQVDevice::TfmQVDevice(TEditorState& state, QWidget* parent)
    : TQvWindow(parent, "fmQVDevice", kQvDeviceCaption, kQvDeviceHelpTopic, true), m_state(state), m_sheet(state),
      m_cells(std::make_unique<TCells>(m_sheet))
{
    addFileItem<TfmQVDevice>("mnuPrint", tr("&Print"), &TfmQVDevice::print);
    addQvSetupMenu(kNavQvDevice);
    finishMenus(tr("&Close"));
    buildWidgets();
    resize(560, 600);
}

TfmQVDevice::~TfmQVDevice()
{
    m_grid->setSource(nullptr);
}

void TfmQVDevice::buildWidgets()
{
    m_grid = new TGrid(this);
    m_grid->setObjectName(QStringLiteral("tsGrid1"));
    m_grid->setAccessibleName(tr("Devices"));
    m_grid->setSource(m_cells.get());
    m_grid->setDimensions(kQvDevices, kQvDeviceColumnCount);
    QStringList headings;
    for (const TColumnLook& look : kColumns)
        headings << tr(look.heading);
    m_grid->setHeadings(Qt::Horizontal, headings);
    m_grid->setHeadings(Qt::Vertical, {});
    m_grid->setColumnAlignment(C(Col::Device), Qt::AlignCenter);
    m_grid->setColumnAlignment(C(Col::Address), Qt::AlignCenter);
    m_grid->setColumnAlignment(C(Col::Type), Qt::AlignCenter);
    m_grid->setColumnReadOnly(C(Col::Device));
    m_grid->setColumnReadOnly(C(Col::TypeName));
    m_grid->setColumnMask(C(Col::Name), MaskText(16));
    m_grid->setColumnMask(C(Col::Address), MaskAddress());
    m_grid->setColumnMask(C(Col::Type), {QStringLiteral("[1-8]"), 1});
    for (int column = 0; column < kQvDeviceColumnCount; ++column)
        m_grid->setColumnWidth(column, kColumns[column].width);

    connect(m_grid, &TGrid::cellEdited, this, [this](int row, int column, const QString& text) {
        m_sheet.editCell(row + 1, static_cast<Col>(column), QvFromQt(text));
        m_grid->refreshRow(row);
    });
    connect(m_grid, &TGrid::currentCellChanged, this, [this](int row, int) {
        if (row >= 0)
            m_sheet.setCurrentRow(row + 1);
    });

    m_mnuTypes = new QMenu(this);
    m_mnuTypes->setObjectName(QStringLiteral("mnuTypes"));
    for (int type = 1; type <= kQvTypes; ++type) {
        QAction* a = m_mnuTypes->addAction(QString::number(type));
        a->setObjectName(QStringLiteral("mnuType%1").arg(type));
        connect(a, &QAction::triggered, this, [this, type] {
            const int row = m_grid->currentIndex().row();
            if (row < 0)
                return;
            m_sheet.chooseType(row + 1, type);
            m_grid->refreshRow(row);
        });
    }
    connect(m_grid, &TGrid::rightButtonReleased, this, [this](int, int) {
        if (m_grid->currentIndex().column() == C(Col::Type))
            m_mnuTypes->exec(QCursor::pos());
    });

    m_btnClose = new QPushButton(tr("Close"), this);
    m_btnClose->setObjectName(QStringLiteral("BitBtn1"));
    m_btnClose->setAutoDefault(false);
    connect(m_btnClose, &QPushButton::clicked, this, &TfmQVDevice::reject);
    auto* marker = new QLabel(QStringLiteral("*"), this);
    marker->setObjectName(QStringLiteral("lblMarker"));
    auto* hint = new QLabel(tr(kQvDeviceTypesHint), this);
    hint->setObjectName(QStringLiteral("lblHint"));

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(m_btnClose);
    bottom->addStretch();
    bottom->addWidget(marker);
    bottom->addWidget(hint);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar());
    layout->addWidget(m_grid, 1);
    layout->addLayout(bottom);
}

void TfmQVDevice::refreshTypeMenu()
{
    const auto captions = m_sheet.typeMenu();
    const QList<QAction*> actions = m_mnuTypes->actions();
    for (int t = 0; t < kQvTypes && t < actions.size(); ++t)
        actions[t]->setText(QvToQt(captions[t]));
}

void TfmQVDevice::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_sheet.open();
        refreshTypeMenu();
        m_grid->refreshAll();
        m_grid->setCurrentIndex(m_grid->gridModel().index(0, C(Col::Name)));
        m_grid->scrollToTop();
    }
    QDialog::showEvent(event);
}

void TfmQVDevice::print()
{
    m_grid->commitEdit();
    if (m_print)
        m_print();
}

bool TfmQVDevice::queryClose()
{
    m_grid->commitEdit();
    return m_sheet.queryClose();
}

} // namespace lumora
