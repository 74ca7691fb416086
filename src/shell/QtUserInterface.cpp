#include "shell/QtUserInterface.h"

#include <QApplication>
#include <QCursor>
#include <QLabel>

namespace lumora {

QString ToQString(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

TQtUserInterface::~TQtUserInterface()
{
    // A cursor left set by an aborted command must not outlive the interface.
    while (m_busyDepth > 0)
        setBusy(false);
}

IMessagePresenter::Reply TQtUserInterface::present(Icon icon, std::string_view text, IMessagePresenter::Buttons buttons)
{
    // A question asked in the middle of a transfer gets the normal pointer for its box.
    const bool busyNow = m_busyDepth > 0;
    if (busyNow)
        QApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    const auto reply = m_presenter.present(icon, ToQString(text), buttons);
    if (busyNow)
        QApplication::restoreOverrideCursor();
    return reply;
}

void TQtUserInterface::error(std::string_view text)
{
    present(Icon::Error, text, IMessagePresenter::Buttons::Ok);
}

void TQtUserInterface::warning(std::string_view text)
{
    present(Icon::Warning, text, IMessagePresenter::Buttons::Ok);
}

void TQtUserInterface::information(std::string_view text)
{
    present(Icon::Information, text, IMessagePresenter::Buttons::Ok);
}

bool TQtUserInterface::askYesNo(std::string_view text, Icon icon)
{
    return present(icon, text, IMessagePresenter::Buttons::YesNo) == IMessagePresenter::Reply::Yes;
}

IUserInterface::Answer TQtUserInterface::askYesNoCancel(std::string_view text, Icon icon)
{
    switch (present(icon, text, IMessagePresenter::Buttons::YesNoCancel)) {
    case IMessagePresenter::Reply::Yes: return Answer::Yes;
    case IMessagePresenter::Reply::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

IUserInterface::Answer TQtUserInterface::askYesNoLater(std::string_view text, Icon icon)
{
    switch (present(icon, text, IMessagePresenter::Buttons::YesNoLater)) {
    case IMessagePresenter::Reply::Yes: return Answer::Yes;
    case IMessagePresenter::Reply::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

void TQtUserInterface::showStatus(std::string_view text)
{
    if (!m_statusPanel)
        return;
    m_statusPanel->setText(ToQString(text));
    m_statusPanel->show();
    m_statusPanel->raise();
    m_statusPanel->repaint();
    // Long transfers keep the screen alive only here; user input waits until they end,
    // so no command can start inside another.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TQtUserInterface::hideStatus()
{
    if (m_statusPanel)
        m_statusPanel->hide();
}

void TQtUserInterface::setBusy(bool busy)
{
    if (busy) {
        if (m_busyDepth++ == 0)
            QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    } else if (m_busyDepth > 0) {
        if (--m_busyDepth == 0)
            QApplication::restoreOverrideCursor();
    }
}

} // namespace lumora
