#include "shell/HelpWindow.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace lumora {

QString HelpPagePath(int topic)
{
    const QString path = QStringLiteral(":/help/%1.html").arg(topic);
    return QFile::exists(path) ? path : QString();
}

TfmHelp::TfmHelp(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("fmHelp"));
    setWindowTitle(tr("Lumora Offline Editor Help"));
    resize(560, 480);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("browser"));
    m_browser->setOpenExternalLinks(false);
    auto* contents = new QPushButton(tr("&Contents"), this);
    contents->setObjectName(QStringLiteral("btnContents"));
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("btnClose"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(contents);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser, 1);
    layout->addLayout(buttons);

    connect(contents, &QPushButton::clicked, this, [this] { showTopic(kHelpContents); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
}

void TfmHelp::showTopic(int topic)
{
    m_topic = topic;
    const QString path = HelpPagePath(topic);
    if (path.isEmpty()) {
        m_browser->setHtml(tr("<h2>Help topic %1</h2><p>There is no help page for this topic.</p>"
                              "<p><a href=\"qrc:/help/100.html\">Contents</a></p>")
                               .arg(topic));
        return;
    }
    m_browser->setSource(QUrl(QStringLiteral("qrc") + path));
}

THelpPages::~THelpPages()
{
    delete m_window;
}

void THelpPages::showTopic(int topic)
{
    if (!m_window) {
        m_window = new TfmHelp;
        m_window->setAttribute(Qt::WA_QuitOnClose, false); // closing the main window ends the program
    }
    // Help asked for from inside a modal editing window must not be blocked by it: it
    // then opens modal itself, above that window; from the main window it stays beside it.
    QWidget* modal = QApplication::activeModalWidget();
    const Qt::WindowModality wanted = modal && modal != m_window ? Qt::ApplicationModal : Qt::NonModal;
    if (m_window->windowModality() != wanted) {
        m_window->hide();
        m_window->setWindowModality(wanted);
    }
    m_window->showTopic(topic);
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace lumora
