#include "shell/ShowCompareWindow.h"

#include <QBrush>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace lumora {

namespace {

QString Text(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

// Internal ids: 0 a kind; 1 + g an object of kind g; lines carry their kind and object.
constexpr quintptr kLineBit = quintptr{1} << 62;

quintptr LineId(int group, int entry)
{
    return kLineBit | (static_cast<quintptr>(group) << 32) | static_cast<quintptr>(entry);
}

constexpr const char* kSectionTitles[kSectionCount] = {"Patch",     "Profile", "Macro",  "Effects",
                                                       "Submaster", "Cue",     "Quorvel"};

} // namespace

// ---- Model

void TDiffTreeModel::setDiff(TShowDiff diff)
{
    beginResetModel();
    m_diff = std::move(diff);
    endResetModel();
}

QModelIndex TDiffTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (row < 0 || column != 0 || row >= rowCount(parent))
        return {};
    if (!parent.isValid())
        return createIndex(row, 0, quintptr{0});
    if (parent.internalId() == 0)
        return createIndex(row, 0, quintptr(parent.row()) + 1);
    return createIndex(row, 0, LineId(static_cast<int>(parent.internalId() - 1), parent.row()));
}

QModelIndex TDiffTreeModel::parent(const QModelIndex& child) const
{
    if (!child.isValid() || child.internalId() == 0)
        return {};
    const quintptr id = child.internalId();
    if ((id & kLineBit) == 0)
        return createIndex(static_cast<int>(id - 1), 0, quintptr{0});
    const int group = static_cast<int>((id & ~kLineBit) >> 32);
    const int entry = static_cast<int>(id & 0xFFFFFFFFu);
    return createIndex(entry, 0, quintptr(group) + 1);
}

int TDiffTreeModel::rowCount(const QModelIndex& parent) const
{
    if (!parent.isValid())
        return static_cast<int>(m_diff.groups.size());
    const quintptr id = parent.internalId();
    if (id == 0)
        return static_cast<int>(m_diff.groups[static_cast<std::size_t>(parent.row())].entries.size());
    if ((id & kLineBit) == 0)
        return static_cast<int>(m_diff.groups[id - 1].entries[static_cast<std::size_t>(parent.row())].lines.size());
    return 0;
}

int TDiffTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

QVariant TDiffTreeModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const quintptr id = index.internalId();
    if (id == 0) {
        const TDiffGroup& g = m_diff.groups[static_cast<std::size_t>(index.row())];
        if (role == Qt::DisplayRole)
            return QStringLiteral("%1 (%2)").arg(Text(std::string(DiffKindTitle(g.kind)))).arg(g.entries.size());
        if (role == Qt::FontRole) {
            QFont bold;
            bold.setBold(true);
            return bold;
        }
        return {};
    }
    if ((id & kLineBit) == 0) {
        const TDiffEntry& e = m_diff.groups[id - 1].entries[static_cast<std::size_t>(index.row())];
        if (role == Qt::DisplayRole)
            return e.change == TDiffChange::Changed
                       ? Text(e.object)
                       : QStringLiteral("%1 (%2)").arg(Text(e.object), Text(std::string(DiffChangeName(e.change))));
        if (role == Qt::ForegroundRole && e.change != TDiffChange::Changed)
            return QBrush(e.change == TDiffChange::Added ? QColor(0, 110, 0) : QColor(170, 0, 0));
        return {};
    }
    if (role != Qt::DisplayRole)
        return {};
    const int group = static_cast<int>((id & ~kLineBit) >> 32);
    const int entry = static_cast<int>(id & 0xFFFFFFFFu);
    return Text(m_diff.groups[static_cast<std::size_t>(group)]
                    .entries[static_cast<std::size_t>(entry)]
                    .lines[static_cast<std::size_t>(index.row())]);
}

// ---- Window

TfmCompare::TfmCompare(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("fmCompare"));
    setWindowTitle(QString::fromLatin1(kCompareCaption));
    setModal(true);
    resize(640, 520);

    m_heading = new QLabel(this);
    m_heading->setObjectName(QStringLiteral("lblCompared"));
    m_heading->setWordWrap(true);
    m_heading->setTextFormat(Qt::PlainText);
    m_result = new QLabel(this);
    m_result->setObjectName(QStringLiteral("lblResult"));
    QFont bold = m_result->font();
    bold.setBold(true);
    m_result->setFont(bold);

    m_model = new TDiffTreeModel(this);
    m_tree = new QTreeView(this);
    m_tree->setObjectName(QStringLiteral("tvDifferences"));
    m_tree->setAccessibleName(tr("Differences"));
    m_tree->setModel(m_model);
    m_tree->setHeaderHidden(true);
    m_tree->setUniformRowHeights(true); // some hundred thousand lines stay quick
    m_tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_result->setBuddy(m_tree);

    m_btnClose = new QPushButton(tr("&Close"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setAccessibleName(tr("Close"));
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_btnClose);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_heading);
    layout->addWidget(m_result);
    layout->addWidget(m_tree, 1);
    layout->addLayout(buttons);
}

void TfmCompare::showDiff(const QString& otherName, const TPresenceFlags& compared, TShowDiff diff)
{
    QStringList sections;
    for (int i = 0; i < kSectionCount; ++i)
        if (compared[i] != 0)
            sections << QString::fromLatin1(kSectionTitles[i]);
    QString heading = tr("Changes from %1 (left of each arrow) to the show in the editor (right).").arg(otherName);
    if (sections.size() < kSectionCount)
        heading += QLatin1Char('\n') +
                   tr("Compared: %1.").arg(sections.isEmpty() ? tr("nothing") : sections.join(QStringLiteral(", ")));
    m_heading->setText(heading);
    const auto count = static_cast<qsizetype>(diff.entryCount());
    m_result->setText(diff.same()  ? QString::fromLatin1(kDiffSame)
                      : count == 1 ? tr("1 object differs.")
                                   : tr("%1 objects differ.").arg(count));
    m_model->setDiff(std::move(diff));
    // The kinds open; the objects of a kind with few of them too.
    for (int g = 0; g < m_model->rowCount(); ++g) {
        const QModelIndex group = m_model->index(g, 0);
        m_tree->expand(group);
        if (m_model->rowCount(group) <= 20)
            for (int e = 0; e < m_model->rowCount(group); ++e)
                m_tree->expand(m_model->index(e, 0, group));
    }
}

} // namespace lumora
