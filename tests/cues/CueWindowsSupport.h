#pragma once

// Shared by the cue window tests: shows built from a few lines (support/CueFixtures.h),
// the common part of a dialog's test class, answering a modal dialog from inside its own
// event loop, and driving the cue editor's level grid.

#include "TypeInto.h"
#include "cues/CueEditSession.h"
#include "cues/CueList.h"
#include "support/CueFixtures.h"
#include "support/RecordingUi.h"
#include "widgets/Grid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace lumora::test {

// The cue windows' test classes, run one after another by the one test program.
std::unique_ptr<QObject> MakeInsertQTest();
std::unique_ptr<QObject> MakeCopyRangeTest();
std::unique_ptr<QObject> MakeInputLevel2Test();
std::unique_ptr<QObject> MakeCueEdit2Test();

// What a dialog's test class holds besides its test slots: a recording user interface
// and a fresh dialog over it for each test (made by newDialog() from init(), dropped by
// dropDialog() from cleanup()), and the ways to reach its buttons.
template <class TDialog> class TDialogTest {
protected:
    void newDialog()
    {
        m_ui.clear();
        m_dialog = std::make_unique<TDialog>(m_ui);
    }
    void dropDialog() { m_dialog.reset(); }
    // Shows the dialog as it is, without a modal loop, and waits until it is active.
    void open()
    {
        m_dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    }
    QPushButton* button(const char* name) const
    {
        return m_dialog->template findChild<QPushButton*>(QString::fromLatin1(name));
    }
    void click(QAbstractButton* button) const { QTest::mouseClick(button, Qt::LeftButton); }
    void click(const char* name) const { click(button(name)); }

    TRecordingUi m_ui;
    std::unique_ptr<TDialog> m_dialog;
};

// Runs answer on the modal dialog of type T once an exec() has opened one. The answer
// must close it. A dialog that does not come within five seconds fails the test.
template <class T> void WhenModal(std::function<void(T*)> answer)
{
    auto* poll = new QTimer(qApp);
    auto waited = std::make_shared<int>(0);
    QObject::connect(poll, &QTimer::timeout, qApp, [poll, waited, answer] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            poll->deleteLater();
            poll->stop();
            answer(dialog);
        } else if (++*waited > 500) {
            poll->deleteLater();
            poll->stop();
            QTest::qFail("the expected dialog did not open", __FILE__, __LINE__);
        }
    });
    poll->start(10);
}

// ---- The cue editor's level grid

QModelIndex LevelCell(TGrid* grid, int channel);
QModelIndex ChannelCell(TGrid* grid, int channel);
QString LevelShown(TGrid* grid, int channel);
QColor LevelColour(TGrid* grid, int channel);
QColor ChannelBackground(TGrid* grid, int channel);
// Types into the level cell of a channel (an empty text empties it) and leaves the cell.
void TypeLevel(TGrid* grid, int channel, const QString& text);
void ClickChannel(TGrid* grid, int channel, Qt::KeyboardModifiers modifiers = {});
void RightClickGrid(TGrid* grid, int channel);

} // namespace lumora::test
