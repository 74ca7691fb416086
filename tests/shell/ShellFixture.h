#pragma once

// Fakes of the editor's desktop seams and a started editor to drive through its real
// menus, toolbar and buttons. Every box is answered by script and every text recorded;
// file dialogs answer with scripted paths; editing screens are stand-ins that record
// how they were opened and close with a scripted result.

#include "shell/MainMenu.h"
#include "shell/Platform.h"
#include "shell/Startup.h"
#include "shell/WindowRegistry.h"
#include "show/DirectDisk.h"

#include <QDialog>
#include <QStringList>
#include <QTemporaryDir>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class QAction;
class QPushButton;

namespace lumora::test {

// ---- Message boxes

class TScriptedPresenter final : public IMessagePresenter {
public:
    struct TBox {
        IUserInterface::Icon icon;
        QString text;
        Buttons buttons;
        bool busyCursor;  // the command's hourglass was still on when the box came up
        bool statusPanel; // the main window's status panel was visible
        int importing;    // the importing flag at that moment
        QString optionsCaption;
        QString statusText; // what the status panel said
    };

    void answer(Reply reply) { m_replies.push_back(reply); }
    void answerYes() { answer(Reply::Yes); }
    void answerNo() { answer(Reply::No); }
    void answerCancel() { answer(Reply::Cancel); }
    bool allAnswered() const { return m_replies.empty(); }

    // Lets the box record the main window's state at the moment it comes up.
    void watch(TfmMain* main) { m_main = main; }

    std::vector<TBox> boxes;
    QStringList texts() const;
    void clear() { boxes.clear(); }

    Reply present(IUserInterface::Icon icon, const QString& text, Buttons buttons) override;

private:
    std::deque<Reply> m_replies;
    TfmMain* m_main = nullptr;
};

// ---- Common dialogs

class TFakeDialogs final : public IShellDialogs {
public:
    std::deque<std::optional<QString>> openAnswers;
    std::deque<std::optional<QString>> saveAnswers;
    QStringList openTitles; // the title each Open dialog was given
    QStringList folders;    // the folder each dialog started in
    int saveCalls = 0;
    int printerSetups = 0;

    std::optional<QString> openShowFile(QWidget* parent, const QString& title, const QString& folder) override;
    std::optional<QString> saveShowFile(QWidget* parent, const QString& folder) override;
    void printerSetup(QWidget*) override { ++printerSetups; }
};

class TFixedShowsFolder final : public IShowsFolder {
public:
    explicit TFixedShowsFolder(QString path) : m_path(std::move(path)) {}
    QString location() const override { return m_path; }

private:
    QString m_path;
};

class TFakeHelp final : public IHelp {
public:
    QList<int> topics;
    void showTopic(int topic) override { topics.push_back(topic); }
};

// ---- A diskette in memory

class TMemoryDiskette final : public IRawDiskBackend {
public:
    TMemoryDiskette() : medium(kDisketteBytes, 0) {}
    std::vector<std::uint8_t> medium;
    bool present = true;
    int opens = 0;
    std::set<unsigned> lostWrites; // sectors whose writes never reach the medium, with no error

    std::uint8_t* sector(unsigned s) { return medium.data() + std::size_t{s} * kSectorSize; }

    bool isRemovable(char drive) override { return drive == 'A'; }
    bool open(char, bool, bool) override;
    bool readAt(std::uint64_t offset, std::uint8_t* buffer, std::size_t length) override;
    bool writeAt(std::uint64_t offset, const std::uint8_t* buffer, std::size_t length) override;
    bool flush() override { return true; }
    bool close() override { return true; }
};

// ---- Stand-in editing screens

struct TScreenVisit {
    TScreen screen;
    bool statusPanelVisible;
    QString statusText;
};

class TScreenLog {
public:
    std::vector<TScreenVisit> visits;
    // Results the screen closes with, in order; 1 (closed normally) when none is left.
    std::map<TScreen, std::deque<int>> results;
    std::vector<TScreen> screens() const;
};

class TFakeScreen final : public QDialog {
    Q_OBJECT

public:
    TFakeScreen(TScreen which, TScreenLog& log, TfmMain& main, QWidget* parent);

protected:
    void showEvent(QShowEvent* event) override;

private:
    TScreen m_which;
    TScreenLog& m_log;
    TfmMain& m_main;
};

// A registry of stand-ins for the given screens.
TWindowRegistry FakeScreens(TScreenLog& log, std::initializer_list<TScreen> screens);

// ---- The editor, started as the program starts it

class TShellHarness {
public:
    explicit TShellHarness(TWindowRegistry windows = {});
    ~TShellHarness();

    QTemporaryDir temp;
    TScriptedPresenter messages;
    TFakeDialogs dialogs;
    TFakeHelp help;
    std::unique_ptr<TFixedShowsFolder> showsFolder;
    std::shared_ptr<TMemoryDiskette> disk = std::make_shared<TMemoryDiskette>();
    TShellServices services;
    TStartTrace trace;
    std::unique_ptr<TfmMain> main;

    TEditorState& state() { return main->state(); }
    TShowGlobals& globals() { return main->state().globals; }
    QString path(const QString& name) const { return temp.filePath(name); }

    QAction* action(const char* objectName) const;
    QPushButton* button(const char* objectName) const;
    void trigger(const char* actionName) const;
    void click(const char* buttonName) const;
};

// ---- Modal windows

// Runs act on the next modal window to come up (polled from the event loop), once.
// Without one within a few seconds the test fails.
void OnNextModal(std::function<void(QWidget*)> act);
// Handlers still waiting for their window (a test's cleanup expects none), and dropping them.
int PendingModalHandlers();
void CancelModalHandlers();

// A show file written by the editor's own save from a fresh show, then changed by edit.
QByteArray ShowFileBytes(const std::function<void(QByteArray&)>& edit = {});
void WriteFile(const QString& path, const QByteArray& bytes);
QByteArray ReadFile(const QString& path);

} // namespace lumora::test
