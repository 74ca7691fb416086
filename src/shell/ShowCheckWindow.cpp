#include "shell/ShowCheckWindow.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>

namespace lumora {

namespace {

QString Text(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

} // namespace

std::optional<TScreen> ScreenOfFinding(TCheckObject object)
{
    switch (object) {
    case TCheckObject::Cue: return TScreen::CueEditor;
    case TCheckObject::Sub: return TScreen::SubEditor;
    case TCheckObject::Effect: return TScreen::Effect;
    case TCheckObject::Macro: return TScreen::Macro;
    case TCheckObject::Dimmer:
    case TCheckObject::Channel: return TScreen::Patch;
    case TCheckObject::Profile: return TScreen::Profile;
    case TCheckObject::QvType: return TScreen::QvType;
    case TCheckObject::QvDevice: return TScreen::QvDevice;
    case TCheckObject::QvAction: return TScreen::QvAction;
    case TCheckObject::QvPosition: return TScreen::QvPosition;
    }
    return std::nullopt;
}

// ---- Model

void TCheckFindingsModel::setFindings(std::vector<TCheckFinding> findings)
{
    beginResetModel();
    m_findings = std::move(findings);
    endResetModel();
}

int TCheckFindingsModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_findings.size());
}

int TCheckFindingsModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant TCheckFindingsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return {};
    const TCheckFinding& f = m_findings[static_cast<std::size_t>(index.row())];
    const bool error = f.severity == TCheckSeverity::Error;
    switch (role) {
    case Qt::DisplayRole:
        switch (index.column()) {
        case ColKind: return Text(f.kind);
        case ColObject: return Text(f.object);
        case ColFinding: return Text(f.text);
        default: return {};
        }
    case Qt::DecorationRole:
        if (index.column() == ColKind)
            return QApplication::style()->standardIcon(error ? QStyle::SP_MessageBoxCritical
                                                             : QStyle::SP_MessageBoxWarning);
        return {};
    case Qt::ToolTipRole: return QString::fromLatin1(error ? "Error" : "Warning") + QStringLiteral(": ") + Text(f.text);
    case Qt::AccessibleTextRole:
        if (index.column() == ColKind)
            return QString::fromLatin1(error ? "Error " : "Warning ") + Text(f.kind);
        return data(index, Qt::DisplayRole);
    case SortRole:
        switch (index.column()) {
        case ColKind: return QString::fromLatin1(error ? "0" : "1") + Text(f.kind);
        case ColObject: return index.row(); // the check lists objects in the show's order
        case ColFinding: return Text(f.text);
        default: return {};
        }
    default: return {};
    }
}

QVariant TCheckFindingsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case ColKind: return tr("Kind");
    case ColObject: return tr("Object");
    case ColFinding: return tr("Finding");
    default: return {};
    }
}

// ---- Window

TfmCheckShow::TfmCheckShow(TEditorState& state, std::function<void(TScreen)> openScreen, QWidget* parent)
    : QDialog(parent), m_state(state), m_openScreen(std::move(openScreen))
{
    setObjectName(QStringLiteral("fmCheckShow"));
    setWindowTitle(QString::fromLatin1(kCheckShowCaption));
    setModal(true);
    resize(820, 460);

    m_summary = new QLabel(this);
    m_summary->setObjectName(QStringLiteral("lblSummary"));
    QFont bold = m_summary->font();
    bold.setBold(true);
    m_summary->setFont(bold);

    m_model = new TCheckFindingsModel(this);
    m_sorted = new QSortFilterProxyModel(this);
    m_sorted->setSourceModel(m_model);
    m_sorted->setSortRole(TCheckFindingsModel::SortRole);

    m_table = new QTableView(this);
    m_table->setObjectName(QStringLiteral("grdFindings"));
    m_table->setAccessibleName(tr("Findings"));
    m_table->setModel(m_sorted);
    m_table->setSortingEnabled(true);
    m_table->sortByColumn(TCheckFindingsModel::ColObject, Qt::AscendingOrder);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setAlternatingRowColors(true);
    m_table->setWordWrap(false);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setStretchLastSection(true);
    m_table->setColumnWidth(TCheckFindingsModel::ColKind, 230);
    m_table->setColumnWidth(TCheckFindingsModel::ColObject, 120);
    connect(m_table, &QTableView::doubleClicked, this, &TfmCheckShow::openFinding);
    m_summary->setBuddy(m_table);

    m_btnCheckAgain = new QPushButton(tr("Check &Again"), this);
    m_btnCheckAgain->setObjectName(QStringLiteral("btnCheckAgain"));
    m_btnCheckAgain->setAccessibleName(tr("Check Again"));
    m_btnCheckAgain->setAutoDefault(false);
    connect(m_btnCheckAgain, &QPushButton::clicked, this, &TfmCheckShow::refresh);
    m_btnClose = new QPushButton(tr("&Close"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setAccessibleName(tr("Close"));
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* hint = new QLabel(tr("Double-click a finding to open its editing window."), this);
    hint->setObjectName(QStringLiteral("lblHint"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(hint, 1);
    buttons->addWidget(m_btnCheckAgain);
    buttons->addWidget(m_btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_summary);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);
}

void TfmCheckShow::showEvent(QShowEvent* event)
{
    refresh();
    QDialog::showEvent(event);
}

void TfmCheckShow::refresh()
{
    m_model->setFindings(CheckShow(m_state.show()));
    m_summary->setText(Text(CheckSummary(m_model->findings())));
}

void TfmCheckShow::openFinding(const QModelIndex& index)
{
    const QModelIndex source = m_sorted->mapToSource(index);
    if (!source.isValid() || !m_openScreen)
        return;
    const auto screen = ScreenOfFinding(m_model->findings()[static_cast<std::size_t>(source.row())].objectKind);
    if (!screen)
        return;
    m_openScreen(*screen);
    refresh(); // the window may have changed the show
}

} // namespace lumora
