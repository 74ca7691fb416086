#include "widgets/EditWindow.h"

#include <QHBoxLayout>
#include <QMenuBar>
#include <QVBoxLayout>

namespace lumora {

namespace {

Qt::WindowFlags EditWindowFlags(bool maximizable)
{
    Qt::WindowFlags flags = Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (maximizable)
        flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

} // namespace

TEditWindow::TEditWindow(QWidget* parent, const char* objectName, const char* caption, int helpTopic, bool maximizable)
    : QDialog(parent, EditWindowFlags(maximizable)), m_menuBar(new QMenuBar(this)), m_helpTopic(helpTopic)
{
    setObjectName(QString::fromLatin1(objectName));
    setWindowTitle(QString::fromLatin1(caption));
    m_menuBar->setObjectName(QStringLiteral("mnuMain"));
    m_fileMenu = m_menuBar->addMenu(tr("&File"));
    m_fileMenu->setObjectName(QStringLiteral("mnuFile"));
}

void TEditWindow::finishMenus(const QString& closeText)
{
    m_fileMenu->addSeparator();
    AddMenuItem(m_fileMenu, this, "mnuClose", closeText, &TEditWindow::reject);

    QAction* help = m_menuBar->addAction(tr("&Help"));
    help->setObjectName(QStringLiteral("mnuHelp"));
    help->setShortcut(QKeySequence(Qt::Key_F1));
    help->setShortcutContext(Qt::WindowShortcut);
    addAction(help); // F1 works with the menu bar closed
    connect(help, &QAction::triggered, this, [this] {
        if (m_help)
            m_help(m_helpTopic);
    });
}

QPushButton* TEditWindow::makeButton(const char* name, const QString& text)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QPushButton* TEditWindow::closeButton()
{
    if (!m_btnClose) {
        m_btnClose = makeButton("btnClose", tr("Close"));
        connect(m_btnClose, &QPushButton::clicked, this, &TEditWindow::reject);
    }
    return m_btnClose;
}

QBoxLayout* TEditWindow::layOut(QWidget* body, QWidget* leading, std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    if (leading)
        row->addWidget(leading);
    row->addStretch();
    for (QPushButton* button : buttons)
        row->addWidget(button);
    row->addSpacing(24);
    row->addWidget(closeButton());

    auto* layout = new QVBoxLayout(this);
    layout->setMenuBar(m_menuBar);
    layout->addWidget(body, 1);
    layout->addLayout(row);
    return layout;
}

void TEditWindow::reject()
{
    if (queryClose())
        done(closeResult());
}

} // namespace lumora
