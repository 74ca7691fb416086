#include "subs/SubEdit.h"

#include "cues/CueDialogs.h"
#include "cues/InputLev2.h"
#include "shell/WindowRegistry.h"
#include "show/LumoraError.h"
#include "widgets/Grid.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

namespace lumora {

namespace {

constexpr int kCellWidth = 38;
constexpr int kCellHeight = 20;
constexpr int kRowsInView = 24;

const QColor kChannelRowColour{32, 192, 192};
const QColor kLevelRowColour{192, 208, 224};
const QColor kSelectedColour{80, 112, 160};

// Names are single bytes in the show, as on the console.
QString NameToQt(const std::string& name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

QLabel* ColourLegend(QWidget* parent, const QString& text, const QColor& colour)
{
    auto* label = new QLabel(text, parent);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setFrameShape(QFrame::Box);
    return label;
}

// Only digits fit a page or sub number; the session judges the range.
QLineEdit* NumberEdit(QWidget* parent, const char* name, const char* hint, int width)
{
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaxLength(2);
    edit->setToolTip(QString::fromLatin1(hint));
    edit->setFixedWidth(width);
    return edit;
}

} // namespace

// The grid's cells, drawn from the session: channel numbers on the even rows, the level
// cells below them.
class TfmSubEdit::TLevelCells final : public IGridSource {
public:
    explicit TLevelCells(const TSubEditSession& session) : m_session(session) {}

    QString cellText(int row, int column) const override
    {
        const int channel = SubGridChannel(row, column);
        if (IsSubChannelRow(row))
            return QString::number(channel);
        return QString::fromStdString(m_session.levelText(channel));
    }
    QColor cellFontColour(int row, int column) const override
    {
        if (IsSubChannelRow(row) && m_session.channelHighlighted(SubGridChannel(row, column)))
            return Qt::white;
        return Qt::black;
    }
    QColor cellBackground(int row, int column) const override
    {
        if (IsSubChannelRow(row) && m_session.channelHighlighted(SubGridChannel(row, column)))
            return kSelectedColour;
        return {};
    }

private:
    const TSubEditSession& m_session;
};

TfmSubEdit::TfmSubEdit(TEditorState& state, TCueDialogs& dialogs, QWidget* parent)
    : TEditWindow(parent, "fmSubEdit", kSubEditorCaption, kSubEditorHelpTopic, false), m_state(state), m_session(state),
      m_cells(std::make_unique<TLevelCells>(m_session)), m_beep([] { QApplication::beep(); }),
      m_inputLevel(dialogs.inputLevel())
{
    buildWidgets();
    showSub();
}

TfmSubEdit::~TfmSubEdit()
{
    // Closing moves the focus out of the boxes; nothing here may answer that once the
    // members are gone.
    for (QObject* child : findChildren<QObject*>()) {
        child->disconnect(this);
        child->removeEventFilter(this);
    }
    m_grid->setSource(nullptr);
}

// ---- Building

void TfmSubEdit::buildWidgets()
{
    addFileItem<TfmSubEdit>("mnuPrint", tr("Print"), &TfmSubEdit::print);
    fileMenu()->addSeparator();
    addFileItem<TfmSubEdit>("mnuDelete", tr("&Delete Sub"), &TfmSubEdit::deleteSub);
    addFileItem<TfmSubEdit>("mnuCopy", tr("&Copy"), &TfmSubEdit::copyLevels, QKeySequence(Qt::CTRL | Qt::Key_C));
    addFileItem<TfmSubEdit>("mnuPaste", tr("&Paste"), &TfmSubEdit::pasteLevels, QKeySequence(Qt::CTRL | Qt::Key_V));
    // The menu itself is the command: opening it hands over, whatever is picked in it.
    m_setupMenu = menuBar()->addMenu(tr("&Submaster Setup"));
    m_setupMenu->setObjectName(QStringLiteral("mnuSetup"));
    QAction* editor = m_setupMenu->addAction(tr("Editor"));
    editor->setObjectName(QStringLiteral("mnuEditor"));
    editor->setCheckable(true);
    editor->setChecked(true);
    m_setupMenu->addAction(tr("&List"))->setObjectName(QStringLiteral("mnuList"));
    connect(m_setupMenu, &QMenu::aboutToHide, this, [this] { QTimer::singleShot(0, this, &TfmSubEdit::toSubList); });
    finishMenus(tr("Close"));

    // The level grid
    m_grid = new TGrid(this);
    m_grid->setObjectName(QStringLiteral("tsGrid1"));
    m_grid->setAccessibleName(tr("Channel levels"));
    m_grid->setSource(m_cells.get());
    m_grid->setDimensions(kSubGridRows, kSubGridColumns);
    m_grid->setCellSize(kCellWidth, kCellHeight);
    m_grid->setDefaultAlignment(Qt::AlignCenter);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    m_grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    for (int row = 0; row < kSubGridRows; ++row) {
        if (IsSubChannelRow(row)) {
            m_grid->setRowReadOnly(row);
            m_grid->setRowBackground(row, kChannelRowColour);
        } else {
            m_grid->setRowBackground(row, kLevelRowColour);
            m_grid->setRowMask(row, MaskLevel());
        }
    }
    const int frame = 2 * m_grid->frameWidth();
    const int scrollBar = m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_grid->setFixedWidth(kCellWidth * kSubGridColumns + frame + scrollBar + 2);
    m_grid->setMinimumHeight(kCellHeight * kRowsInView + frame);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(m_grid, &TGrid::cellTyping, this, [this] {
        m_session.levelTyped();
        showFields();
    });
    connect(m_grid, &TGrid::cellEdited, this, &TfmSubEdit::levelEdited);
    connect(m_grid, &TGrid::cellClicked, this, &TfmSubEdit::gridClicked);
    connect(m_grid, &TGrid::rightButtonReleased, this, &TfmSubEdit::gridRightReleased);

    m_subLabel = new QLabel(this);
    m_subLabel->setObjectName(QStringLiteral("SubLabel"));
    QFont big = m_subLabel->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    m_subLabel->setFont(big);
    QPalette blue = m_subLabel->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    m_subLabel->setPalette(blue);
    m_subLabel->setAlignment(Qt::AlignCenter);

    auto* top = new QHBoxLayout;
    top->addStretch();
    top->addWidget(m_subLabel);
    top->addStretch();
    top->addWidget(ColourLegend(this, tr(" Channels "), kChannelRowColour));
    top->addWidget(ColourLegend(this, tr(" Levels (0..100) "), kLevelRowColour));

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar());
    layout->addLayout(top);
    layout->addWidget(m_grid, 1, Qt::AlignHCenter);
    layout->addWidget(buildFields());
}

QWidget* TfmSubEdit::buildFields()
{
    auto* panel = new QWidget(this);
    auto* grid = new QGridLayout(panel);
    grid->setContentsMargins(0, 0, 0, 0);
    auto caption = [panel](const QString& text, QWidget* buddy) {
        auto* label = new QLabel(text, panel);
        label->setBuddy(buddy);
        return label;
    };
    const int numberWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 12;
    const int timeWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12;

    // Page and sub, the arrows
    m_pageEdit = NumberEdit(panel, "PageEdit", "1 - 12", numberWidth);
    m_subEdit = NumberEdit(panel, "SubEdit", "1 - 24", numberWidth);
    for (QLineEdit* edit : {m_pageEdit, m_subEdit})
        edit->installEventFilter(this);
    m_leftButton = new QPushButton(style()->standardIcon(QStyle::SP_ArrowLeft), QString(), panel);
    m_leftButton->setObjectName(QStringLiteral("LeftButton"));
    m_leftButton->setToolTip(tr("Previous sub"));
    m_leftButton->setAccessibleName(tr("Previous sub"));
    m_rightButton = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight), QString(), panel);
    m_rightButton->setObjectName(QStringLiteral("RightButton"));
    m_rightButton->setToolTip(tr("Next sub"));
    m_rightButton->setAccessibleName(tr("Next sub"));
    connect(m_leftButton, &QPushButton::clicked, this, &TfmSubEdit::previousSub);
    connect(m_rightButton, &QPushButton::clicked, this, &TfmSubEdit::nextSub);

    auto* entry = new QHBoxLayout;
    entry->addWidget(caption(tr("Page"), m_pageEdit));
    entry->addWidget(m_pageEdit);
    entry->addSpacing(8);
    entry->addWidget(caption(tr("Sub"), m_subEdit));
    entry->addWidget(m_subEdit);
    entry->addSpacing(8);
    entry->addWidget(new QLabel(tr("Press <Enter> to Select"), panel));
    entry->addStretch();
    entry->addWidget(m_leftButton);
    entry->addWidget(m_rightButton);
    grid->addLayout(entry, 0, 0, 1, 8);

    // Name, type and times
    m_nameEdit = new QLineEdit(panel);
    m_nameEdit->setObjectName(QStringLiteral("NameEdit"));
    m_nameEdit->setMaxLength(16);
    connect(m_nameEdit, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_session.editName(text.toLatin1().toStdString());
        showFields();
    });
    m_typeCombo = new QComboBox(panel);
    m_typeCombo->setObjectName(QStringLiteral("TypeCombo"));
    m_typeCombo->setPlaceholderText(QString::fromLatin1(kSubTypeNone));
    for (int type = kSubNormal; type <= kSubSolo; ++type)
        m_typeCombo->addItem(QString::fromStdString(SubTypeName(type)));
    m_typeCombo->installEventFilter(this); // typed keys are ignored: a type is picked from the list
    connect(m_typeCombo, &QComboBox::activated, this, [this](int item) {
        if (item >= 0)
            m_session.chooseType(static_cast<std::uint8_t>(item + 1));
        showFields();
    });
    grid->addWidget(caption(tr("Name"), m_nameEdit), 1, 0, Qt::AlignRight);
    grid->addWidget(m_nameEdit, 1, 1, 1, 3);
    grid->addWidget(caption(tr("Type"), m_typeCombo), 1, 4, Qt::AlignRight);
    grid->addWidget(m_typeCombo, 1, 5, 1, 2);

    const char* const names[] = {"TimeUpEdit", "TimeHoldEdit", "TimeDownEdit"};
    const char* const captions[] = {"Time Up", "Time Hold", "Time Down"};
    for (int t = 0; t < 3; ++t) {
        auto* edit = new QLineEdit(panel);
        edit->setObjectName(QString::fromLatin1(names[t]));
        edit->setToolTip(QStringLiteral("0.0 - 999.9"));
        edit->setMaxLength(5);
        edit->setFixedWidth(timeWidth);
        edit->installEventFilter(this);
        m_timeEdits[t] = edit;
        const auto time = static_cast<TSubTime>(t);
        connect(edit, &QLineEdit::textEdited, this, [this, time](const QString& text) {
            m_session.editTime(time, text.toStdString());
            showFields();
        });
        grid->addWidget(caption(tr(captions[t]), edit), 2, t * 2, Qt::AlignRight);
        grid->addWidget(edit, 2, t * 2 + 1);
    }
    m_btnClose = new QPushButton(tr("Close"), panel);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setAutoDefault(false);
    connect(m_btnClose, &QPushButton::clicked, this, [this] {
        m_result = QDialog::Accepted;
        reject();
        m_result = QDialog::Rejected;
    });
    grid->addWidget(m_btnClose, 2, 7, Qt::AlignRight);
    grid->setColumnStretch(6, 1);
    for (QPushButton* b : {m_leftButton, m_rightButton})
        b->setAutoDefault(false);
    return panel;
}

// ---- Opening and closing

void TfmSubEdit::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    m_result = QDialog::Rejected;
    m_session.open();
    showSub();
    m_grid->scrollToTop();
    m_grid->setCurrentIndex(m_grid->gridModel().index(1, 0));
    m_grid->setFocus();
}

bool TfmSubEdit::queryClose()
{
    m_grid->commitEdit();
    const bool close = m_session.queryClose();
    showSub();
    return close;
}

void TfmSubEdit::toSubList()
{
    if (!isVisible())
        return;
    m_result = kNavSubList;
    reject();
    m_result = QDialog::Rejected;
}

// ---- Showing the session

void TfmSubEdit::showSub()
{
    m_subLabel->setText(QString::fromStdString(m_session.label()));
    m_pageEdit->setText(QString::number(m_session.page()));
    m_subEdit->setText(QString::number(m_session.sub()));
    m_leftButton->setEnabled(m_session.canGoBack());
    m_rightButton->setEnabled(m_session.canGoForward());
    m_nameEdit->setText(NameToQt(m_session.name()));
    for (int t = 0; t < 3; ++t)
        m_timeEdits[t]->setText(QString::fromStdString(m_session.timeText(static_cast<TSubTime>(t))));
    showFields();
    m_grid->refreshAll();
}

void TfmSubEdit::showFields()
{
    const QSignalBlocker block(m_typeCombo);
    m_typeCombo->setCurrentIndex(static_cast<int>(m_session.type()) - 1); // -1 shows "None"
}

void TfmSubEdit::beep()
{
    if (m_beep)
        m_beep();
}

// ---- The grid

void TfmSubEdit::levelEdited(int row, int column, const QString& text)
{
    if (IsSubChannelRow(row))
        return;
    m_session.editLevel(SubGridChannel(row, column), text.toStdString());
    m_grid->refreshCell(row, column);
    showFields();
}

void TfmSubEdit::gridClicked(int row, int column, Qt::KeyboardModifiers modifiers)
{
    if (!IsSubChannelRow(row))
        return; // level cells take the focus, not the selection
    modifiers &= ~Qt::KeypadModifier;
    const TSubClick click = modifiers == Qt::NoModifier      ? TSubClick::Plain
                            : modifiers == Qt::ShiftModifier ? TSubClick::Shift
                                                             : TSubClick::Other;
    if (!m_session.clickChannel(SubGridChannel(row, column), click))
        beep();
    m_grid->refreshAll();
}

void TfmSubEdit::gridRightReleased()
{
    m_grid->commitEdit();
    if (!m_session.hasSelection()) {
        beep();
        return;
    }
    if (m_inputLevel.exec() == QDialog::Accepted)
        m_session.setChannelLevels(m_inputLevel.level());
    showFields();
    m_grid->refreshAll();
}

// ---- The boxes

bool TfmSubEdit::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (watched == m_pageEdit || watched == m_subEdit)
            return pageSubKey(key) || QDialog::eventFilter(watched, event);
        if (watched == m_typeCombo && !key->text().isEmpty() && key->text().at(0).isPrint())
            return true;
    }
    if (event->type() != QEvent::FocusOut || m_checkingTime)
        return QDialog::eventFilter(watched, event);
    // Leaving a time box runs its check; a box that fails takes the focus back. Focus
    // going to a message box or another window is not leaving.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return QDialog::eventFilter(watched, event);
    for (QLineEdit* edit : m_timeEdits)
        if (watched == edit)
            timeLeft(edit);
    return QDialog::eventFilter(watched, event);
}

bool TfmSubEdit::pageSubKey(QKeyEvent* key)
{
    const int k = key->key();
    if (k != Qt::Key_Return && k != Qt::Key_Enter && k != Qt::Key_Tab)
        return false;
    if (m_pageEdit->text().isEmpty() || m_subEdit->text().isEmpty())
        return false;
    m_grid->commitEdit();
    m_session.enterPageSub(m_pageEdit->text().toStdString(), m_subEdit->text().toStdString());
    showSub(); // the entries show the sub on display again, moved or not
    return true;
}

void TfmSubEdit::timeLeft(QLineEdit* edit)
{
    const int t = static_cast<int>(std::find(std::begin(m_timeEdits), std::end(m_timeEdits), edit) - m_timeEdits);
    m_checkingTime = true;
    const bool ok = m_session.checkTime(static_cast<TSubTime>(t));
    m_checkingTime = false;
    if (!ok) {
        QTimer::singleShot(0, edit, [edit] {
            edit->setFocus(Qt::OtherFocusReason);
            edit->selectAll();
        });
    }
}

// ---- Moving between subs

void TfmSubEdit::previousSub()
{
    m_grid->commitEdit();
    try {
        m_session.goBack();
    } catch (const ELumoraError& e) {
        m_state.ui().error(e.what());
    }
    showSub();
}

void TfmSubEdit::nextSub()
{
    m_grid->commitEdit();
    try {
        m_session.goForward();
    } catch (const ELumoraError& e) {
        m_state.ui().error(e.what());
    }
    showSub();
}

// ---- Menu commands

void TfmSubEdit::deleteSub()
{
    m_grid->commitEdit();
    if (m_session.deleteSub())
        showSub();
}

void TfmSubEdit::copyLevels()
{
    m_grid->commitEdit();
    if (!m_session.copyLevels())
        beep();
}

void TfmSubEdit::pasteLevels()
{
    m_grid->commitEdit();
    if (!m_session.pasteLevels())
        beep();
    showFields();
    m_grid->refreshAll();
}

void TfmSubEdit::print()
{
    m_grid->commitEdit();
    if (m_print)
        m_print(m_session.page(), m_session.sub());
}

} // namespace lumora
