#include "cues/CueEdit2.h"

#include "cues/CueDialogs.h"
#include "cues/CueList.h"
#include "cues/InputLev2.h"
#include "cues/InsertQ.h"
#include "show/LumoraError.h"
#include "widgets/Grid.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace lumora {

namespace {

using Icon = IUserInterface::Icon;

constexpr int kCellWidth = 38;
constexpr int kCellHeight = 20;
constexpr int kRowsInView = 24;

// Names are single bytes in the show, as on the console.
QString NameToQt(const std::string& name)
{
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}
std::string NameFromQt(const QString& name)
{
    return name.toLatin1().toStdString();
}

QString ToQt(const std::string& text)
{
    return QString::fromStdString(text);
}

QLabel* ColourLegend(QWidget* parent, const char* text, const QColor& colour)
{
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setAutoFillBackground(true);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::WindowText, Qt::black);
    label->setPalette(palette);
    label->setFrameShape(QFrame::Box);
    return label;
}

} // namespace

// The grid's cells, drawn from the session: channel numbers on the even rows, the levels
// of the cue on display below them.
class TfmCueEdit2::TLevelCells final : public IGridSource {
public:
    explicit TLevelCells(const TCueEditSession& session) : m_session(session) {}

    QString cellText(int row, int column) const override
    {
        const int channel = CueGridChannel(row, column);
        if (IsChannelNumberRow(row))
            return QString::number(channel);
        return ToQt(m_session.levelText(channel));
    }
    QColor cellFontColour(int row, int column) const override
    {
        if (IsChannelNumberRow(row))
            return m_session.channelHighlighted(CueGridChannel(row, column)) ? QColor(Qt::white) : QColor(Qt::black);
        return m_session.levelTracked(CueGridChannel(row, column)) ? QColor(Qt::red) : QColor(Qt::black);
    }
    QColor cellBackground(int row, int column) const override
    {
        if (IsChannelNumberRow(row) && m_session.channelHighlighted(CueGridChannel(row, column)))
            return kSelectedChannelColour;
        return {};
    }

private:
    const TCueEditSession& m_session;
};

TfmCueEdit2::TfmCueEdit2(TEditorState& state, TCueDialogs& dialogs, QWidget* parent)
    : TEditWindow(parent, "fmCueEdit2", kCueEditorCaption, kCueEditorHelpTopic, false), m_state(state),
      m_session(state), m_cells(std::make_unique<TLevelCells>(m_session)), m_beep([] { QApplication::beep(); }),
      m_insertQ(dialogs.insertQ()), m_inputLevel(dialogs.inputLevel())
{
    buildWidgets();
    m_session.clearDisplay();
    showCue();
}

TfmCueEdit2::~TfmCueEdit2()
{
    // Closing the window moves the focus out of its boxes; nothing of this window may
    // answer that once its members are gone.
    for (QObject* child : findChildren<QObject*>())
        child->disconnect(this);
    for (QLineEdit* edit : m_fieldEdits)
        edit->removeEventFilter(this);
    m_listBox->viewport()->removeEventFilter(this);
    m_grid->setSource(nullptr);
}

// ---- Building

void TfmCueEdit2::buildWidgets()
{
    // Menu
    auto action = [this](const char* name, const QString& text, auto slot, const QKeySequence& key = {}) {
        return addFileItem<TfmCueEdit2>(name, text, slot, key);
    };
    m_mnuInsert = action("mnuInsert", tr("&Insert Cue"), &TfmCueEdit2::insertCue);
    m_mnuDelete = action("mnuDelete", tr("&Delete Cue"), &TfmCueEdit2::deleteCue);
    m_mnuCopy = action("mnuCopy", tr("&Copy"), &TfmCueEdit2::copyLevels, QKeySequence(Qt::CTRL | Qt::Key_C));
    m_mnuPaste = action("mnuPaste", tr("&Paste"), &TfmCueEdit2::pasteLevels, QKeySequence(Qt::CTRL | Qt::Key_V));
    finishMenus(tr("Close"));

    // The level grid
    m_grid = new TGrid(this);
    m_grid->setObjectName(QStringLiteral("tsGrid1"));
    m_grid->setAccessibleName(tr("Channel levels"));
    m_grid->setSource(m_cells.get());
    m_grid->setDimensions(kCueGridRows, kCueGridColumns);
    m_grid->setCellSize(kCellWidth, kCellHeight);
    m_grid->setDefaultAlignment(Qt::AlignCenter);
    m_grid->horizontalHeader()->hide();
    m_grid->verticalHeader()->hide();
    for (int row = 0; row < kCueGridRows; ++row) {
        if (IsChannelNumberRow(row)) {
            m_grid->setRowReadOnly(row);
            m_grid->setRowBackground(row, kChannelRowColour);
        } else {
            m_grid->setRowBackground(row, kLevelRowColour);
            m_grid->setRowMask(row, MaskLevel());
        }
    }
    const int frame = 2 * m_grid->frameWidth();
    const int scrollBar = m_grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    m_grid->setFixedWidth(kCellWidth * kCueGridColumns + frame + scrollBar + 2);
    m_grid->setMinimumHeight(kCellHeight * kRowsInView + frame);
    m_grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(m_grid, &TGrid::cellTyping, this, &TfmCueEdit2::levelTyping);
    connect(m_grid, &TGrid::cellEdited, this, &TfmCueEdit2::levelEdited);
    connect(m_grid, &TGrid::cellClicked, this, &TfmCueEdit2::gridClicked);
    connect(m_grid, &TGrid::rightButtonReleased, this, &TfmCueEdit2::gridRightReleased);

    auto* legend = new QHBoxLayout;
    legend->addWidget(ColourLegend(this, " Channels ", kChannelRowColour));
    legend->addWidget(ColourLegend(this, " Levels (0..100) ", kLevelRowColour));
    legend->addStretch();

    // The cue list and the arrows
    m_cueLabel = new QLabel(this);
    m_cueLabel->setObjectName(QStringLiteral("CueLabel"));
    QFont big = m_cueLabel->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.3);
    m_cueLabel->setFont(big);
    m_cueLabel->setAlignment(Qt::AlignCenter);
    m_leftButton = new QPushButton(style()->standardIcon(QStyle::SP_ArrowLeft), QString(), this);
    m_leftButton->setObjectName(QStringLiteral("LeftButton"));
    m_leftButton->setAccessibleName(tr("Previous cue"));
    m_leftButton->setToolTip(tr("Previous cue"));
    m_rightButton = new QPushButton(style()->standardIcon(QStyle::SP_ArrowRight), QString(), this);
    m_rightButton->setObjectName(QStringLiteral("RightButton"));
    m_rightButton->setAccessibleName(tr("Next cue"));
    m_rightButton->setToolTip(tr("Next cue"));
    for (QPushButton* b : {m_leftButton, m_rightButton})
        b->setAutoDefault(false);
    connect(m_leftButton, &QPushButton::clicked, this, &TfmCueEdit2::previousCue);
    connect(m_rightButton, &QPushButton::clicked, this, &TfmCueEdit2::nextCue);
    m_listBox = new QListWidget(this);
    m_listBox->setObjectName(QStringLiteral("ListBox1"));
    m_listBox->setAccessibleName(tr("Cues"));
    m_listBox->setFixedWidth(120);
    m_listBox->viewport()->installEventFilter(this);
    connect(m_listBox, &QListWidget::currentRowChanged, this, &TfmCueEdit2::listPicked);
    m_cueCheckBox = new QCheckBox(tr("Cue Only Mode"), this);
    m_cueCheckBox->setObjectName(QStringLiteral("CueCheckBox"));
    connect(m_cueCheckBox, &QCheckBox::toggled, this, [this](bool on) { m_session.setCueOnlyMode(on); });

    auto* arrows = new QHBoxLayout;
    arrows->addWidget(m_leftButton);
    arrows->addWidget(m_rightButton);
    auto* side = new QVBoxLayout;
    side->addWidget(m_cueLabel);
    side->addLayout(arrows);
    side->addSpacing(8);
    side->addWidget(new QLabel(tr("Cue #"), this), 0, Qt::AlignHCenter);
    side->addWidget(m_listBox, 1, Qt::AlignHCenter);
    side->addSpacing(8);
    side->addWidget(m_cueCheckBox);

    // The edit boxes
    struct TBox {
        TCueField field;
        const char* objectName;
        const char* caption;
        int maxLength;
        const char* hint;
    };
    const TBox boxes[] = {
        {TCueField::Name, "NameEdit", "Name", 16, nullptr},
        {TCueField::TimeUp, "TimeUpEdit", "Time Up", 5, "0.0 - 999.9 sec."},
        {TCueField::TimeDown, "TimeDownEdit", "Time Down", 5, "0.0 - 999.9 sec."},
        {TCueField::DelayUp, "DelayUpEdit", "Delay Up", 5, "0.0 - 999.9 sec."},
        {TCueField::DelayDown, "DelayDownEdit", "Delay Down", 5, "0.0 - 999.9 sec."},
        {TCueField::Link, "LinkEdit", "Link", 5, "0.1 - 999.9"},
        {TCueField::Macro, "MacroEdit", "Macro", 4, "0 or 1 - 2500"},
    };
    auto* fields = new QGridLayout;
    auto place = [fields](QLabel* caption, QWidget* box, int row, int column) {
        caption->setBuddy(box);
        fields->addWidget(caption, row, column * 2, Qt::AlignRight);
        fields->addWidget(box, row, column * 2 + 1);
    };
    for (const TBox& b : boxes) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(b.objectName));
        edit->setMaxLength(b.maxLength);
        if (b.hint)
            edit->setToolTip(QString::fromLatin1(b.hint));
        edit->installEventFilter(this);
        m_fieldEdits[static_cast<int>(b.field)] = edit;
        const TCueField f = b.field;
        connect(edit, &QLineEdit::textEdited, this, [this, f](const QString& text) {
            m_session.editField(f, f == TCueField::Name ? NameFromQt(text) : text.toStdString());
        });
    }
    m_typeCombo = new QComboBox(this);
    m_typeCombo->setObjectName(QStringLiteral("TypeCombo"));
    m_typeCombo->setEditable(true);
    m_typeCombo->setInsertPolicy(QComboBox::NoInsert);
    for (int code = kCuePreset; code <= kCueMultipart; ++code)
        m_typeCombo->addItem(ToQt(CueTypeName(code)));
    connect(m_typeCombo, &QComboBox::activated, this, [this](int item) { typeChosen(m_typeCombo->itemText(item)); });
    connect(m_typeCombo->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { typeChosen(m_typeCombo->currentText()); });

    const int timeWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000000")) + 12;
    for (TCueField f : {TCueField::TimeUp, TCueField::TimeDown, TCueField::DelayUp, TCueField::DelayDown,
                        TCueField::Link, TCueField::Macro})
        fieldEdit(f)->setFixedWidth(timeWidth);
    place(new QLabel(tr("Name"), this), fieldEdit(TCueField::Name), 0, 0);
    fields->addWidget(m_typeCombo, 0, 3, 1, 3);
    auto* typeLabel = new QLabel(tr("Type"), this);
    typeLabel->setBuddy(m_typeCombo);
    fields->addWidget(typeLabel, 0, 2, Qt::AlignRight);
    place(new QLabel(tr("Time Up"), this), fieldEdit(TCueField::TimeUp), 1, 0);
    place(new QLabel(tr("Time Down"), this), fieldEdit(TCueField::TimeDown), 1, 1);
    place(new QLabel(tr("Link"), this), fieldEdit(TCueField::Link), 1, 2);
    place(new QLabel(tr("Delay Up"), this), fieldEdit(TCueField::DelayUp), 2, 0);
    place(new QLabel(tr("Delay Down"), this), fieldEdit(TCueField::DelayDown), 2, 1);
    place(new QLabel(tr("Macro"), this), fieldEdit(TCueField::Macro), 2, 2);
    fields->setColumnStretch(6, 1);

    m_btnClose = new QPushButton(tr("Close"), this);
    m_btnClose->setObjectName(QStringLiteral("btnClose"));
    m_btnClose->setAutoDefault(false);
    connect(m_btnClose, &QPushButton::clicked, this, &TfmCueEdit2::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addLayout(fields, 1);
    bottom->addSpacing(16);
    bottom->addWidget(m_btnClose, 0, Qt::AlignBottom);

    auto* left = new QVBoxLayout;
    left->addLayout(legend);
    left->addWidget(m_grid, 1);
    auto* top = new QHBoxLayout;
    top->addLayout(left);
    top->addSpacing(8);
    top->addLayout(side);

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(menuBar());
    layout->addLayout(top, 1);
    layout->addSpacing(6);
    layout->addLayout(bottom);
}

// ---- Opening and closing

void TfmCueEdit2::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    openEditor();
    // The question comes once the window is on screen.
    QTimer::singleShot(0, this, &TfmCueEdit2::askInsertWhileEmpty);
}

void TfmCueEdit2::openEditor()
{
    {
        const QSignalBlocker block(m_cueCheckBox);
        m_cueCheckBox->setChecked(false);
    }
    m_session.open();
    showCue();
    m_grid->scrollToTop();
    m_grid->setCurrentIndex(m_grid->gridModel().index(1, 0));
    m_grid->setFocus();
}

void TfmCueEdit2::askInsertWhileEmpty()
{
    // Asked each time the window comes back from a dialog while it has no cues, until
    // the user declines or a cue exists.
    while (isVisible() && !m_session.hasCues() && m_state.ui().askYesNo(kMsgNoCuesInsert, Icon::Confirmation))
        runInsert();
}

bool TfmCueEdit2::queryClose()
{
    m_grid->commitEdit();
    if (!m_session.queryClose()) {
        showCue();
        return false;
    }
    return true;
}

void TfmCueEdit2::clearCueEditDisplay()
{
    m_session.clearDisplay();
    showCue();
}

// ---- Showing the session

void TfmCueEdit2::showCue()
{
    showCueList();
    showFields();
    showEnabled();
    m_grid->refreshAll();
}

void TfmCueEdit2::showCueList()
{
    const QSignalBlocker block(m_listBox);
    m_listBox->clear();
    QStringList numbers;
    numbers.reserve(m_session.count());
    for (int k = 1; k <= m_session.count(); ++k)
        numbers.append(ToQt(m_session.cueNumberText(k)));
    m_listBox->addItems(numbers);
    m_listBox->setCurrentRow(m_session.currentIndex() - 1);
    m_cueLabel->setText(ToQt(m_session.cueLabel()));
}

void TfmCueEdit2::showFields()
{
    for (int f = 0; f < kCueFieldCount; ++f) {
        const std::string& text = m_session.fieldText(static_cast<TCueField>(f));
        m_fieldEdits[f]->setText(static_cast<TCueField>(f) == TCueField::Name ? NameToQt(text) : ToQt(text));
    }
    const QSignalBlocker block(m_typeCombo);
    if (const auto type = m_session.typeShown())
        m_typeCombo->setCurrentIndex(*type);
    else
        m_typeCombo->setCurrentIndex(-1);
    m_typeCombo->setEditText(m_session.typeShown() ? m_typeCombo->currentText() : QString());
}

void TfmCueEdit2::showEnabled()
{
    const bool cues = m_session.hasCues();
    m_grid->setEnabled(cues);
    for (QLineEdit* edit : m_fieldEdits)
        edit->setEnabled(cues);
    m_typeCombo->setEnabled(cues);
    m_mnuDelete->setEnabled(cues);
    m_mnuPaste->setEnabled(m_session.pasteEnabled());
    m_leftButton->setEnabled(m_session.canGoBack());
    m_rightButton->setEnabled(m_session.canGoForward());
}

void TfmCueEdit2::beep()
{
    if (m_beep)
        m_beep();
}

// ---- The grid

void TfmCueEdit2::levelTyping(int, int, const QString& text)
{
    m_session.levelTyped();
    m_grid->setEditorFontColour(text.isEmpty() ? QColor(Qt::red) : QColor(Qt::black));
}

void TfmCueEdit2::levelEdited(int row, int column, const QString& text)
{
    if (IsChannelNumberRow(row))
        return;
    m_session.applyLevelText(CueGridChannel(row, column), text.toStdString());
    m_grid->refreshCell(row, column);
}

void TfmCueEdit2::gridClicked(int row, int column, Qt::KeyboardModifiers modifiers)
{
    if (!IsChannelNumberRow(row))
        return; // level cells take the focus, not the selection
    modifiers &= ~Qt::KeypadModifier;
    const TChannelClick click = modifiers == Qt::NoModifier      ? TChannelClick::Plain
                                : modifiers == Qt::ShiftModifier ? TChannelClick::Shift
                                                                 : TChannelClick::Other;
    if (!m_session.clickChannel(CueGridChannel(row, column), click))
        beep();
    m_grid->refreshAll();
}

void TfmCueEdit2::gridRightReleased()
{
    m_grid->commitEdit();
    if (!m_session.hasSelection()) {
        beep();
        return;
    }
    if (m_inputLevel.exec() == QDialog::Accepted)
        m_session.setChannelLevels(m_inputLevel.level());
    m_grid->refreshAll();
}

// ---- Edit boxes and the type

bool TfmCueEdit2::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_listBox->viewport() && event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && !m_listBox->itemAt(mouse->position().toPoint()) &&
            m_listBox->currentRow() < 0)
            beep(); // nothing picked
        return false;
    }
    if (event->type() != QEvent::FocusOut || m_checkingField)
        return QDialog::eventFilter(watched, event);
    // Leaving a box runs its check; a box that fails keeps the focus. Focus going to a
    // message box or another window is not leaving.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
        return QDialog::eventFilter(watched, event);
    for (int f = 0; f < kCueFieldCount; ++f) {
        QLineEdit* edit = m_fieldEdits[f];
        if (watched != edit || !edit->isEnabled())
            continue;
        m_checkingField = true;
        const bool ok = m_session.checkField(static_cast<TCueField>(f));
        m_checkingField = false;
        if (!ok) {
            QTimer::singleShot(0, edit, [edit] {
                edit->setFocus(Qt::OtherFocusReason);
                edit->selectAll();
            });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfmCueEdit2::typeChosen(const QString& text)
{
    const auto shown = m_session.typeShown();
    if (!shown || text == ToQt(CueTypeName(*shown)))
        return;
    try {
        m_session.changeType(text.toStdString());
    } catch (const ELumoraError& e) {
        m_state.ui().error(e.what());
    }
    showFields();
    m_grid->refreshAll();
}

// ---- Moving between cues

void TfmCueEdit2::previousCue()
{
    m_grid->commitEdit();
    m_session.goBack();
    showCue();
}

void TfmCueEdit2::nextCue()
{
    m_grid->commitEdit();
    m_session.goForward();
    showCue();
}

void TfmCueEdit2::listPicked(int row)
{
    m_grid->commitEdit();
    if (row < 0) {
        beep();
        return;
    }
    m_session.pick(row + 1);
    showCue(); // on Cancel the list shows the cue on display again
}

// ---- Insert and delete

void TfmCueEdit2::insertCue()
{
    runInsert();
    askInsertWhileEmpty();
}

void TfmCueEdit2::runInsert()
{
    m_grid->commitEdit();
    const bool go = m_session.beforeInsert();
    showCue();
    if (!go)
        return;
    if (m_insertQ.exec() == QDialog::Accepted && m_insertQ.cueNumber() > 0) {
        m_session.insertCue(static_cast<std::uint16_t>(m_insertQ.cueNumber()), m_insertQ.cueType());
        showCue();
    }
}

void TfmCueEdit2::deleteCue()
{
    m_grid->commitEdit();
    if (m_session.deleteCurrent())
        showCue();
}

// ---- Copy and paste

void TfmCueEdit2::copyLevels()
{
    m_grid->commitEdit();
    if (!m_session.copyLevels())
        beep();
    showEnabled();
}

void TfmCueEdit2::pasteLevels()
{
    m_grid->commitEdit();
    if (!m_session.pasteLevels())
        beep();
    m_grid->refreshAll();
}

} // namespace lumora
