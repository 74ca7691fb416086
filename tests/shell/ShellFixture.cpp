#include "shell/ShellFixture.h"

#include "show/DskOpt.h"
#include "show/ShowFile.h"
#include "support/RecordingUi.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstring>

namespace lumora::test {

// ---- Message boxes

QStringList TScriptedPresenter::texts() const
{
    QStringList out;
    for (const TBox& box : boxes)
        out << box.text;
    return out;
}

IMessagePresenter::Reply TScriptedPresenter::present(IUserInterface::Icon icon, const QString& text, Buttons buttons)
{
    TBox box{icon, text, buttons, false, false, -1, {}, {}};
    if (m_main) {
        box.busyCursor = m_main->ui().busy();
        box.statusPanel = m_main->statusPanel()->isVisible();
        box.importing = m_main->state().globals.importing;
        box.optionsCaption = m_main->showOptions().windowTitle();
        box.statusText = m_main->statusPanel()->text();
    }
    boxes.push_back(box);
    if (buttons == Buttons::Ok)
        return Reply::Ok;
    if (m_replies.empty()) {
        QTest::qFail(qPrintable(QStringLiteral("unexpected question: ") + text), __FILE__, __LINE__);
        return buttons == Buttons::YesNo ? Reply::No : Reply::Cancel;
    }
    const Reply reply = m_replies.front();
    m_replies.pop_front();
    return reply;
}

// ---- Common dialogs

std::optional<QString> TFakeDialogs::openShowFile(QWidget*, const QString& title, const QString& folder)
{
    openTitles << title;
    folders << folder;
    if (openAnswers.empty()) {
        QTest::qFail("unexpected Open dialog", __FILE__, __LINE__);
        return std::nullopt;
    }
    const bool chosen = openAnswers.front().has_value();
    const QString name = openAnswers.front().value_or(QString());
    openAnswers.pop_front();
    return chosen ? std::optional<QString>(name) : std::nullopt;
}

std::optional<QString> TFakeDialogs::saveShowFile(QWidget*, const QString& folder)
{
    ++saveCalls;
    folders << folder;
    if (saveAnswers.empty()) {
        QTest::qFail("unexpected Save dialog", __FILE__, __LINE__);
        return std::nullopt;
    }
    const bool chosen = saveAnswers.front().has_value();
    const QString name = saveAnswers.front().value_or(QString());
    saveAnswers.pop_front();
    return chosen ? std::optional<QString>(name) : std::nullopt;
}

// ---- Diskette

bool TMemoryDiskette::open(char, bool, bool)
{
    ++opens;
    return present;
}

bool TMemoryDiskette::readAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t length)
{
    if (!present || offset + length > medium.size())
        return false;
    std::memcpy(buffer, medium.data() + offset, length);
    return true;
}

bool TMemoryDiskette::writeAt(std::uint64_t offset, const std::uint8_t* buffer, std::size_t length)
{
    if (!present || offset + length > medium.size())
        return false;
    for (std::size_t at = 0; at < length; at += kSectorSize)
        if (!lostWrites.count(static_cast<unsigned>((offset + at) / kSectorSize)))
            std::memcpy(medium.data() + offset + at, buffer + at, std::min<std::size_t>(kSectorSize, length - at));
    return true;
}

// ---- Stand-in screens

std::vector<TScreen> TScreenLog::screens() const
{
    std::vector<TScreen> out;
    for (const TScreenVisit& v : visits)
        out.push_back(v.screen);
    return out;
}

TFakeScreen::TFakeScreen(TScreen which, TScreenLog& log, TfmMain& main, QWidget* parent)
    : QDialog(parent), m_which(which), m_log(log), m_main(main)
{
    setObjectName(QStringLiteral("fakeScreen%1").arg(static_cast<int>(which)));
}

void TFakeScreen::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QLabel* panel = m_main.statusPanel();
    m_log.visits.push_back({m_which, panel->isVisible(), panel->text()});
    int result = 1;
    auto& queue = m_log.results[m_which];
    if (!queue.empty()) {
        result = queue.front();
        queue.pop_front();
    }
    QTimer::singleShot(0, this, [this, result] { done(result); });
}

TWindowRegistry FakeScreens(TScreenLog& log, std::initializer_list<TScreen> screens)
{
    TWindowRegistry windows;
    for (TScreen s : screens)
        windows.addScreen(s, [&log, s](TShellContext& context, QWidget* parent) -> QDialog* {
            return new TFakeScreen(s, log, context.main, parent);
        });
    return windows;
}

// ---- The harness

TShellHarness::TShellHarness(TWindowRegistry windows)
{
    showsFolder = std::make_unique<TFixedShowsFolder>(temp.filePath(QStringLiteral("Documents/My Shows")));
    services.messages = &messages;
    services.dialogs = &dialogs;
    services.showsFolder = showsFolder.get();
    services.help = &help;
    services.disk = disk;
    main = StartEditor(services, std::move(windows), &trace);
    messages.watch(main.get());
}

TShellHarness::~TShellHarness()
{
    messages.watch(nullptr);
    main.reset();
}

QAction* TShellHarness::action(const char* objectName) const
{
    auto* a = main->findChild<QAction*>(QString::fromLatin1(objectName));
    if (!a)
        QTest::qFail(qPrintable(QStringLiteral("no action ") + QString::fromLatin1(objectName)), __FILE__, __LINE__);
    return a;
}

QPushButton* TShellHarness::button(const char* objectName) const
{
    auto* b = main->findChild<QPushButton*>(QString::fromLatin1(objectName));
    if (!b)
        QTest::qFail(qPrintable(QStringLiteral("no button ") + QString::fromLatin1(objectName)), __FILE__, __LINE__);
    return b;
}

void TShellHarness::trigger(const char* actionName) const
{
    if (QAction* a = action(actionName))
        a->trigger();
}

void TShellHarness::click(const char* buttonName) const
{
    if (QPushButton* b = button(buttonName))
        QTest::mouseClick(b, Qt::LeftButton);
}

// ---- Modal windows

namespace {
QList<QPointer<QTimer>>& ModalTimers()
{
    static QList<QPointer<QTimer>> timers;
    return timers;
}
} // namespace

int PendingModalHandlers()
{
    auto& timers = ModalTimers();
    timers.removeIf([](const QPointer<QTimer>& t) { return t.isNull() || !t->isActive(); });
    return static_cast<int>(timers.size());
}

void CancelModalHandlers()
{
    for (const QPointer<QTimer>& t : ModalTimers())
        if (t)
            t->deleteLater();
    ModalTimers().clear();
}

void OnNextModal(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    ModalTimers().push_back(timer);
    auto ticks = std::make_shared<int>(0);
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, ticks, act = std::move(act)] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && modal->isVisible()) {
            timer->stop();
            timer->deleteLater();
            act(modal);
        } else if (++*ticks > 1000) {
            timer->stop();
            timer->deleteLater();
            qWarning("no modal window came up");
        }
    });
    timer->start();
}

// ---- Show files

QByteArray ShowFileBytes(const std::function<void(QByteArray&)>& edit)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("fresh.lmr"));
    TRecordingUi ui;
    TEditorState state(ui);
    SaveShowFile(state, QFile::encodeName(path).toStdString());
    QByteArray bytes = ReadFile(path);
    if (edit)
        edit(bytes);
    return bytes;
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        QTest::qFail(qPrintable(QStringLiteral("cannot write ") + path), __FILE__, __LINE__);
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace lumora::test
