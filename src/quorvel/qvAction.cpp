#include "quorvel/qvAction.h"

#include "shell/WindowRegistry.h"
#include "widgets/Grid.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QTimer>
#include <QVBoxLayout>

namespace lumora {

namespace {

using L = TQvActionColumn;
using S = TQvStepColumn;

constexpr int C(L column)
{
    return static_cast<int>(column);
}
constexpr int C(S column)
{
    return static_cast<int>(column);
}

// Up to five digits, or Continuous (typing its first letter is enough).
TGridMask MaskLoops()
{
    return {QStringLiteral("[0-9]{1,5}|[0-9]{0,5}[cC][A-Za-z]*"), 10};
}

} // namespace

class TfmQVAction::TListCells final : public IGridSource {
public:
    explicit TListCells(const TQVActionSheet& sheet) : m_sheet(sheet) {}
    QString cellText(int row, int column) const override
    {
        return QvToQt(m_sheet.listText(row + 1, static_cast<L>(column)));
    }
    // The action whose steps are on show stands out.
    QColor cellBackground(int row, int) const override
    {
        return row + 1 == m_sheet.currentAction() ? QColor(221, 232, 248) : QColor();
    }

private:
    const TQVActionSheet& m_sheet;
};

class TfmQVAction::TStepCells final : public IGridSource {
public:
    explicit TStepCells(const TQVActionSheet& sheet) : m_sheet(sheet) {}
    QString cellText(int row, int column) const override
    {
        return QvToQt(m_sheet.stepText(row + 1, static_cast<S>(column)));
    }

private:
    const TQVActionSheet& m_sheet;
};

TfmQVAction::TfmQVAction(TEditorState& state, QWidget* parent)
    : TQvWindow(parent, "fmQVAction", kQvActionCaption, kQvActionHelpTopic, true), m_state(state), m_sheet(state),
      m_listCells(std::make_unique<TListCells>(m_sheet)), m_stepCells(std::make_unique<TStepCells>(m_sheet))
{
    addFileItem<TfmQVAction>("mnuPrint", tr("&Print"), &TfmQVAction::print);
    addQvSetupMenu(kNavQvAction);
    finishMenus(tr("&Close"));
    buildWidgets();
    resize(600, 600);
}

TfmQVAction::~TfmQVAction()
{
    m_list->setSource(nullptr);
    m_steps->setSource(nullptr);
}

void TfmQVAction::buildWidgets()
{
    m_list = new TGrid(this);
    m_list->setObjectName(QStringLiteral("tsGrid1"));
    m_list->setAccessibleName(tr("Actions"));
    m_list->setToolTip(tr(kQvActionListHint));
    m_list->setSource(m_listCells.get());
    m_list->setDimensions(kQvActions, kQvActionColumnCount);
    m_list->setHeadings(Qt::Horizontal, {tr("Action"), tr("Loops"), tr("Single Step *")});
    m_list->setHeadings(Qt::Vertical, {});
    m_list->setDefaultAlignment(Qt::AlignCenter);
    m_list->setColumnReadOnly(C(L::Action));
    m_list->setColumnReadOnly(C(L::SingleStep)); // keys and double-clicks only
    m_list->setColumnMask(C(L::Loops), MaskLoops());
    m_list->setColumnWidth(C(L::Action), 56);
    m_list->setColumnWidth(C(L::Loops), 90);
    m_list->setColumnWidth(C(L::SingleStep), 90);
    m_list->installEventFilter(this);

    connect(m_list, &TGrid::cellEdited, this, [this](int row, int column, const QString& text) {
        if (column == C(L::Loops))
            m_sheet.editLoops(row + 1, QvFromQt(text));
        m_list->refreshRow(row);
    });
    connect(m_list, &TGrid::cellTyping, this, [this](int, int column, const QString& text) {
        // A "c" typed anywhere in a Loops cell makes it Continuous at once.
        if (column == C(L::Loops) && text.contains(QLatin1Char('c'), Qt::CaseInsensitive))
            QTimer::singleShot(0, m_list, [this] { m_list->commitEdit(); });
    });
    connect(m_list, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.column() != C(L::SingleStep))
            return;
        m_sheet.toggleSingleStep(index.row() + 1);
        m_list->refreshRow(index.row());
    });
    connect(m_list, &TGrid::currentCellChanged, this, [this](int row, int) { listRowChanged(row); });

    m_lblAction = new QLabel(this);
    m_lblAction->setObjectName(QStringLiteral("lblAction"));
    QFont big = m_lblAction->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    m_lblAction->setFont(big);

    m_steps = new TGrid(this);
    m_steps->setObjectName(QStringLiteral("tsGrid2"));
    m_steps->setAccessibleName(tr("Steps"));
    m_steps->setToolTip(tr(kQvActionStepsHint).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    m_steps->setSource(m_stepCells.get());
    m_steps->setDimensions(kQvSteps, kQvStepColumnCount);
    m_steps->setHeadings(Qt::Horizontal, {tr("QV Position"), tr("Time"), tr("Delay")});
    QStringList stepNumbers;
    for (int i = 1; i <= kQvSteps; ++i)
        stepNumbers << QString::number(i);
    m_steps->setHeadings(Qt::Vertical, stepNumbers);
    m_steps->setDefaultAlignment(Qt::AlignCenter);
    m_steps->setColumnMask(C(S::Position), {QStringLiteral("0|[1-9][0-9]?|100"), 3});
    m_steps->setColumnMask(C(S::Time), MaskTime());
    m_steps->setColumnMask(C(S::Delay), MaskTime());
    for (int column = 0; column < kQvStepColumnCount; ++column)
        m_steps->setColumnWidth(column, 84);
    connect(m_steps, &TGrid::cellEdited, this, [this](int row, int column, const QString& text) {
        m_sheet.editStep(row + 1, static_cast<S>(column), QvFromQt(text));
        m_steps->refreshRow(row);
    });

    auto* hint = new QLabel(tr(kQvActionDoubleClickHint), this);
    hint->setObjectName(QStringLiteral("lblHint"));
    m_btnClose = new QPushButton(tr("Close"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setAutoDefault(false);
    connect(m_btnClose, &QPushButton::clicked, this, &TfmQVAction::reject);

    auto* right = new QVBoxLayout;
    right->addWidget(m_lblAction);
    right->addWidget(m_steps, 1);
    right->addWidget(hint);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_btnClose);
    right->addLayout(bottom);
    auto* layout = new QHBoxLayout(this);
    layout->setMenuBar(menuBar());
    layout->addWidget(m_list, 1);
    layout->addLayout(right, 1);
}

// ---- Showing

void TfmQVAction::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_sheet.open();
        {
            const QSignalBlocker quiet(m_list->selectionModel());
            m_list->setCurrentIndex(m_list->gridModel().index(0, C(L::Loops)));
        }
        m_list->refreshAll();
        m_list->scrollToTop();
        m_steps->scrollToTop();
        showAction();
    }
    QDialog::showEvent(event);
}

void TfmQVAction::showAction()
{
    m_lblAction->setText(QvToQt(m_sheet.caption()));
    m_steps->refreshAll();
}

void TfmQVAction::listRowChanged(int row)
{
    if (row < 0 || row + 1 == m_sheet.currentAction())
        return;
    m_steps->commitEdit();
    const int left = m_sheet.currentAction();
    m_sheet.setCurrentAction(row + 1);
    m_list->refreshRow(left - 1);
    m_list->refreshRow(row);
    showAction();
}

// ---- Keys in the Single Step column

bool TfmQVAction::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_list && event->type() == QEvent::KeyPress && !m_list->isEditing() &&
        m_list->currentIndex().column() == C(L::SingleStep)) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const int row = m_list->currentIndex().row();
        // Moving about is not a change; any other key is.
        switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_Left:
        case Qt::Key_Right:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
        case Qt::Key_Home:
        case Qt::Key_End:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Escape:
        case Qt::Key_Shift:
        case Qt::Key_Control:
        case Qt::Key_Alt: return TQvWindow::eventFilter(watched, event);
        default: break;
        }
        const QString text = key->text();
        m_sheet.singleStepKey(row + 1, text.isEmpty() ? '\0' : text.at(0).toLatin1());
        m_list->refreshRow(row);
        return true;
    }
    if (watched == m_list && event->type() == QEvent::KeyPress && !m_list->isEditing() &&
        m_list->currentIndex().column() == C(L::Loops)) {
        const QString text = static_cast<QKeyEvent*>(event)->text();
        if (text.compare(QLatin1String("c"), Qt::CaseInsensitive) == 0) {
            const int row = m_list->currentIndex().row();
            m_sheet.editLoops(row + 1, "c");
            m_list->refreshRow(row);
            return true;
        }
    }
    return TQvWindow::eventFilter(watched, event);
}

// ---- Commands

void TfmQVAction::print()
{
    m_list->commitEdit();
    m_steps->commitEdit();
    if (m_print)
        m_print(m_sheet.currentAction());
}

bool TfmQVAction::queryClose()
{
    m_list->commitEdit();
    m_steps->commitEdit();
    return m_sheet.queryClose();
}

} // namespace lumora
