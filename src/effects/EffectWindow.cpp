#include "effects/EffectWindow.h"

#include "cues/CueDialogs.h"
#include "cues/InputLev2.h"
#include "widgets/Grid.h"
#include "widgets/GridDelegate.h"
#include "widgets/LevelPainter.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QScrollBar>
#include <QShowEvent>
#include <QStaticText>
#include <QTimer>
#include <QVBoxLayout>

#include <array>

namespace lumora {

namespace {

constexpr int kLevelWidth = 30;
constexpr int kRowHeight = 20;
constexpr int kStepWidth = 36;
constexpr int kStepColumn = 0;

QString ToQt(const std::string& text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::string FromQt(const QString& text)
{
    return text.toLatin1().toStdString();
}

// No row of the sheet is ever selected or drawn in alternate colours: the style need not
// paint a row panel under each cell.
class TSheetStyle final : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element != PE_PanelItemViewRow)
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }
};

} // namespace

// The sheet's cells, asked of the sheet as they are drawn.
class TfmEffect::TCells final : public IGridSource {
public:
    explicit TCells(const TEffectSheet& sheet) : m_sheet(sheet)
    {
        for (int percent = 0; percent <= 100; ++percent)
            m_numbers[percent] = QString::number(percent);
    }

    QString cellText(int row, int column) const override
    {
        if (column == kStepColumn)
            return m_numbers[std::min(row + 1, 100)];
        const int shown = m_sheet.percent(row + 1, column);
        return shown < 0 ? QString() : m_numbers[shown];
    }
    QColor cellBackground(int row, int column) const override
    {
        return column != kStepColumn && m_sheet.highlighted(row + 1, column) ? kEffectSelectedColour : QColor();
    }

private:
    const TEffectSheet& m_sheet;
    std::array<QString, 101> m_numbers;
};

// Draws the level cells straight from the sheet with texts made once; editing is the
// grid's own delegate's.
class TfmEffect::TLevelPainter final : public lumora::TLevelPainter {
public:
    TLevelPainter(const TEffectSheet& sheet, TGridDelegate& editing, QObject* parent)
        : lumora::TLevelPainter(editing, parent), m_sheet(sheet)
    {
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const int step = index.row() + 1;
        const int channel = index.column();
        const bool highlighted = m_sheet.highlighted(step, channel);
        paintLevel(painter, option, highlighted ? kEffectSelectedColour : kEffectLevelColour,
                   highlighted ? QColor(Qt::white) : QColor(Qt::black), m_sheet.percent(step, channel));
    }

private:
    const TEffectSheet& m_sheet;
};

TfmEffect::TfmEffect(TEditorState& state, TCueDialogs& dialogs, QWidget* parent)
    : TEditWindow(parent, "fmEffect", kEffectCaption, kEffectHelpTopic, true), m_state(state), m_sheet(state),
      m_cells(std::make_unique<TCells>(m_sheet)), m_beep([] { QApplication::beep(); }),
      m_inputLevel(dialogs.inputLevel())
{
    buildWidgets();
    resize(1000, 640);
}

TfmEffect::~TfmEffect()
{
    m_grid->setSource(nullptr);
}

// ---- Building

void TfmEffect::buildWidgets()
{
    addFileItem<TfmEffect>("mnuClearEffect", tr("Clear &Effect"), &TfmEffect::clearEffect);
    addFileItem<TfmEffect>("mnuPrint", tr("&Print"), &TfmEffect::print);
    finishMenus(tr("&Close"));

    // The sheet
    m_grid = new TGrid(this);
    m_grid->setObjectName(QStringLiteral("tsGrid1"));
    m_grid->setAccessibleName(tr("Effect levels"));
    m_grid->setSource(m_cells.get());
    m_grid->setDimensions(kEffectSteps, 1 + kEffectChannels);
    m_grid->setCellSize(kLevelWidth, kRowHeight);
    m_grid->setColumnWidth(kStepColumn, kStepWidth);
    m_grid->setDefaultAlignment(Qt::AlignCenter);
    QStringList headings{QString()};
    for (int channel = 1; channel <= kEffectChannels; ++channel)
        headings << QString::number(channel);
    m_grid->setHeadings(Qt::Horizontal, headings);
    m_grid->setHeadings(Qt::Vertical, {});
    m_grid->setColumnReadOnly(kStepColumn);
    m_grid->setColumnBackground(kStepColumn, kEffectStepColour);
    for (int channel = 1; channel <= kEffectChannels; ++channel) {
        m_grid->setColumnMask(channel, MaskLevel());
        m_grid->setColumnBackground(channel, kEffectLevelColour);
    }
    m_grid->setFrozenColumns(1);
    if (auto* editing = qobject_cast<TGridDelegate*>(m_grid->itemDelegate())) {
        auto* painter = new TLevelPainter(m_sheet, *editing, m_grid);
        for (int channel = 1; channel <= kEffectChannels; ++channel)
            m_grid->setItemDelegateForColumn(channel, painter);
    }
    auto* style = new TSheetStyle;
    style->setParent(m_grid);
    m_grid->setStyle(style);
    connect(m_grid, &TGrid::cellEdited, this, &TfmEffect::levelEdited);
    connect(m_grid, &TGrid::cellClicked, this, &TfmEffect::gridClicked);
    connect(m_grid, &TGrid::rightButtonReleased, this, &TfmEffect::gridRightReleased);

    auto* channels = new QLabel(tr("Channels"), this);
    channels->setAlignment(Qt::AlignHCenter);
    auto* steps = new QLabel(QStringLiteral("S\nt\ne\np\ns"), this);
    steps->setAlignment(Qt::AlignCenter);

    // The panel at the right
    m_effectLabel = new QLabel(this);
    m_effectLabel->setObjectName(QStringLiteral("EffectLabel"));
    QFont big = m_effectLabel->font();
    big.setPointSizeF(big.pointSizeF() * 1.4);
    big.setBold(true);
    m_effectLabel->setFont(big);

    m_nameEdit = new QLineEdit(this);
    m_nameEdit->setObjectName(QStringLiteral("NameEdit"));
    m_nameEdit->setMaxLength(kEffectNameLength);
    m_typeCombo = new QComboBox(this);
    m_typeCombo->setObjectName(QStringLiteral("TypeCombo"));
    for (int code = kEffectForward; code <= kEffectRandom; ++code)
        m_typeCombo->addItem(ToQt(EffectTypeName(static_cast<std::uint8_t>(code))));
    m_typeCombo->installEventFilter(this); // typed keys are ignored
    m_timeEdit = new QLineEdit(this);
    m_timeEdit->setObjectName(QStringLiteral("TimeEdit"));
    m_timeEdit->setMaxLength(kEffectTimeLength);
    m_timeEdit->setToolTip(QString::fromLatin1(kEffectTimeHint));

    auto* form = new QGridLayout;
    const auto addLine = [&](int line, const QString& caption, QWidget* field) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        field->setAccessibleName(caption.chopped(1));
        form->addWidget(label, line, 0);
        form->addWidget(field, line, 1);
    };
    addLine(0, tr("Name:"), m_nameEdit);
    addLine(1, tr("Type:"), m_typeCombo);
    addLine(2, tr("Time:"), m_timeEdit);

    auto* chooseLabel = new QLabel(tr("Choose Effect #:"), this);
    m_listBox = new QListWidget(this);
    m_listBox->setObjectName(QStringLiteral("ListBox1"));
    m_listBox->setAccessibleName(tr("Choose Effect #"));
    chooseLabel->setBuddy(m_listBox);
    for (int n = 1; n <= kEffects; ++n)
        m_listBox->addItem(QString::number(n));
    m_listBox->setMaximumWidth(160);

    m_btnClose = closeButton();

    connect(m_nameEdit, &QLineEdit::textEdited, this, [this](const QString& t) { m_sheet.editName(FromQt(t)); });
    connect(m_typeCombo, &QComboBox::activated, this,
            [this](int) { m_sheet.editType(FromQt(m_typeCombo->currentText())); });
    connect(m_timeEdit, &QLineEdit::textEdited, this, [this](const QString& t) { m_sheet.editTime(FromQt(t)); });
    connect(m_timeEdit, &QLineEdit::editingFinished, this, &TfmEffect::timeLeft);
    connect(m_listBox, &QListWidget::currentRowChanged, this, &TfmEffect::effectChosen);

    auto* panel = new QVBoxLayout;
    panel->addWidget(m_effectLabel);
    panel->addLayout(form);
    panel->addSpacing(12);
    panel->addWidget(chooseLabel);
    panel->addWidget(m_listBox, 1);
    panel->addWidget(m_btnClose);

    auto* sheet = new QGridLayout;
    sheet->addWidget(channels, 0, 1);
    sheet->addWidget(steps, 1, 0);
    sheet->addWidget(m_grid, 1, 1);
    sheet->setColumnStretch(1, 1);
    sheet->setRowStretch(1, 1);

    auto* layout = new QHBoxLayout(this);
    layout->setMenuBar(menuBar());
    layout->addLayout(sheet, 1);
    layout->addLayout(panel);
}

bool TfmEffect::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_typeCombo && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->text().isEmpty() && key->text().at(0).isPrint())
            return true;
    }
    return TEditWindow::eventFilter(watched, event);
}

// ---- Opening and showing

void TfmEffect::showEvent(QShowEvent* event)
{
    if (!event->spontaneous())
        openEffect();
    QDialog::showEvent(event);
}

void TfmEffect::openEffect()
{
    m_sheet.open();
    showEntries();
    showList();
    m_grid->scrollToTop();
    m_grid->horizontalScrollBar()->setValue(0);
}

void TfmEffect::effectsReset()
{
    m_sheet.reload();
    if (isVisible()) {
        showEntries();
        showList();
    }
}

void TfmEffect::showEntries()
{
    const QSignalBlocker quiet(m_listBox);
    m_effectLabel->setText(ToQt(m_sheet.labelText()));
    m_nameEdit->setText(ToQt(m_sheet.nameText()));
    m_timeEdit->setText(ToQt(m_sheet.timeText()));
    m_typeCombo->setCurrentIndex(m_sheet.typeText().empty() ? -1 : m_typeCombo->findText(ToQt(m_sheet.typeText())));
    m_listBox->setCurrentRow(m_sheet.current() - 1);
    m_grid->refreshAll();
}

void TfmEffect::showList()
{
    for (int n = 1; n <= kEffects; ++n) {
        QListWidgetItem* item = m_listBox->item(n - 1);
        const QString text = ToQt(m_sheet.listText(n));
        if (item->text() != text)
            item->setText(text);
    }
}

void TfmEffect::beep()
{
    if (m_beep)
        m_beep();
}

std::optional<std::string> TfmEffect::askName()
{
    bool ok = false;
    const QString name =
        QInputDialog::getText(this, QString::fromLatin1(kEffectNameTitle), QString::fromLatin1(kEffectNamePrompt),
                              QLineEdit::Normal, QString(), &ok);
    if (!ok)
        return std::nullopt;
    return FromQt(name.left(kEffectNameLength));
}

TEffectSheet::TAskName TfmEffect::asker()
{
    return [this] { return askName(); };
}

// ---- Choosing an effect

void TfmEffect::effectChosen(int row)
{
    if (row < 0 || row + 1 == m_sheet.current())
        return;
    m_grid->commitEdit();
    if (m_sheet.choose(row + 1, asker())) {
        showEntries();
    } else {
        const QSignalBlocker quiet(m_listBox);
        m_listBox->setCurrentRow(m_sheet.current() - 1);
    }
    showList();
}

void TfmEffect::timeLeft()
{
    if (m_checkingTime)
        return;
    m_checkingTime = true;
    if (!m_sheet.checkTime())
        QTimer::singleShot(0, m_timeEdit, [this] { m_timeEdit->setFocus(); });
    m_checkingTime = false;
}

// ---- The sheet

void TfmEffect::levelEdited(int row, int column, const QString& text)
{
    if (column == kStepColumn)
        return;
    m_sheet.applyLevelText(row + 1, column, FromQt(text));
    m_grid->refreshCell(row, column);
    showList();
}

void TfmEffect::redrawRectangle(int firstStep, int lastStep, int firstChannel, int lastChannel)
{
    if (firstStep >= 1 && firstChannel >= 1 && lastChannel >= firstChannel)
        m_grid->refreshCells(firstStep - 1, firstChannel, lastStep - 1, lastChannel);
}

void TfmEffect::gridClicked(int row, int column, Qt::KeyboardModifiers modifiers)
{
    if (column == kStepColumn)
        return;
    modifiers &= ~Qt::KeypadModifier;
    const TEffectClick click = modifiers == Qt::NoModifier      ? TEffectClick::Plain
                               : modifiers == Qt::ShiftModifier ? TEffectClick::Shift
                                                                : TEffectClick::Other;
    const bool had = m_sheet.hasRectangle();
    const int s1 = m_sheet.firstStep(), s2 = m_sheet.lastStep(), c1 = m_sheet.firstChannel(),
              c2 = m_sheet.lastChannel();
    if (!m_sheet.click(row + 1, column, click))
        beep();
    if (had)
        redrawRectangle(s1, s2, c1, c2);
    if (m_sheet.hasRectangle())
        redrawRectangle(m_sheet.firstStep(), m_sheet.lastStep(), m_sheet.firstChannel(), m_sheet.lastChannel());
}

void TfmEffect::gridRightReleased()
{
    if (!m_sheet.hasRectangle()) {
        beep();
        return;
    }
    m_grid->commitEdit();
    const int s1 = m_sheet.firstStep(), s2 = m_sheet.lastStep(), c1 = m_sheet.firstChannel(),
              c2 = m_sheet.lastChannel();
    if (m_inputLevel.exec() == QDialog::Accepted)
        m_sheet.setLevels(m_inputLevel.level());
    m_sheet.clearSelection();
    redrawRectangle(s1, s2, c1, c2);
    showList();
}

// ---- Commands

void TfmEffect::clearEffect()
{
    m_grid->commitEdit();
    if (!m_sheet.clearEffect())
        return;
    const QSignalBlocker quietName(m_nameEdit);
    m_nameEdit->clear();
    m_timeEdit->clear();
    m_typeCombo->setCurrentIndex(-1);
    m_grid->refreshAll();
    showList();
}

void TfmEffect::print()
{
    m_grid->commitEdit();
    if (m_print)
        m_print(m_sheet.current());
}

// ---- Closing

bool TfmEffect::queryClose()
{
    m_grid->commitEdit();
    const bool close = m_sheet.queryClose(asker());
    showList();
    return close;
}

} // namespace lumora
