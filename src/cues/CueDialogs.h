#pragma once

// The three small dialogs the editing windows share: Insert Cue, Copy Range and Set
// Channel Levels (the last also serves the submaster and effect editors). The program
// makes each once, so each keeps its controls' state between uses, whichever window
// opens it.

#include "cues/CopyRnge.h"
#include "cues/InputLev2.h"
#include "cues/InsertQ.h"
#include "show/UserInterface.h"

#include <QPointer>

class QWidget;

namespace lumora {

class TCueDialogs final {
public:
    // parent: the window the dialogs belong to (the main window); without one, this
    // object owns them.
    explicit TCueDialogs(IUserInterface& ui, QWidget* parent = nullptr);
    ~TCueDialogs();
    TCueDialogs(const TCueDialogs&) = delete;
    TCueDialogs& operator=(const TCueDialogs&) = delete;

    TfmInsertQ& insertQ() const { return *m_insertQ; }
    TfmCopyRange& copyRange() const { return *m_copyRange; }
    TfmInputLevel2& inputLevel() const { return *m_inputLevel; }

private:
    QPointer<TfmInsertQ> m_insertQ;
    QPointer<TfmCopyRange> m_copyRange;
    QPointer<TfmInputLevel2> m_inputLevel;
};

} // namespace lumora
