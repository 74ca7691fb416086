#include "quorvel/QVType.h"

#include "shell/Platform.h"
#include "shell/WindowRegistry.h"
#include "widgets/Grid.h"

#include <QCursor>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace lumora {

namespace {

using Col = TQvTypeColumn;

constexpr int C(Col column)
{
    return static_cast<int>(column);
}

struct TColumnLook {
    const char* heading;
    int width;
};
constexpr TColumnLook kColumns[kQvTypeColumnCount] = {
    {"Attribute", 64}, {"Name", 100}, {"Width *", 70}, {"Mastering *", 84}, {"Source *", 84}};

std::string Encoded(const QString& path)
{
    return QFile::encodeName(path).toStdString();
}

} // namespace

class TfmQVType::TCells final : public IGridSource {
public:
    explicit TCells(const TQVTypeSheet& sheet) : m_sheet(sheet) {}
    QString cellText(int row, int column) const override
    {
        return QvToQt(m_sheet.cellText(row + 1, static_cast<Col>(column)));
    }

private:
    const TQVTypeSheet& m_sheet;
};

TfmQVType::TfmQVType(TEditorState& state, IShellDialogs* dialogs, const IShowsFolder* folder, QWidget* parent)
    : TQvWindow(parent, "fmQVType", kQvTypeCaption, kQvTypeHelpTopic, false), m_state(state), m_sheet(state),
      m_cells(std::make_unique<TCells>(m_sheet)), m_dialogs(dialogs), m_folder(folder)
{
    buildMenus();
    buildWidgets();
    resize(520, 640);
}

TfmQVType::~TfmQVType()
{
    m_grid->setSource(nullptr);
}

// ---- Building

void TfmQVType::buildMenus()
{
    addFileItem<TfmQVType>("mnuPrint", tr("&Print"), &TfmQVType::print);
    fileMenu()->addSeparator();
    addFileItem<TfmQVType>("mnuImport", tr("&Import"), &TfmQVType::importType);
    addFileItem<TfmQVType>("mnuSave", tr("&Save"), &TfmQVType::saveType);
    addQvSetupMenu(kNavQvType);
    finishMenus(tr("&Close"));

    // The columns' pop-up menus: a choice applies to the grid's current cell.
    auto choose = [this](QMenu* menu, const char* name, const QString& text, std::function<void(int row)> apply) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, [this, apply] {
            const int row = m_grid->currentIndex().row();
            if (row < 0)
                return;
            apply(row + 1);
            m_grid->refreshRow(row);
        });
    };
    m_mnuWidth = new QMenu(this);
    m_mnuWidth->setObjectName(QStringLiteral("mnuWidth"));
    choose(m_mnuWidth, "mnu8Bit", QString::fromLatin1(kQvWidth8), [this](int row) { m_sheet.chooseWidth(row, 0); });
    choose(m_mnuWidth, "mnu16Bit", QString::fromLatin1(kQvWidth16), [this](int row) { m_sheet.chooseWidth(row, 1); });

    m_mnuMastering = new QMenu(this);
    m_mnuMastering->setObjectName(QStringLiteral("mnuMastering"));
    choose(m_mnuMastering, "mnuMasterNone", QString::fromLatin1(kQvMasteringNone),
           [this](int row) { m_sheet.chooseMastering(row, 0); });
    m_mnuMastering->addSeparator();
    choose(m_mnuMastering, "mnuStraight", QString::fromLatin1(kQvStraight),
           [this](int row) { m_sheet.chooseMastering(row, 1); });
    choose(m_mnuMastering, "mnuInverted", QString::fromLatin1(kQvInverted),
           [this](int row) { m_sheet.chooseMastering(row, 2); });

    m_mnuSource = new QMenu(this);
    m_mnuSource->setObjectName(QStringLiteral("mnuSource"));
    for (int source = 0; source < kQvSources; ++source) {
        // Separators after <None>, after Y and after each page.
        if (source == 1 || source == 3 || source == 11 || source == 19)
            m_mnuSource->addSeparator();
        const std::string name = "mnuSource" + std::to_string(source);
        choose(m_mnuSource, name.c_str(), QvToQt(std::string(QvSourceMenuText(source))),
               [this, source](int row) { m_sheet.chooseSource(row, source); });
    }
}

void TfmQVType::buildWidgets()
{
    m_numLabel2 = new QLabel(this);
    m_numLabel2->setObjectName(QStringLiteral("NumLabel2"));
    QFont big = m_numLabel2->font();
    big.setPointSize(big.pointSize() + 4);
    big.setBold(true);
    m_numLabel2->setFont(big);
    auto* hint = new QLabel(tr(kQvTypeRightClickHint), this);
    hint->setObjectName(QStringLiteral("lblHint"));

    m_grid = new TGrid(this);
    m_grid->setObjectName(QStringLiteral("tsGrid1"));
    m_grid->setAccessibleName(tr("Attributes"));
    m_grid->setSource(m_cells.get());
    m_grid->setDimensions(kQvAttributes, kQvTypeColumnCount);
    QStringList headings;
    for (const TColumnLook& look : kColumns)
        headings << tr(look.heading);
    m_grid->setHeadings(Qt::Horizontal, headings);
    m_grid->setHeadings(Qt::Vertical, {});
    m_grid->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->setColumnAlignment(C(Col::Attribute), Qt::AlignCenter);
    for (Col column : {Col::Attribute, Col::Width, Col::Mastering, Col::Source})
        m_grid->setColumnReadOnly(C(column));
    m_grid->setColumnMask(C(Col::Name), MaskText(8));
    for (int column = 0; column < kQvTypeColumnCount; ++column)
        m_grid->setColumnWidth(column, kColumns[column].width);

    connect(m_grid, &TGrid::cellEdited, this, [this](int row, int column, const QString& text) {
        if (column == C(Col::Name))
            m_sheet.editAttributeName(row + 1, QvFromQt(text));
        m_grid->refreshRow(row);
    });
    connect(m_grid, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& index) {
        m_sheet.doubleClick(index.row() + 1, static_cast<Col>(index.column()));
        m_grid->refreshRow(index.row());
    });
    connect(m_grid, &TGrid::rightButtonReleased, this, [this](int, int) { popUpMenu(); });

    m_leftButton = new QToolButton(this);
    m_leftButton->setObjectName(QStringLiteral("LeftButton"));
    m_leftButton->setArrowType(Qt::LeftArrow);
    m_leftButton->setAccessibleName(tr("Previous type"));
    m_leftButton->setToolTip(tr("Previous type"));
    connect(m_leftButton, &QToolButton::clicked, this, [this] { move(-1); });
    m_rightButton = new QToolButton(this);
    m_rightButton->setObjectName(QStringLiteral("RightButton"));
    m_rightButton->setArrowType(Qt::RightArrow);
    m_rightButton->setAccessibleName(tr("Next type"));
    m_rightButton->setToolTip(tr("Next type"));
    connect(m_rightButton, &QToolButton::clicked, this, [this] { move(+1); });
    m_numLabel = new QLabel(this);
    m_numLabel->setObjectName(QStringLiteral("NumLabel"));
    auto* nameLabel = new QLabel(tr("Name"), this);
    nameLabel->setObjectName(QStringLiteral("lblName"));
    m_edtTypeName = new QLineEdit(this);
    m_edtTypeName->setObjectName(QStringLiteral("edtTypeName"));
    m_edtTypeName->setMaxLength(16);
    nameLabel->setBuddy(m_edtTypeName);
    m_edtTypeName->setAccessibleName(tr("Name"));
    // Every change of the text counts, typed, pasted or cut.
    connect(m_edtTypeName, &QLineEdit::textEdited, this,
            [this](const QString& text) { m_sheet.setName(QvFromQt(text)); });

    m_btnClose = new QPushButton(tr("Close"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setAutoDefault(false);
    connect(m_btnClose, &QPushButton::clicked, this, &TfmQVType::reject);

    auto* top = new QHBoxLayout;
    top->addWidget(m_numLabel2);
    top->addStretch();
    top->addWidget(hint);
    auto* panel = new QHBoxLayout;
    panel->addWidget(m_leftButton);
    panel->addWidget(m_numLabel);
    panel->addWidget(m_rightButton);
    panel->addSpacing(16);
    panel->addWidget(nameLabel);
    panel->addWidget(m_edtTypeName, 1);
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(m_btnClose);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar());
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(panel);
    layout->addLayout(bottom);
}

QMenu* TfmQVType::columnMenu(TQvTypeColumn column) const
{
    switch (column) {
    case Col::Width: return m_mnuWidth;
    case Col::Mastering: return m_mnuMastering;
    case Col::Source: return m_mnuSource;
    default: return nullptr;
    }
}

// ---- Showing

void TfmQVType::showEvent(QShowEvent* event)
{
    if (!event->spontaneous()) {
        m_sheet.open();
        loadWindow();
        m_grid->setCurrentIndex(m_grid->gridModel().index(0, C(Col::Name)));
        m_grid->scrollToTop();
    }
    QDialog::showEvent(event);
}

void TfmQVType::loadWindow()
{
    const QString caption = QvToQt(m_sheet.caption());
    m_numLabel2->setText(caption);
    m_numLabel->setText(caption);
    m_edtTypeName->setText(QvToQt(m_sheet.name()));
    m_leftButton->setEnabled(m_sheet.canGoLeft());
    m_rightButton->setEnabled(m_sheet.canGoRight());
    m_grid->refreshAll();
}

void TfmQVType::popUpMenu()
{
    if (QMenu* menu = columnMenu(static_cast<Col>(m_grid->currentIndex().column())))
        menu->exec(QCursor::pos());
}

// ---- Commands

void TfmQVType::move(int delta)
{
    m_grid->commitEdit();
    if (m_sheet.move(delta))
        loadWindow();
}

QString TfmQVType::folder() const
{
    return m_folder ? m_folder->location() : QString();
}

void TfmQVType::importType()
{
    m_grid->commitEdit();
    if (!m_dialogs)
        return;
    const auto path =
        m_dialogs->openFile(this, QvToQt(m_sheet.importTitle()), folder(), QString::fromLatin1(kQvTypeFileFilter),
                            QString::fromLatin1(kQvTypeFileExtension));
    if (!path || !TQVTypeSheet::usableFileName(Encoded(*path)))
        return;
    if (m_sheet.importFile(Encoded(*path)))
        loadWindow();
}

void TfmQVType::saveType()
{
    m_grid->commitEdit();
    if (!m_dialogs)
        return;
    const auto path =
        m_dialogs->saveFile(this, QString::fromLatin1(kQvTypeSaveTitle), folder(),
                            QString::fromLatin1(kQvTypeFileFilter), QString::fromLatin1(kQvTypeFileExtension));
    if (!path || !TQVTypeSheet::usableFileName(Encoded(*path)))
        return;
    if (QFileInfo::exists(*path) && !m_state.ui().askYesNo(kMsgOverwriteExistingFile, IUserInterface::Icon::Warning))
        return;
    m_sheet.saveFile(Encoded(*path));
}

void TfmQVType::print()
{
    m_grid->commitEdit();
    if (m_print)
        m_print(m_sheet.currentType());
}

// ---- Closing

bool TfmQVType::queryClose()
{
    m_grid->commitEdit();
    return m_sheet.queryClose();
}

} // namespace lumora
