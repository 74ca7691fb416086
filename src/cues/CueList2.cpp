#include "cues/CueList2.h"

#include "cues/CopyRnge.h"
#include "cues/CueDialogs.h"
#include "cues/InsertQ.h"
#include "show/LumoraError.h"
#include "widgets/Grid.h"

#include <QAction>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include <algorithm>

namespace lumora {

namespace {

using Col = TCueListColumn;

// Names are single bytes in the show, as on the console.
QString ToQt(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}
std::string FromQt(const QString& text)
{
    return text.toLatin1().toStdString();
}

struct TColumnLook {
    const char* heading;
    int width;
};
constexpr TColumnLook kColumns[kCueListColumnCount] = {
    {"Cue", 56},      {"Name", 150},      {"Type", 136}, {"Time Up", 70}, {"Time Down", 76},
    {"Delay Up", 70}, {"Delay Down", 80}, {"Link", 60},  {"Macro", 60},
};

constexpr int C(Col column)
{
    return static_cast<int>(column);
}

} // namespace

// The grid's cells: the sheet's texts, rows and columns from 0.
class TfmCueList2::TCells final : public IGridSource {
public:
    explicit TCells(const TCueListSheet& sheet) : m_sheet(sheet) {}
    QString cellText(int row, int column) const override
    {
        return ToQt(m_sheet.cellText(row + 1, static_cast<Col>(column)));
    }

private:
    const TCueListSheet& m_sheet;
};

TfmCueList2::TfmCueList2(TEditorState& state, TCueDialogs& dialogs, QWidget* parent)
    : TEditWindow(parent, "fmCueList2", kCueListCaption, kCueListHelpTopic, true), m_state(state), m_sheet(state),
      m_cells(std::make_unique<TCells>(m_sheet)), m_insertQ(dialogs.insertQ()), m_copyRange(dialogs.copyRange())
{
    buildWidgets();
    resize(860, 520);
}

TfmCueList2::~TfmCueList2()
{
    m_grid->setSource(nullptr);
}

// ---- Building

void TfmCueList2::buildWidgets()
{
    auto action = [this](const char* name, const QString& text, auto slot) {
        return addFileItem<TfmCueList2>(name, text, slot);
    };
    action("mnuInsert", tr("&Insert Cue"), &TfmCueList2::insertCue);
    m_mnuDelete = action("mnuDelete", tr("&Delete Cue"), &TfmCueList2::deleteCue);
    m_mnuCopyRange = action("mnuCopyRange", tr("Copy &Range"), &TfmCueList2::copyRange);
    finishMenus(tr("&Close"));

    // The grid: fixed columns, one row per cue.
    m_grid = new TGrid(this);
    m_grid->setObjectName(QStringLiteral("tsGrid1"));
    m_grid->setAccessibleName(tr("Cues"));
    m_grid->setSource(m_cells.get());
    m_grid->setDimensions(0, kCueListColumnCount);
    QStringList headings;
    for (const TColumnLook& look : kColumns)
        headings << tr(look.heading);
    m_grid->setHeadings(Qt::Horizontal, headings);
    m_grid->setHeadings(Qt::Vertical, {});
    m_grid->setDefaultAlignment(Qt::AlignCenter);
    m_grid->setColumnAlignment(C(Col::Name), Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->setColumnAlignment(C(Col::Type), Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->setColumnReadOnly(C(Col::Cue));
    m_grid->setColumnMask(C(Col::Name), MaskText(16));
    QStringList types;
    for (int code = kCuePreset; code <= kCueMultipart; ++code)
        types << ToQt(CueTypeName(code));
    m_grid->setColumnList(C(Col::Type), types);
    for (Col column : {Col::TimeUp, Col::TimeDown, Col::DelayUp, Col::DelayDown, Col::Link})
        m_grid->setColumnMask(C(column), MaskTime());
    m_grid->setColumnMask(C(Col::Macro), MaskMacro());
    m_grid->setMultiRowSelection(true);

    connect(m_grid, &TGrid::cellTyping, this, [this](int row, int column, const QString&) { cellTyping(row, column); });
    connect(m_grid, &TGrid::cellEdited, this, &TfmCueList2::cellEdited);
    connect(m_grid, &TGrid::listChosen, this, &TfmCueList2::typeChosen);
    connect(m_grid, &TGrid::currentCellChanged, this, [this](int row, int) {
        if (row >= 0)
            m_sheet.setCurrentRow(row + 1);
    });

    // Below the grid
    m_cbCueOnly = new QCheckBox(tr("Cue Only Mode"), this);
    m_cbCueOnly->setObjectName(QStringLiteral("cbCueOnly"));
    connect(m_cbCueOnly, &QCheckBox::toggled, this, [this](bool on) { m_sheet.setCueOnlyMode(on); });
    m_btnInsert = addButton<TfmCueList2>("btnInsert", tr("Insert Cue"), &TfmCueList2::insertCue);
    m_btnDelete = addButton<TfmCueList2>("btnDelete", tr("Delete Cue"), &TfmCueList2::deleteCue);
    m_btnCopyRange = addButton<TfmCueList2>("BtnCopyRange", tr("Copy Range"), &TfmCueList2::copyRange);
    m_btnClose = closeButton();
    layOut(m_grid, m_cbCueOnly, {m_btnInsert, m_btnDelete, m_btnCopyRange});
}

// ---- Opening and the grid

void TfmCueList2::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_sheet.open();
        const QSignalBlocker quiet(m_cbCueOnly);
        m_cbCueOnly->setChecked(m_sheet.cueOnlyMode());
        fillGrid();
        m_grid->selectionModel()->clearSelection();
        showCurrentRow();
        m_grid->scrollToTop();
    }
    QDialog::showEvent(event);
}

void TfmCueList2::fillGrid()
{
    m_grid->setDimensions(m_sheet.count(), kCueListColumnCount);
    // A new number of rows resets the header sections to their default size.
    for (int column = 0; column < kCueListColumnCount; ++column)
        m_grid->setColumnWidth(column, kColumns[column].width);
    showEnabled();
}

void TfmCueList2::showEnabled()
{
    const bool any = m_sheet.count() > 0;
    for (QPushButton* b : {m_btnDelete, m_btnCopyRange})
        b->setEnabled(any);
    for (QAction* a : {m_mnuDelete, m_mnuCopyRange})
        a->setEnabled(any);
}

void TfmCueList2::showCurrentRow()
{
    // The cell cursor moves to the working copy's current cue without selecting its row:
    // the selection is what Copy Range copies.
    const int row = m_sheet.currentRow() - 1;
    if (row < 0)
        return;
    const int column = std::max(m_grid->currentIndex().column(), C(Col::Name));
    const QModelIndex index = m_grid->gridModel().index(row, column);
    m_grid->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    m_grid->scrollTo(index);
}

void TfmCueList2::cellTyping(int, int column)
{
    if (column != C(Col::Type))
        m_sheet.typing();
}

void TfmCueList2::cellEdited(int row, int column, const QString& text)
{
    m_sheet.editCell(row + 1, static_cast<Col>(column), FromQt(text));
}

void TfmCueList2::typeChosen(int row, int column, int item, const QString& text)
{
    if (column != C(Col::Type))
        return;
    try {
        const int code = item >= 0 ? item : CueTypeFromName(FromQt(text));
        m_sheet.chooseType(row + 1, code);
    } catch (const ELumoraError& e) {
        m_state.ui().error(e.what());
    }
    m_grid->refreshAll();
}

// ---- Commands

void TfmCueList2::insertCue()
{
    m_grid->commitEdit();
    if (!m_sheet.beforeInsert())
        return;
    if (m_insertQ.exec() != QDialog::Accepted || m_insertQ.cueNumber() <= 0)
        return;
    if (m_sheet.insertCue(static_cast<std::uint16_t>(m_insertQ.cueNumber()), m_insertQ.cueType())) {
        fillGrid();
        showCurrentRow();
    }
}

void TfmCueList2::deleteCue()
{
    m_grid->commitEdit();
    if (m_sheet.deleteCue(m_sheet.currentRow())) {
        fillGrid();
        showCurrentRow();
    }
}

void TfmCueList2::copyRange()
{
    m_grid->commitEdit();
    std::vector<int> rows = m_grid->selectedRows();
    for (int& row : rows)
        ++row;
    if (!m_sheet.beforeCopyRange(rows))
        return;
    if (m_copyRange.exec() != QDialog::Accepted || !m_copyRange.accepted() || m_copyRange.cueNumber() <= 0)
        return;
    m_sheet.copyRange(rows, static_cast<std::uint16_t>(m_copyRange.cueNumber()));
    m_grid->selectionModel()->clearSelection();
    fillGrid();
    showCurrentRow();
}

// ---- Closing

bool TfmCueList2::queryClose()
{
    m_grid->commitEdit();
    return m_sheet.queryClose();
}

} // namespace lumora
