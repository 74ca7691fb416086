#pragma once

// Shared by the tests of the Quorvel windows: driving a grid as a user does, answering
// pop-up menus and modal dialogs from inside their own event loops, and a file dialog
// that answers with scripted paths.

#include "shell/Platform.h"
#include "widgets/Grid.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <memory>
#include <optional>

namespace lumora::test {

std::unique_ptr<QObject> MakeQVTypeTest();
std::unique_ptr<QObject> MakeQVDeviceTest();
std::unique_ptr<QObject> MakeQVActionTest();
std::unique_ptr<QObject> MakeQVPositionTest();
std::unique_ptr<QObject> MakeQvNavigationTest();

// ---- A grid (rows and columns from 0)

// Types keys into a cell and leaves it with Tab; returns what the editor held. Without
// an editor (a cell that takes no entry) returns a null string.
QString TypeIntoCell(TGrid* grid, int row, int column, const QString& keys);
void ClickCell(TGrid* grid, int row, int column, Qt::MouseButton button = Qt::LeftButton);
void DoubleClickCell(TGrid* grid, int row, int column);
QString CellText(TGrid* grid, int row, int column);
// Right-clicks a cell and picks the item named action from the pop-up menu that opens.
void ChooseFromPopUp(TGrid* grid, int row, int column, const char* action);

// Runs answer on the modal dialog of type T that the next exec() opens.
template <class T> void WhenModal(std::function<void(T*)> answer)
{
    QTimer::singleShot(0, qApp, [answer] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY2(dialog, "the expected dialog did not open");
        if (dialog)
            answer(dialog);
    });
}

// File dialogs answering with scripted paths; each records the title it was given.
class TScriptedFileDialogs final : public IShellDialogs {
public:
    std::deque<std::optional<QString>> answers;
    QStringList titles;
    QStringList filters;

    std::optional<QString> openShowFile(QWidget*, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> saveShowFile(QWidget*, const QString&) override { return std::nullopt; }
    void printerSetup(QWidget*) override {}
    std::optional<QString> openFile(QWidget*, const QString& title, const QString&, const QString& filter,
                                    const QString&) override
    {
        return next(title, filter);
    }
    std::optional<QString> saveFile(QWidget*, const QString& title, const QString&, const QString& filter,
                                    const QString&) override
    {
        return next(title, filter);
    }

private:
    std::optional<QString> next(const QString& title, const QString& filter)
    {
        titles << title;
        filters << filter;
        if (answers.empty())
            return std::nullopt;
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// Saves a grab of the window when LUMORA_QV_SHOTS names a folder.
void Screenshot(QWidget* window, const char* name);

} // namespace lumora::test
