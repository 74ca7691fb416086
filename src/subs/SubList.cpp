#include "subs/SubList.h"

#include "shell/WindowRegistry.h"
#include "subs/SubEditSession.h"
#include "widgets/Grid.h"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace lumora {

namespace {

using Col = TSubListColumn;

constexpr int C(Col column)
{
    return static_cast<int>(column);
}

struct TColumnLook {
    const char* heading;
    int width;
};
constexpr TColumnLook kColumns[kSubListColumnCount] = {
    {"Sub", 44}, {"Name", 160}, {"Type", 90}, {"Time Up", 70}, {"Time Hold", 76}, {"Time Down", 80},
};

const char* const kSelectedPageStyle = "background-color: rgb(80, 112, 160); color: white;";
const char* const kPageStyle = "background-color: rgb(192, 208, 224); color: black;";

// Names are single bytes in the show, as on the console.
QString ToQt(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

class TfmSubList::TCells final : public IGridSource {
public:
    explicit TCells(const TSubListSheet& sheet) : m_sheet(sheet) {}
    QString cellText(int row, int column) const override
    {
        return ToQt(m_sheet.cellText(row + 1, static_cast<Col>(column)));
    }

private:
    const TSubListSheet& m_sheet;
};

TfmSubList::TfmSubList(TEditorState& state, QWidget* parent)
    : TEditWindow(parent, "fmSubList", kSubListCaption, kSubListHelpTopic, false), m_state(state), m_sheet(state),
      m_cells(std::make_unique<TCells>(m_sheet))
{
    setWindowFlag(Qt::WindowMinimizeButtonHint);
    buildWidgets();
    showPage();
}

TfmSubList::~TfmSubList()
{
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    m_grid->setSource(nullptr);
}

// ---- Building

void TfmSubList::buildWidgets()
{
    addFileItem<TfmSubList>("mnuDelete", tr("&Delete Sub"), &TfmSubList::deleteSub);
    fileMenu()->addSeparator();
    addFileItem<TfmSubList>("mnuPrint", tr("&Print"), &TfmSubList::print);
    QMenu* setup = menuBar()->addMenu(tr("&Submaster Setup"));
    setup->setObjectName(QStringLiteral("mnuSetup"));
    AddMenuItem(setup, this, "mnuEditor", tr("&Editor"), &TfmSubList::toSubEditor);
    QAction* list = setup->addAction(tr("List"));
    list->setObjectName(QStringLiteral("mnuList"));
    list->setCheckable(true);
    list->setChecked(true);
    connect(list, &QAction::triggered, list, [list] { list->setChecked(true); }); // no command of its own
    finishMenus(tr("&Close"));

    // The table: one row per sub of the page
    m_grid = new TGrid(this);
    m_grid->setObjectName(QStringLiteral("tsGrid1"));
    m_grid->setAccessibleName(tr("Submasters of the page"));
    m_grid->setSource(m_cells.get());
    m_grid->setDimensions(kSubsPerPage, kSubListColumnCount);
    QStringList headings;
    for (const TColumnLook& look : kColumns)
        headings << tr(look.heading);
    m_grid->setHeadings(Qt::Horizontal, headings);
    m_grid->setHeadings(Qt::Vertical, {});
    m_grid->setDefaultAlignment(Qt::AlignCenter);
    m_grid->setColumnAlignment(C(Col::Name), Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->setColumnAlignment(C(Col::Type), Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->setColumnReadOnly(C(Col::Sub));
    m_grid->setColumnMask(C(Col::Name), MaskText(16));
    QStringList types;
    for (int type = kSubNormal; type <= kSubSolo; ++type)
        types << QString::fromStdString(SubTypeName(type));
    m_grid->setColumnList(C(Col::Type), types);
    for (Col column : {Col::TimeUp, Col::TimeHold, Col::TimeDown})
        m_grid->setColumnMask(C(column), MaskTime());
    m_grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grid->setSelectionMode(QAbstractItemView::SingleSelection);
    for (int column = 0; column < kSubListColumnCount; ++column)
        m_grid->setColumnWidth(column, kColumns[column].width);
    m_grid->horizontalHeader()->setStretchLastSection(true);
    connect(m_grid, &TGrid::cellEdited, this, [this](int row, int column, const QString& text) {
        m_sheet.editCell(row + 1, static_cast<Col>(column), text.toLatin1().toStdString());
        m_grid->refreshRow(row);
    });
    connect(m_grid, &TGrid::listChosen, this, [this](int row, int column, int item, const QString&) {
        if (column == C(Col::Type) && item >= 0)
            m_sheet.chooseType(row + 1, static_cast<std::uint8_t>(item + 1));
        m_grid->refreshRow(row); // typed text is undone: the row's type shows again
    });

    // The page buttons
    auto* pages = new QGridLayout;
    auto* prompt = new QLabel(QString::fromLatin1(kSubListPagePrompt), this);
    prompt->setWordWrap(true);
    pages->addWidget(prompt, 0, 0, 1, 2);
    for (int k = 1; k <= kSubPages; ++k) {
        auto* button = new QPushButton(QString::number(k), this);
        button->setObjectName(QStringLiteral("SubPanel%1").arg(k));
        button->setAccessibleName(tr("Sub page %1").arg(k));
        button->setAutoDefault(false);
        button->setFixedSize(44, 32);
        connect(button, &QPushButton::clicked, this, [this, k] { selectPage(k); });
        pages->addWidget(button, 1 + (k - 1) / 2, (k - 1) % 2);
        m_pageButtons[k - 1] = button;
    }
    m_deleteButton = addButton<TfmSubList>("DeleteButton", tr("Delete Sub"), &TfmSubList::deleteSub);
    // Unlike File > Close and the close box, the Close button closes with the OK result.
    m_btnClose = new QPushButton(tr("Close"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setAutoDefault(false); // Enter belongs to the table
    connect(m_btnClose, &QPushButton::clicked, this, [this] { closeWith(QDialog::Accepted); });

    auto* side = new QVBoxLayout;
    side->addLayout(pages);
    side->addStretch();
    side->addWidget(m_deleteButton);
    side->addWidget(m_btnClose);

    int width = 2 * m_grid->frameWidth() + 24;
    for (const TColumnLook& look : kColumns)
        width += look.width;
    m_grid->setMinimumWidth(width);
    m_grid->setMinimumHeight(m_grid->horizontalHeader()->sizeHint().height() +
                             kSubsPerPage * m_grid->verticalHeader()->defaultSectionSize() + 2 * m_grid->frameWidth());

    auto* body = new QHBoxLayout;
    body->addWidget(m_grid, 1);
    body->addSpacing(8);
    body->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar());
    layout->addLayout(body);
}

// ---- Opening, pages and closing

void TfmSubList::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_result = QDialog::Rejected;
        m_sheet.open();
        showPage();
        m_grid->setCurrentIndex(m_grid->gridModel().index(0, C(Col::Name)));
    }
    QDialog::showEvent(event);
}

void TfmSubList::showPage()
{
    for (int k = 1; k <= kSubPages; ++k)
        m_pageButtons[k - 1]->setStyleSheet(QString::fromLatin1(k == m_sheet.page() ? kSelectedPageStyle : kPageStyle));
    m_grid->refreshAll();
}

void TfmSubList::selectPage(int page)
{
    m_grid->commitEdit();
    if (m_sheet.selectPage(page))
        showPage();
    else
        m_grid->refreshAll();
}

void TfmSubList::closeWith(int result)
{
    m_result = result;
    reject();
    m_result = QDialog::Rejected;
}

void TfmSubList::toSubEditor()
{
    closeWith(kNavSubEditor);
}

bool TfmSubList::queryClose()
{
    m_grid->commitEdit();
    const bool close = m_sheet.queryClose();
    m_grid->refreshAll();
    return close;
}

// ---- Commands

void TfmSubList::deleteSub()
{
    m_grid->commitEdit();
    const int row = m_grid->currentIndex().isValid() ? m_grid->currentIndex().row() + 1 : 1;
    if (m_sheet.deleteRow(row))
        m_grid->refreshRow(row - 1);
}

void TfmSubList::print()
{
    m_grid->commitEdit();
    if (m_print)
        m_print(m_sheet.page());
}

} // namespace lumora
