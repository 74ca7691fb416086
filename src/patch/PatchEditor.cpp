#include "patch/PatchEditor.h"

#include "patch/InpPatch.h"
#include "widgets/Grid.h"

#include <QApplication>
#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace lumora {

namespace {

using Col = TPatchColumn;

constexpr int C(Col column)
{
    return static_cast<int>(column);
}

struct TColumnLook {
    const char* heading;
    int width;
};
constexpr TColumnLook kColumns[kPatchColumnCount] = {
    {"Dimmer", 70}, {"Channel", 80}, {"Level", 70}, {"Nondim", 70}, {"Profile", 70}, {"Park", 60},
};

} // namespace

// The grid's cells: the sheet's rows, rows and columns from 0.
class TfmPatch::TCells final : public IGridSource {
public:
    explicit TCells(const TPatchSheet& sheet) : m_sheet(sheet) {}
    QString cellText(int row, int column) const override
    {
        if (column == C(Col::Dimmer))
            return QString::number(row + 1);
        return QString::fromStdString(m_sheet.cellText(row + 1, static_cast<Col>(column)));
    }
    bool cellChecked(int row, int column) const override
    {
        return m_sheet.cellChecked(row + 1, static_cast<Col>(column));
    }

private:
    const TPatchSheet& m_sheet;
};

TfmPatch::TfmPatch(TEditorState& state, QWidget* parent)
    : TEditWindow(parent, "fmPatch", kPatchCaption, kPatchHelpTopic, true), m_state(state), m_sheet(state),
      m_cells(std::make_unique<TCells>(m_sheet))
{
    buildWidgets();
    m_inputPatch = new TfmInputPatch(state.ui(), this);
    resize(520, 640);
}

TfmPatch::~TfmPatch()
{
    m_grid->setSource(nullptr);
}

// ---- Building

void TfmPatch::buildWidgets()
{
    addFileItem<TfmPatch>("mnuUnity", tr("&Unity"), &TfmPatch::unityClick);
    addFileItem<TfmPatch>("mnuClear", tr("C&lear"), &TfmPatch::clearClick);
    finishMenus(tr("&Close"));

    m_grid = new TGrid(this);
    m_grid->setObjectName(QStringLiteral("tsGrid1"));
    m_grid->setAccessibleName(tr("Patch"));
    m_grid->setSource(m_cells.get());
    m_grid->setDimensions(kDimmers, kPatchColumnCount);
    QStringList headings;
    for (const TColumnLook& look : kColumns)
        headings << tr(look.heading);
    m_grid->setHeadings(Qt::Horizontal, headings);
    m_grid->setHeadings(Qt::Vertical, {});
    m_grid->setDefaultAlignment(Qt::AlignCenter);
    m_grid->setColumnReadOnly(C(Col::Dimmer));
    m_grid->setColumnMask(C(Col::Channel), MaskChannel());
    m_grid->setColumnMask(C(Col::Level), MaskLevel());
    m_grid->setColumnMask(C(Col::Profile), {QStringLiteral("[1-9]|1[0-9]|2[0-5]"), 2});
    m_grid->setColumnCheckBoxes(C(Col::Nondim));
    m_grid->setColumnCheckBoxes(C(Col::Park));
    m_grid->setMultiRowSelection(true);
    for (int column = 0; column < kPatchColumnCount; ++column)
        m_grid->setColumnWidth(column, kColumns[column].width);

    connect(m_grid, &TGrid::cellTyping, this, [this](int, int, const QString&) { m_sheet.typing(); });
    connect(m_grid, &TGrid::cellEdited, this, [this](int row, int column, const QString& text) {
        m_sheet.editText(row + 1, static_cast<Col>(column), text.toStdString());
        m_grid->refreshRow(row);
    });
    connect(m_grid, &TGrid::checkToggled, this, [this](int row, int column, bool checked) {
        m_sheet.editCheck(row + 1, static_cast<Col>(column), checked);
        m_grid->refreshRow(row);
    });
    connect(m_grid, &TGrid::rightButtonReleased, this, [this](int, int) { setPatch(); });

    // Page choice and buttons
    auto* pageBox = new QGroupBox(tr(" Page # "), this);
    pageBox->setObjectName(QStringLiteral("RadioGroup1"));
    m_rbPage1 = new QRadioButton(QStringLiteral("1"), pageBox);
    m_rbPage1->setObjectName(QStringLiteral("rbPage1"));
    m_rbPage1->setAccessibleName(tr("Page 1"));
    m_rbPage2 = new QRadioButton(QStringLiteral("2"), pageBox);
    m_rbPage2->setObjectName(QStringLiteral("rbPage2"));
    m_rbPage2->setAccessibleName(tr("Page 2"));
    m_pages = new QButtonGroup(this);
    m_pages->addButton(m_rbPage1, 1);
    m_pages->addButton(m_rbPage2, 2);
    connect(m_pages, &QButtonGroup::idClicked, this, &TfmPatch::pageClicked);
    auto* pageLayout = new QHBoxLayout(pageBox);
    pageLayout->addWidget(m_rbPage1);
    pageLayout->addWidget(m_rbPage2);

    m_unityButton = new QPushButton(tr("Unity"), this);
    m_unityButton->setObjectName(QStringLiteral("UnityButton"));
    connect(m_unityButton, &QPushButton::clicked, this, &TfmPatch::unityClick);
    m_clearButton = new QPushButton(tr("Clear"), this);
    m_clearButton->setObjectName(QStringLiteral("ClearButton"));
    connect(m_clearButton, &QPushButton::clicked, this, &TfmPatch::clearClick);
    m_bitBtn1 = new QPushButton(tr("Close"), this);
    m_bitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    connect(m_bitBtn1, &QPushButton::clicked, this, &TfmPatch::reject);
    for (QPushButton* b : {m_unityButton, m_clearButton, m_bitBtn1})
        b->setAutoDefault(false); // Enter belongs to the grid

    auto* controls = new QHBoxLayout;
    controls->addWidget(pageBox);
    controls->addStretch();
    controls->addWidget(m_unityButton);
    controls->addWidget(m_clearButton);
    controls->addSpacing(24);
    controls->addWidget(m_bitBtn1);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar());
    layout->addWidget(m_grid, 1);
    layout->addLayout(controls);
}

// ---- Opening and pages

void TfmPatch::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_sheet.open();
        showPage();
        m_grid->scrollToTop();
    }
    QDialog::showEvent(event);
}

void TfmPatch::showPage()
{
    m_pages->button(m_sheet.page())->setChecked(true);
    m_grid->selectionModel()->clearSelection();
    m_grid->refreshAll();
}

void TfmPatch::pageClicked(int page)
{
    m_grid->commitEdit();
    if (page == m_sheet.page())
        return;
    if (m_sheet.changePage(page))
        showPage();
    else
        m_pages->button(m_sheet.page())->setChecked(true);
}

// ---- Commands

void TfmPatch::unityClick()
{
    m_grid->commitEdit();
    if (m_sheet.unity())
        showPage();
}

void TfmPatch::clearClick()
{
    m_grid->commitEdit();
    if (m_sheet.clear())
        showPage();
}

void TfmPatch::setPatch()
{
    m_grid->commitEdit();
    std::vector<int> rows = m_grid->selectedRows();
    if (rows.empty()) {
        QApplication::beep();
        return;
    }
    m_inputPatch->exec();
    if (!m_inputPatch->result())
        return;
    for (int& row : rows)
        ++row;
    m_sheet.applySetPatch(std::move(rows), m_inputPatch->values());
    m_grid->refreshAll();
}

// ---- Closing

bool TfmPatch::queryClose()
{
    m_grid->commitEdit();
    return m_sheet.queryClose();
}

} // namespace lumora
