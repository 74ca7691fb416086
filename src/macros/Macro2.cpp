#include "macros/Macro2.h"

#include "macros/KeyNames.h"
#include "macros/macroSp.h"
#include "widgets/Grid.h"

#include <QAbstractListModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <map>

namespace lumora {

namespace {

QString ToQt(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kKeyTextColumn = 0;
constexpr int kKeyColumns = 4; // text, code, first and second number

// Where each key sits in its panel (row, column), laid out as on the console; keys not
// listed fill their panel in code order, four to a row.
struct TKeyPlace {
    std::uint8_t code;
    int row, column;
};
constexpr TKeyPlace kKeypad[] = {
    {68, 0, 0}, {72, 0, 1}, {82, 0, 2}, {97, 1, 0}, {100, 1, 1}, {103, 1, 2}, {69, 2, 0},
    {71, 2, 1}, {81, 2, 2}, {99, 3, 0}, {98, 3, 1}, {70, 3, 2},  {101, 4, 0}, {102, 4, 1},
};

// "Short|Long" hints: the short part as the tool tip, the long one as the status tip.
void SetHint(QWidget* w, const QString& hint)
{
    const auto bar = hint.indexOf(QLatin1Char('|'));
    w->setToolTip(bar < 0 ? hint : hint.left(bar));
    w->setStatusTip(bar < 0 ? hint : hint.mid(bar + 1));
}

} // namespace

// The 2500 macros, each row's text asked of the key list as it is drawn.
class TfmMacro2::TMacroList final : public QAbstractListModel {
public:
    TMacroList(const TMacroKeyList& keys, QObject* parent) : QAbstractListModel(parent), m_keys(keys) {}

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : kMacros; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid())
            return {};
        return ToQt(m_keys.listText(index.row() + 1));
    }
    void refresh(int macro)
    {
        const QModelIndex i = index(macro - 1);
        emit dataChanged(i, i, {Qt::DisplayRole});
    }

private:
    const TMacroKeyList& m_keys;
};

class TfmMacro2::TKeyCells final : public IGridSource {
public:
    explicit TKeyCells(const TMacroKeyList& keys) : m_keys(keys) {}
    QString cellText(int row, int column) const override
    {
        const TKeyRow& r = m_keys.row(row + 1);
        if (column == kKeyTextColumn)
            return ToQt(r.text);
        if (r.code == 0)
            return {};
        return QString::number(column == 1 ? r.code : column == 2 ? r.first : r.second);
    }
    // The row the next key goes into.
    QColor cellBackground(int row, int) const override
    {
        return row + 1 == m_keys.currentRow() ? QColor(255, 255, 200) : QColor();
    }

private:
    const TMacroKeyList& m_keys;
};

TfmMacro2::TfmMacro2(TEditorState& state, QWidget* parent)
    : TEditWindow(parent, "fmMacro2", kMacroCaption, kMacroHelpTopic, false), m_state(state), m_keys(state),
      m_cells(std::make_unique<TKeyCells>(m_keys))
{
    setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    QPalette p = palette();
    p.setColor(QPalette::Window, kMacroBackground);
    setPalette(p);
    setAutoFillBackground(true);
    m_special = new TfmMacroSp(state.ui(), this);
    buildWidgets();
}

TfmMacro2::~TfmMacro2()
{
    m_grid->setSource(nullptr);
}

// ---- Building

void TfmMacro2::buildWidgets()
{
    addFileItem<TfmMacro2>("mnuPrint", tr("&Print"), &TfmMacro2::print);
    finishMenus(tr("&Close"));

    // The macros
    auto* macroLabel = new QLabel(tr("Macro #"), this);
    m_list = new TMacroList(m_keys, this);
    m_lbxMacNum = new QListView(this);
    m_lbxMacNum->setObjectName(QStringLiteral("lbxMacNum"));
    m_lbxMacNum->setAccessibleName(tr("Macro #"));
    m_lbxMacNum->setUniformItemSizes(true);
    m_lbxMacNum->setModel(m_list);
    m_lbxMacNum->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lbxMacNum->setFixedWidth(90);
    macroLabel->setBuddy(m_lbxMacNum);
    connect(m_lbxMacNum->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& now) { listChanged(now.row()); });

    auto* navLabel = new QLabel(tr("Navigate Macros"), this);
    const auto navButton = [this](const char* name, const QString& caption, const QString& accessible, auto slot) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAccessibleName(accessible);
        b->setToolTip(accessible);
        b->setAutoDefault(false);
        b->setFixedWidth(36);
        connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto* nav = new QHBoxLayout;
    nav->addWidget(navButton("PrevButton", QStringLiteral("<"), tr("Prev"), &TfmMacro2::goPrev));
    nav->addWidget(navButton("NextButton", QStringLiteral(">"), tr("Next"), &TfmMacro2::goNext));
    nav->addWidget(navButton("FirstButton", QStringLiteral("<<"), tr("First"), &TfmMacro2::goFirst));
    nav->addWidget(navButton("LastButton", QStringLiteral(">>"), tr("Last"), &TfmMacro2::goLast));

    // The key list
    auto* keysLabel = new QLabel(tr("Key Hits"), this);
    m_grid = new TGrid(this);
    m_grid->setObjectName(QStringLiteral("tsGrid1"));
    m_grid->setAccessibleName(tr("Key Hits"));
    keysLabel->setBuddy(m_grid);
    m_grid->setSource(m_cells.get());
    m_grid->setDimensions(kKeyListRows, kKeyColumns);
    m_grid->setHeadings(Qt::Horizontal, {});
    m_grid->setHeadings(Qt::Vertical, {});
    for (int c = 0; c < kKeyColumns; ++c)
        m_grid->setColumnReadOnly(c);
    for (int c = 1; c < kKeyColumns; ++c)
        m_grid->setColumnHidden(c, true);
    m_grid->setColumnWidth(kKeyTextColumn, 180);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setFixedWidth(200);
    m_grid->setMinimumHeight(kKeyListRows * 22 + 4);
    connect(m_grid, &TGrid::cellClicked, this, [this](int row, int, Qt::KeyboardModifiers) {
        m_keys.setCurrentRow(row + 1);
        showKeys();
    });

    const auto sideButton = [this](const char* name, const QString& caption, const QString& hint,
                                   const QString& accessible, auto slot) {
        auto* b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(caption);
        b->setAccessibleName(accessible);
        SetHint(b, hint);
        connect(b, &QToolButton::clicked, this, slot);
        return b;
    };
    auto* side = new QGridLayout;
    side->addWidget(new QLabel(tr("Delete Key Hit"), this), 0, 0);
    side->addWidget(sideButton("spbDeleteKey", QStringLiteral(">"), QStringLiteral("Delete|Delete A Keystroke"),
                               tr("Delete Key Hit"), &TfmMacro2::deleteKey),
                    0, 1);
    side->addWidget(new QLabel(tr("Clear Macro"), this), 1, 0);
    side->addWidget(sideButton("spbClearMacro", QStringLiteral(">>"), QStringLiteral("Clear|Clear The Macro"),
                               tr("Clear Macro"), &TfmMacro2::clearMacro),
                    1, 1);

    QPushButton* btnSpecial = addButton<TfmMacro2>("btnSpecial", tr("Special"), &TfmMacro2::special);
    QPushButton* btnClose = closeButton();

    auto* left = new QVBoxLayout;
    left->addWidget(macroLabel);
    left->addWidget(m_lbxMacNum, 1);
    left->addWidget(navLabel);
    left->addLayout(nav);

    auto* middle = new QVBoxLayout;
    middle->addWidget(keysLabel);
    middle->addWidget(m_grid, 1);
    middle->addLayout(side);

    auto* keyboardLabel = new QLabel(tr("Lumora Keyboard  "), this);
    QFont bold = keyboardLabel->font();
    bold.setBold(true);
    keyboardLabel->setFont(bold);
    auto* right = new QVBoxLayout;
    right->addWidget(keyboardLabel);
    right->addWidget(buildKeyboard());
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(btnSpecial);
    bottom->addWidget(btnClose);
    right->addStretch();
    right->addLayout(bottom);

    auto* layout = new QHBoxLayout(this);
    layout->setMenuBar(menuBar());
    layout->addLayout(left);
    layout->addLayout(middle);
    layout->addLayout(right, 1);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* TfmMacro2::buildKeyboard()
{
    auto* board = new QWidget(this);
    board->setObjectName(QStringLiteral("pnlKeyboard"));
    std::map<std::string_view, QGroupBox*> boxes;
    std::map<std::string_view, QGridLayout*> grids;
    std::map<std::string_view, int> placed;
    for (const std::string_view group : kConsoleKeyGroups) {
        auto* box = new QGroupBox(ToQt(group), board);
        box->setObjectName(QStringLiteral("gb") + ToQt(group).simplified().remove(QLatin1Char(' ')));
        boxes[group] = box;
        grids[group] = new QGridLayout(box);
        grids[group]->setSpacing(3);
    }
    const int perRow = 4;
    for (const TConsoleKey& key : kConsoleKeys) {
        auto* b = new QPushButton(ToQt(key.caption), boxes[key.group]);
        b->setObjectName(QStringLiteral("btnKey%1").arg(key.code));
        b->setProperty("keyCode", key.code);
        b->setToolTip(key.hint.empty() ? ToQt(key.name) : ToQt(key.hint));
        b->setAccessibleName(ToQt(key.name));
        b->setAccessibleDescription(key.hint.empty() ? ToQt(key.caption) : ToQt(key.hint));
        b->setAutoDefault(false);
        b->setMinimumWidth(key.caption.size() > 6 ? 72 : 46);
        connect(b, &QPushButton::clicked, this, [this, code = key.code] { keyClicked(code); });
        int row = 0, column = 0;
        const TKeyPlace* place = nullptr;
        if (key.group == kGroupKeypad)
            for (const TKeyPlace& p : kKeypad)
                if (p.code == key.code)
                    place = &p;
        if (place) {
            row = place->row;
            column = place->column;
        } else {
            const int n = placed[key.group]++;
            const int width = key.group == kGroupABFader || key.group == kGroupXYFader ? 2 : perRow;
            row = n / width;
            column = n % width;
        }
        grids[key.group]->addWidget(b, row, column);
    }
    // The panels as on the console: the faders and the screen keys along the top, the
    // action and Quorvel keys under them, the function keys and the keypad in front.
    auto* layout = new QGridLayout(board);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(boxes[kGroupABFader], 0, 0);
    layout->addWidget(boxes[kGroupXYFader], 0, 1);
    layout->addWidget(boxes[kGroupScreenKeys], 0, 2);
    layout->addWidget(boxes[kGroupActionKeys], 1, 0, 1, 2);
    layout->addWidget(boxes[kGroupQuorvelKeys], 1, 2);
    layout->addWidget(boxes[kGroupFunctionKeys], 2, 0, 1, 2);
    layout->addWidget(boxes[kGroupKeypad], 2, 2);
    return board;
}

// ---- Opening and showing

void TfmMacro2::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        openMacro();
    QDialog::showEvent(event);
}

void TfmMacro2::openMacro()
{
    m_keys.open();
    {
        const QSignalBlocker quiet(m_lbxMacNum->selectionModel());
        const QModelIndex first = m_list->index(0);
        m_lbxMacNum->selectionModel()->setCurrentIndex(first, QItemSelectionModel::ClearAndSelect);
        m_lbxMacNum->scrollToTop();
    }
    m_list->refresh(1);
    emit m_list->dataChanged(m_list->index(0), m_list->index(kMacros - 1), {Qt::DisplayRole});
    showKeys();
    m_lbxMacNum->setFocus();
}

void TfmMacro2::showKeys()
{
    m_grid->refreshAll();
    const QSignalBlocker quiet(m_grid->selectionModel());
    m_grid->setCurrentIndex(m_grid->gridModel().index(m_keys.currentRow() - 1, kKeyTextColumn));
    m_grid->verticalScrollBar()->setValue(m_keys.topRow() - 1);
}

void TfmMacro2::refreshListRow(int macro)
{
    m_list->refresh(macro);
}

// ---- Choosing a macro

void TfmMacro2::select(int macro)
{
    if (macro < 1 || macro > kMacros)
        return;
    m_lbxMacNum->selectionModel()->setCurrentIndex(m_list->index(macro - 1), QItemSelectionModel::ClearAndSelect);
    m_lbxMacNum->scrollTo(m_list->index(macro - 1));
}

void TfmMacro2::listChanged(int row)
{
    const int macro = row + 1;
    const int was = m_keys.current();
    if (macro < 1 || macro == was)
        return;
    if (!m_keys.choose(macro)) {
        const QSignalBlocker quiet(m_lbxMacNum->selectionModel());
        m_lbxMacNum->selectionModel()->setCurrentIndex(m_list->index(was - 1), QItemSelectionModel::ClearAndSelect);
        return;
    }
    refreshListRow(was);
    showKeys();
    m_grid->setFocus();
}

void TfmMacro2::goFirst()
{
    select(m_keys.firstMacro());
}

void TfmMacro2::goLast()
{
    select(m_keys.lastMacro());
}

void TfmMacro2::goPrev()
{
    if (const int m = m_keys.prevMacro())
        select(m);
}

void TfmMacro2::goNext()
{
    if (const int m = m_keys.nextMacro())
        select(m);
}

// ---- Edits

void TfmMacro2::keyClicked(std::uint8_t code)
{
    if (m_keys.addKey(code))
        showKeys();
}

void TfmMacro2::special()
{
    if (m_special->exec() != QDialog::Accepted)
        return;
    m_keys.addSpecial(m_special->kind(), m_special->first(), m_special->second());
    showKeys();
}

void TfmMacro2::deleteKey()
{
    if (m_keys.deleteKey())
        showKeys();
}

void TfmMacro2::clearMacro()
{
    if (m_keys.clearMacro())
        showKeys();
}

void TfmMacro2::print()
{
    if (m_print)
        m_print(m_keys.current());
}

// ---- Closing

bool TfmMacro2::queryClose()
{
    const bool close = m_keys.queryClose();
    refreshListRow(m_keys.current());
    showKeys();
    return close;
}

} // namespace lumora
