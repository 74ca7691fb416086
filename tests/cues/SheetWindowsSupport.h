#pragma once

// Shared by the tests of the cue list screen and the tracking editor: shows built from a
// few lines (support/CueFixtures.h), answering a modal dialog from inside its own event
// loop, and driving a grid as a user does (typing into a cell and leaving it, clicking,
// choosing from a list).

#include "TypeInto.h"
#include "cues/CueList.h"
#include "support/CueFixtures.h"
#include "widgets/Grid.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace lumora::test {

// The windows' test classes, run one after another by the one test program.
std::unique_ptr<QObject> MakeCueList2Test();
std::unique_ptr<QObject> MakeTrackTest();

// Runs answer on the modal dialog of type T that the next exec() opens. The answer must
// close it; a missing dialog fails the test.
template <class T> void WhenModal(std::function<void(T*)> answer)
{
    QTimer::singleShot(0, qApp, [answer] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        QVERIFY2(dialog, "the expected dialog did not open");
        if (dialog)
            answer(dialog);
    });
}

// ---- A grid (rows and columns from 0)

// Types keys into a cell and leaves it with Tab (an empty text empties the cell). Returns
// what the cell's editor held just before leaving.
QString TypeIntoCell(TGrid* grid, int row, int column, const QString& keys);
void ClickCell(TGrid* grid, int row, int column, Qt::KeyboardModifiers modifiers = {},
               Qt::MouseButton button = Qt::LeftButton);
// Opens a drop-down cell with a click and picks item from its list.
void ChooseFromList(TGrid* grid, int row, int column, int item);
QString CellText(TGrid* grid, int row, int column);
QColor CellFont(TGrid* grid, int row, int column);
QColor CellBackground(TGrid* grid, int row, int column);

} // namespace lumora::test
